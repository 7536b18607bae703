#include "CGrid.h"

#include <cstdlib>

#include "CStoneTypes.h"
#include "IBoardView.h"

// Single-precision angle constants of the visibility tests.
static const float HALF_PI = 1.5707964f;
static const float PI = 3.1415927f;
static const float TWO_PI = 6.2831855f;
static const float THREE_HALF_PI = HALF_PI + PI;

static int** NewColumnTable(int width, int height)
{
    int** table = new int*[width];
    for (int x = 0; x < width; x++)
        table[x] = new int[height]();
    return table;
}

static void DeleteColumnTable(int** table, int width)
{
    for (int x = 0; x < width; x++)
        delete[] table[x];
    delete[] table;
}

CGrid::CGrid(int width, int height, int depth)
    : width(width), height(height), depth(LAYERS)
{
    (void)depth;
    layerSize = width * height;
    cellCount = layerSize * LAYERS;
    cells = new CStoneInfo*[cellCount]();
    scratch = new CStoneInfo*[cellCount]();
    sortedStones = new CStoneInfo*[cellCount]();
    heights = NewColumnTable(width, height);
    fields = NewColumnTable(width, height);
    stoneCount = 0;
    view = nullptr;
}

CGrid::~CGrid()
{
    Clear();
    delete[] cells;
    delete[] scratch;
    delete[] sortedStones;
    DeleteColumnTable(heights, width);
    DeleteColumnTable(fields, width);
}

void CGrid::SetView(IBoardView* newView)
{
    if (view && view != newView) {
        for (int i = 0; i < cellCount; i++)
            if (cells[i] && cells[i]->stone)
                view->DestroyStone(cells[i]);
    }
    view = newView;
}

std::string CGrid::RandomName()
{
    return std::to_string(rand() % 1000000000);
}

void CGrid::PlaceStone(int x, int y, int type, float delay)
{
    // A stone off the board or on a full column is refused.
    if (!IsColumn(x, y) || heights[x][y] >= LAYERS)
        return;

    int z = heights[x][y];
    CStoneInfo* record = new CStoneInfo(x, y, z, type, RandomName());
    record->sideExposed = 1;

    if (view)
        view->AddStone(record, delay);

    cells[Index(x, y, z)] = record;
    heights[x][y]++;

    if (CStoneTypes::IsCountedType(type) == 1)
        typeCounts[type]++;

    // Sorted by type from high to low; a new stone goes before the older
    // stones of its own type.
    for (int i = 0; i < cellCount; i++) {
        if (!sortedStones[i]) {
            sortedStones[i] = record;
            break;
        }
        if (type >= sortedStones[i]->type) {
            for (int j = stoneCount; j > i; j--)
                sortedStones[j] = sortedStones[j - 1];
            sortedStones[i] = record;
            break;
        }
    }
    stoneCount++;
}

void CGrid::RemoveStone(int x, int y, int z)
{
    CStoneInfo* record = CellAt(x, y, z);
    if (!record)
        return;

    std::map<int, int>::iterator count = typeCounts.find(record->type);
    if (count != typeCounts.end()) {
        count->second--;
        if (count->second < 1)
            typeCounts.erase(count);
    }

    for (int i = 0; i < stoneCount; i++) {
        if (sortedStones[i] != record)
            continue;
        for (int j = i; j < stoneCount - 1; j++)
            sortedStones[j] = sortedStones[j + 1];
        sortedStones[stoneCount - 1] = nullptr;
        break;
    }

    if (record->stone && view)
        view->BurstStone(record);
    delete record;
    cells[Index(x, y, z)] = nullptr;

    heights[x][y]--;
    stoneCount--;

    // Everything above drops one layer; the 3D objects animate the fall.
    int k = z + 1;
    while (k < LAYERS && cells[Index(x, y, k)]) {
        CStoneInfo* above = cells[Index(x, y, k)];
        cells[Index(x, y, k - 1)] = above;
        above->z = k - 1;
        above->reposition = 1;
        if (above->stone && view)
            view->DropStone(above);
        k++;
    }
    cells[Index(x, y, k - 1)] = nullptr;
}

// Moves the top stone of one column onto the top of another; the caller makes
// sure of both, as the board does not let stones fall. A taken target cell
// (the start cell included) is refused, so no record is ever overwritten.
void CGrid::MoveStone(int x1, int y1, int z1, int x2, int y2, int z2)
{
    CStoneInfo* record = CellAt(x1, y1, z1);
    if (!record || !IsCell(x2, y2, z2) || cells[Index(x2, y2, z2)])
        return;

    record->x = x2;
    record->y = y2;
    record->z = z2;
    cells[Index(x2, y2, z2)] = record;
    cells[Index(x1, y1, z1)] = nullptr;
    heights[x1][y1]--;
    heights[x2][y2]++;
    record->moved = 1;
}

// The lookup goes by the cell index alone: a coordinate past one edge names
// the cell that the index reaches.
CStoneInfo CGrid::GetStoneInfo(int x, int y, int z)
{
    long long i = (long long)x + (long long)y * width + (long long)z * layerSize;
    if (i >= 0 && i < cellCount && cells[i]) {
        CStoneInfo copy(*cells[i]);
        copy.sideExposed = 0;
        copy.drawn = 0;
        return copy;
    }
    return CStoneInfo(EMPTY_CELL, EMPTY_CELL, EMPTY_CELL, EMPTY_CELL, "ERROR");
}

int CGrid::GetHeight(int x, int y)
{
    if (!IsColumn(x, y))
        return -1;
    return heights[x][y];
}

// Every counted type on the board has the same chance, whatever its count.
int CGrid::GetRandomType()
{
    int n = (int)typeCounts.size();
    if (n == 0)
        return -1;
    int k = rand() % n;
    std::map<int, int>::iterator it = typeCounts.begin();
    for (int i = 0; i < k; i++)
        ++it;
    return it->first;
}

CStoneInfo** CGrid::GetCells()
{
    return cells;
}

int CGrid::GetStoneCount()
{
    return stoneCount;
}

// Removes every stone without bursting it; the field values stay.
void CGrid::Clear()
{
    for (int i = 0; i < cellCount; i++) {
        CStoneInfo* record = cells[i];
        if (!record)
            continue;
        if (record->stone && view)
            view->DestroyStone(record);
        delete record;
        cells[i] = nullptr;
    }
    for (int i = 0; i < cellCount; i++)
        sortedStones[i] = nullptr;
    stoneCount = 0;
    typeCounts.clear();
    for (int x = 0; x < width; x++)
        for (int y = 0; y < height; y++)
            heights[x][y] = 0;
}

void CGrid::SetField(int x, int y, int value)
{
    if (IsColumn(x, y))
        fields[x][y] = value;
}

void CGrid::ClearFields()
{
    for (int x = 0; x < width; x++)
        for (int y = 0; y < height; y++)
            fields[x][y] = 0;
}

void CGrid::SetStoneValue(int x, int y, int z, int value)
{
    CStoneInfo* record = CellAt(x, y, z);
    if (record)
        record->targetState = value;
}

// Quadrant of a turn angle: 0 to 3, or -1 for an angle outside 0..2 pi.
static int Quadrant(float a)
{
    if (a >= 0 && a < HALF_PI)
        return 0;
    if (a >= HALF_PI && a < PI)
        return 1;
    if (a >= PI && a < THREE_HALF_PI)
        return 2;
    if (a >= THREE_HALF_PI && a <= TWO_PI)
        return 3;
    return -1;
}

// Per quadrant, the steps to the two neighbours that stand between a stone
// and the camera: one along x, one along y. The neighbours behind a stone lie
// in the opposite directions.
static const int towardsCameraX[4] = { -1, -1, 1, 1 };
static const int towardsCameraY[4] = { 1, -1, -1, 1 };

// Is a side of the stone, seen from the camera, free? The two neighbours
// towards the camera decide; the board's edge counts as occupied.
int CGrid::IsOpenTowardsCamera(int x, int y, int z, float angle)
{
    if (!GetStoneInfo(x, y, z).stone)
        return 1;

    float a = (view ? view->GetYaw() : 0.0f) + angle;
    if (a > TWO_PI)
        a -= TWO_PI;
    if (a < 0)
        a += TWO_PI;

    int q = Quadrant(a);
    if (q < 0)
        return 1;
    int nx = x + towardsCameraX[q];
    int ny = y + towardsCameraY[q];
    int firstTaken = !IsCell(nx, y, z) || cells[Index(nx, y, z)];
    int secondTaken = !IsCell(x, ny, z) || cells[Index(x, ny, z)];
    return (firstTaken && secondTaken) ? 0 : 1;
}

// May the stone be skipped when drawing (0)? Only when a stone stands on it
// and both neighbours on the camera's far side hold one; off the board is empty.
int CGrid::IsVisibleTowardsCamera(int x, int y, int z)
{
    if (!GetStoneInfo(x, y, z).stone)
        return 1;
    if (!CellAt(x, y, z + 1))
        return 1;

    int q = Quadrant(view ? view->GetYaw() : 0.0f);
    if (q < 0)
        return 1;
    int nx = x - towardsCameraX[q];
    int ny = y - towardsCameraY[q];
    if (CellAt(nx, y, z) && CellAt(x, ny, z))
        return 0;
    return 1;
}

// Removes every group of four or more touching stones of one combinable type
// and lets the stones above them fall; 1 when a group was removed. Each stone
// joins a search at most once per call: stones brought together by a fall
// are often found only by the next call.
int CGrid::RemoveCombos()
{
    int result = 0;
    for (int i = 0; i < cellCount; i++)
        scratch[i] = cells[i];

    int i = 0;
    while (i < cellCount) {
        if (!scratch[i]) {
            i++;
            continue;
        }
        std::list<CStoneInfo*> group;
        group.push_back(scratch[i]);
        CStoneInfo seed(*scratch[i]);
        scratch[i] = nullptr;
        FindGroup(&group, scratch, seed);

        if (group.size() < 4) {
            i++;
            continue;
        }
        // A removal may let a later member of the group drop a layer; its
        // record follows, so its coordinates are read at the moment.
        for (std::list<CStoneInfo*>::iterator it = group.begin(); it != group.end(); ++it) {
            CStoneInfo* member = *it;
            RemoveStone(member->x, member->y, member->z);
        }
        result = 1;
        i = 0;
    }
    return result;
}

// Depth-first: each neighbour of the same type that is still in the scratch
// array joins the group and is searched from before the next neighbour.
void CGrid::FindGroup(std::list<CStoneInfo*>* group, CStoneInfo** scratch, CStoneInfo stone)
{
    if (CStoneTypes::IsComboType(stone.type) != 1)
        return;

    int x = stone.x;
    int y = stone.y;
    int z = stone.z;
    int neighbours[6][3];
    int n = 0;
    if (y < height - 1) { neighbours[n][0] = x; neighbours[n][1] = y + 1; neighbours[n][2] = z; n++; }
    if (x < width - 1) { neighbours[n][0] = x + 1; neighbours[n][1] = y; neighbours[n][2] = z; n++; }
    if (y > 0) { neighbours[n][0] = x; neighbours[n][1] = y - 1; neighbours[n][2] = z; n++; }
    if (x > 0) { neighbours[n][0] = x - 1; neighbours[n][1] = y; neighbours[n][2] = z; n++; }
    if (z < LAYERS - 1) { neighbours[n][0] = x; neighbours[n][1] = y; neighbours[n][2] = z + 1; n++; }
    if (z > 0) { neighbours[n][0] = x; neighbours[n][1] = y; neighbours[n][2] = z - 1; n++; }

    for (int k = 0; k < n; k++) {
        int index = Index(neighbours[k][0], neighbours[k][1], neighbours[k][2]);
        CStoneInfo* next = scratch[index];
        if (!next || next->type != stone.type)
            continue;
        group->push_back(next);
        scratch[index] = nullptr;
        FindGroup(group, scratch, *next);
    }
}

// 1 when the stone at (x, y, z) is of the type.
int CGrid::TakesType(int x, int y, int z, int type) const
{
    CStoneInfo* record = CellAt(x, y, z);
    return record && record->type == type;
}

// Stones of the type from (x, y, z) on, stepping by (dx, dy) while they last.
int CGrid::CountRun(int x, int y, int z, int dx, int dy, int type) const
{
    int count = 0;
    while (TakesType(x, y, z, type)) {
        count++;
        x += dx;
        y += dy;
    }
    return count;
}

// 1 when four or more stones of the type stand in a straight row along x or
// along y on one layer; runs along z do not count.
int CGrid::HasLineOfType(int type)
{
    for (int i = 0; i < cellCount; i++) {
        CStoneInfo* s = cells[i];
        if (!s || s->type != type)
            continue;
        int alongX = CountRun(s->x, s->y, s->z, 1, 0, type) + CountRun(s->x - 1, s->y, s->z, -1, 0, type);
        if (alongX >= 4)
            return 1;
        int alongY = CountRun(s->x, s->y, s->z, 0, 1, type) + CountRun(s->x, s->y - 1, s->z, 0, -1, type);
        if (alongY >= 4)
            return 1;
    }
    return 0;
}
