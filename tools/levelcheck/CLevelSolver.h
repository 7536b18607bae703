// CLevelSolver: searches the moves a player has in one level, breadth first
// over distinct board states, for the fewest moves that meet the level's goal
// (every target field holds a special stone on the floor layer).
//
// A move places the next stone of the level's finite stack on a column that
// is not full (a field value of the stack goes to any column), slides the top
// stone of a column in a direction the slide rules allow, or taps a movable
// top stone that cannot slide anywhere: the game counts such a click as a
// move and runs its group passes all the same. After each move the board
// settles as in the game: group passes until one removes nothing, with the
// goal tested after every pass. A level starts with one pass and no goal
// test, so a tap right at the start can burst what that pass left, or meet a
// goal that was met from the start. Levels with the endless random supply
// are searched without placing, so failing to solve them proves nothing.
#ifndef CLEVELSOLVER_H
#define CLEVELSOLVER_H

#include <map>
#include <string>
#include <vector>

class CGameData;
class CGrid;
class CLevel;

class CLevelSolver
{
public:
    enum Outcome
    {
        SOLVED,             // moves holds the minimum, path the moves
        UNSOLVABLE,         // every reachable state was searched
        NOT_PROVEN_LIMIT,   // the state limit was reached first
        NOT_PROVEN_RANDOM   // the search without placing does not solve a level with random supply
    };

    enum MoveKind
    {
        MOVE_PLACE,         // the next stone of the stack onto column x, y
        MOVE_SLIDE,         // the top stone at x, y, z in direction d
        MOVE_TAP            // a click on the movable top stone at x, y, z that cannot slide
    };

    // Directions d: 0 row + 1, 1 column - 1, 2 row - 1, 3 column + 1.
    struct Move
    {
        unsigned char kind;
        unsigned char x;
        unsigned char y;
        unsigned char z;
        unsigned char d;
    };

    struct Result
    {
        Outcome outcome;
        int moves;
        long states;        // distinct states visited
        double seconds;
        std::vector<Move> path;     // the winning moves in order, when solved
    };

    explicit CLevelSolver(long stateLimit);
    ~CLevelSolver();

    Result Solve(CLevel* level);

    // A move as text: "place x y", "slide x y z d" or "tap x y z".
    static std::string MoveText(const Move& move);

    static const int BOARD_SIZE = 6;

private:
    CLevelSolver(const CLevelSolver&) = delete;
    CLevelSolver& operator=(const CLevelSolver&) = delete;

    void StartLevel(CLevel* level);
    std::string Encode();
    void Decode(const std::string& key);
    bool AssignCodes();
    static void AddCode(std::map<int, unsigned char>& codes, std::vector<int>& values, int value, int first);
    int Settle();
    void PlaceNext(int x, int y);
    void SlideTop(int x, int y, int direction);
    void CollectMoves(std::vector<Move>& moves);
    void ApplyMove(const Move& move);

    long stateLimit;
    CGameData* gameData;
    CGrid* board;
    CLevel* level;
    int stackIndex;         // next stone of the finite stack
    bool fieldsChange;      // the stack holds field values, so fields are part of a state
    std::map<int, unsigned char> stoneCodes;
    std::vector<int> stoneTypes;    // code -> type
    std::map<int, unsigned char> fieldCodes;
    std::vector<int> fieldValues;   // code -> field value
};

#endif
