#include "CLevelSolver.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <unordered_map>

#include "CGameData.h"
#include "CGrid.h"
#include "CLevel.h"
#include "CSpecialFieldFC.h"
#include "CStoneInfo.h"
#include "CStoneTypes.h"

// Slide directions as steps on the board: row + 1, column - 1, row - 1, column + 1.
static const int stepX[4] = { 0, -1, 0, 1 };
static const int stepY[4] = { 1, 0, -1, 0 };

// Byte codes of the types and field values in a state key; 0 ends a column.
static const size_t MAX_CODES = 255;

CLevelSolver::CLevelSolver(long stateLimit)
    : stateLimit(stateLimit), gameData(new CGameData(BOARD_SIZE)), board(gameData->board),
      level(nullptr), stackIndex(0), fieldsChange(false)
{
}

CLevelSolver::~CLevelSolver()
{
    delete gameData;
}

// Gives every stone type and field value that the level can bring onto the
// board a byte code (stone codes from 1, as 0 ends a column); false when
// there are too many to code in a byte.
bool CLevelSolver::AssignCodes()
{
    stoneCodes.clear();
    stoneTypes.clear();
    fieldCodes.clear();
    fieldValues.clear();
    AddCode(fieldCodes, fieldValues, 0, 0);
    for (int i = 0; i < level->stoneCount; i++)
        AddCode(stoneCodes, stoneTypes, level->stones[i]->type, 1);
    for (int i = 0; i < level->fieldCount; i++)
        AddCode(fieldCodes, fieldValues, level->fields[i].type, 0);
    for (int i = 0; i < level->placeableCount; i++) {
        int item = level->placeableTypes[i];
        if (CStoneTypes::IsStoneItem(item))
            AddCode(stoneCodes, stoneTypes, item, 1);
        else
            AddCode(fieldCodes, fieldValues, item, 0);
    }
    return stoneTypes.size() <= MAX_CODES && fieldValues.size() <= MAX_CODES + 1;
}

void CLevelSolver::AddCode(std::map<int, unsigned char>& codes, std::vector<int>& values, int value, int first)
{
    if (codes.count(value))
        return;
    codes[value] = (unsigned char)(values.size() + first);
    values.push_back(value);
}

// Sets the board up as a level start does: the stones, the target fields and
// one group pass, with no goal test.
void CLevelSolver::StartLevel(CLevel* startLevel)
{
    level = startLevel;
    stackIndex = 0;
    fieldsChange = false;
    board->Clear();
    board->ClearFields();
    for (int i = 0; i < level->stoneCount; i++) {
        const CStoneInfo* stone = level->stones[i];
        board->PlaceStone(stone->x, stone->y, stone->type, 0.0f);
    }
    for (int i = 0; i < level->fieldCount; i++)
        board->SetField(level->fields[i].x, level->fields[i].y, level->fields[i].type);
    board->RemoveCombos();

    if (level->placeableMode == 0) {
        for (int i = 0; i < level->placeableCount; i++) {
            if (!CStoneTypes::IsStoneItem(level->placeableTypes[i]))
                fieldsChange = true;
        }
    }
}

// A state: each column's stones from the floor up, ended by 0; then, when the
// stack can change them, the field values; then the place in the stack.
std::string CLevelSolver::Encode()
{
    std::string key;
    key.reserve(board->layerSize + board->stoneCount + (fieldsChange ? board->layerSize : 0) + 4);
    for (int y = 0; y < board->height; y++) {
        for (int x = 0; x < board->width; x++) {
            for (int z = 0; z < board->heights[x][y]; z++)
                key += (char)stoneCodes[board->cells[x + y * board->width + z * board->layerSize]->type];
            key += (char)0;
        }
    }
    if (fieldsChange) {
        for (int y = 0; y < board->height; y++)
            for (int x = 0; x < board->width; x++)
                key += (char)fieldCodes[board->fields[x][y]];
    }
    for (int shift = 0; shift < 32; shift += 8)
        key += (char)((stackIndex >> shift) & 0xFF);
    return key;
}

void CLevelSolver::Decode(const std::string& key)
{
    board->Clear();
    size_t at = 0;
    for (int y = 0; y < board->height; y++) {
        for (int x = 0; x < board->width; x++) {
            while (key[at] != 0)
                board->PlaceStone(x, y, stoneTypes[(unsigned char)key[at++] - 1], 0.0f);
            at++;
        }
    }
    if (fieldsChange) {
        for (int y = 0; y < board->height; y++)
            for (int x = 0; x < board->width; x++)
                board->fields[x][y] = fieldValues[(unsigned char)key[at++]];
    }
    stackIndex = 0;
    for (int shift = 0; shift < 32; shift += 8)
        stackIndex |= (int)(unsigned char)key[at++] << shift;
}

// Group passes until one removes nothing; 1 when the goal was met after any pass.
int CLevelSolver::Settle()
{
    CSpecialFieldFC goal;
    int removed = 1;
    while (removed) {
        removed = board->RemoveCombos();
        if (goal.IsFinished(gameData))
            return 1;
    }
    return 0;
}

void CLevelSolver::PlaceNext(int x, int y)
{
    int type = level->placeableTypes[stackIndex++];
    if (CStoneTypes::IsStoneItem(type))
        board->PlaceStone(x, y, type, 0.0f);
    else
        board->SetField(x, y, type);
}

// Slides the top stone of column (x, y) until the next cell is taken, off the
// board, or (above the floor) without a stone below it. Only called for a
// direction in which the stone can move at least one cell.
void CLevelSolver::SlideTop(int x, int y, int direction)
{
    int z = board->GetHeight(x, y) - 1;
    int tx = x;
    int ty = y;
    for (;;) {
        int nx = tx + stepX[direction];
        int ny = ty + stepY[direction];
        if (board->GetHeight(nx, ny) != z)
            break;
        tx = nx;
        ty = ny;
    }
    board->MoveStone(x, y, z, tx, ty, z);
}

static CLevelSolver::Move MakeMove(int kind, int x, int y, int z, int d)
{
    CLevelSolver::Move move;
    move.kind = (unsigned char)kind;
    move.x = (unsigned char)x;
    move.y = (unsigned char)y;
    move.z = (unsigned char)z;
    move.d = (unsigned char)d;
    return move;
}

// Every move the player has on the settled board. Taps all leave the board
// as it is and run the same passes, so one of them stands for all.
void CLevelSolver::CollectMoves(std::vector<Move>& moves)
{
    moves.clear();
    bool placing = level->placeableMode == 0 && stackIndex < level->placeableCount;
    bool placingStone = placing && CStoneTypes::IsStoneItem(level->placeableTypes[stackIndex]);
    bool tapped = false;
    for (int y = 0; y < board->height; y++) {
        for (int x = 0; x < board->width; x++) {
            int height = board->heights[x][y];
            if (placing && (!placingStone || height < CGrid::LAYERS))
                moves.push_back(MakeMove(MOVE_PLACE, x, y, 0, 0));
            if (height == 0)
                continue;
            int z = height - 1;
            int type = board->cells[x + y * board->width + z * board->layerSize]->type;
            if (!CStoneTypes::IsMovable(type))
                continue;
            // The neighbour cell on the stone's layer must be free and supported,
            // that is the neighbour column must be exactly as high as the stone's layer.
            bool slides = false;
            for (int d = 0; d < 4; d++) {
                if (board->GetHeight(x + stepX[d], y + stepY[d]) == z) {
                    moves.push_back(MakeMove(MOVE_SLIDE, x, y, z, d));
                    slides = true;
                }
            }
            if (!slides && !tapped) {
                moves.push_back(MakeMove(MOVE_TAP, x, y, z, 0));
                tapped = true;
            }
        }
    }
}

void CLevelSolver::ApplyMove(const Move& move)
{
    if (move.kind == MOVE_PLACE)
        PlaceNext(move.x, move.y);
    else if (move.kind == MOVE_SLIDE)
        SlideTop(move.x, move.y, move.d);
}

std::string CLevelSolver::MoveText(const Move& move)
{
    char text[64];
    if (move.kind == MOVE_PLACE)
        snprintf(text, sizeof(text), "place %d %d", move.x, move.y);
    else if (move.kind == MOVE_SLIDE)
        snprintf(text, sizeof(text), "slide %d %d %d %d", move.x, move.y, move.z, move.d);
    else
        snprintf(text, sizeof(text), "tap %d %d %d", move.x, move.y, move.z);
    return text;
}

// How a state was first reached: the state before it and the move.
struct CLevelSolverStep
{
    const std::string* previous;
    CLevelSolver::Move move;
};

CLevelSolver::Result CLevelSolver::Solve(CLevel* startLevel)
{
    std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
    StartLevel(startLevel);

    Result result;
    result.outcome = level->placeableMode != 0 ? NOT_PROVEN_RANDOM : UNSOLVABLE;
    result.moves = 0;
    result.states = 0;

    // Every state reached, with the step that first reached it; the map's
    // keys stay where they are, so the frontiers hold pointers to them.
    std::unordered_map<std::string, CLevelSolverStep> visited;
    std::vector<const std::string*> frontier;
    std::vector<const std::string*> next;
    std::vector<Move> moves;
    const std::string* winFrom = nullptr;
    Move winMove = MakeMove(MOVE_TAP, 0, 0, 0, 0);
    int depth = 0;
    bool done = !AssignCodes();
    if (done) {
        result.outcome = NOT_PROVEN_LIMIT;
    } else {
        CLevelSolverStep first = { nullptr, winMove };
        frontier.push_back(&visited.emplace(Encode(), first).first->first);
    }

    while (!frontier.empty() && !done) {
        for (size_t f = 0; f < frontier.size() && !done; f++) {
            const std::string& key = *frontier[f];
            Decode(key);
            CollectMoves(moves);
            for (size_t m = 0; m < moves.size() && !done; m++) {
                if (m > 0)
                    Decode(key);
                ApplyMove(moves[m]);
                if (Settle()) {
                    result.outcome = SOLVED;
                    result.moves = depth + 1;
                    winFrom = &key;
                    winMove = moves[m];
                    done = true;
                    break;
                }
                CLevelSolverStep step = { &key, moves[m] };
                std::pair<std::unordered_map<std::string, CLevelSolverStep>::iterator, bool> reached =
                    visited.emplace(Encode(), step);
                if (!reached.second)
                    continue;
                next.push_back(&reached.first->first);
                if ((long)visited.size() >= stateLimit) {
                    result.outcome = NOT_PROVEN_LIMIT;
                    done = true;
                }
            }
        }
        frontier.swap(next);
        next.clear();
        depth++;
    }

    if (result.outcome == SOLVED) {
        result.path.push_back(winMove);
        for (const std::string* at = winFrom; at; ) {
            const CLevelSolverStep& step = visited.find(*at)->second;
            if (!step.previous)
                break;
            result.path.push_back(step.move);
            at = step.previous;
        }
        std::reverse(result.path.begin(), result.path.end());
    }

    result.states = (long)visited.size();
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    board->Clear();
    board->ClearFields();
    return result;
}
