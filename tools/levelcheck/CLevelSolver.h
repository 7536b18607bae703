// CLevelSolver: searches the moves a player has in one level, breadth first
// over distinct board states, for the fewest moves that meet the level's goal
// (every target field holds a special stone on the floor layer).
//
// A move places the next stone of the level's finite stack on a column that
// is not full (a field value of the stack goes to any column), or slides the
// top stone of a column in a direction the slide rules allow. After each move
// the board settles as in the game: group passes until one removes nothing,
// with the goal tested after every pass. Levels with the endless random supply
// are searched with slides only, so failing to solve them proves nothing.
#ifndef CLEVELSOLVER_H
#define CLEVELSOLVER_H

#include <map>
#include <string>
#include <vector>

class CGameController;
class CGameData;
class CGrid;
class CLevel;

class CLevelSolver
{
public:
    enum Outcome
    {
        SOLVED,             // moves holds the minimum
        UNSOLVABLE,         // every reachable state was searched
        NOT_PROVEN_LIMIT,   // the state limit was reached first
        NOT_PROVEN_RANDOM   // slides alone do not solve a level with random supply
    };

    struct Result
    {
        Outcome outcome;
        int moves;
        long states;        // distinct states visited
        double seconds;
    };

    explicit CLevelSolver(long stateLimit);
    ~CLevelSolver();

    Result Solve(CLevel* level);

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
    int SlideTop(int x, int y, int direction);
    void CollectMoves(std::vector<int>& moves);
    void ApplyMove(int move);

    long stateLimit;
    CGameData* gameData;
    CGameController* controller;
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
