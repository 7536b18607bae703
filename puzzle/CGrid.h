// CGrid: the board model. width x height columns, each a stack of up to 15
// stones, plus one field value per column. Places, slides and removes stones
// (the stones above a removed one fall a layer), finds and removes groups of
// four or more touching stones of one colour, counts the stones of each
// counted type and keeps every stone in a list sorted by type.
#ifndef CGRID_H
#define CGRID_H

#include <list>
#include <map>
#include <string>

#include "CStoneInfo.h"

class IBoardView;

class CGrid
{
public:
    // depth is not used: a board always has 15 layers.
    CGrid(int width, int height, int depth);
    virtual ~CGrid();

    void PlaceStone(int x, int y, int type, float delay);
    void RemoveStone(int x, int y, int z);
    void MoveStone(int x1, int y1, int z1, int x2, int y2, int z2);
    CStoneInfo GetStoneInfo(int x, int y, int z);
    int GetHeight(int x, int y);
    int GetRandomType();
    CStoneInfo** GetCells();
    int GetStoneCount();
    void Clear();
    void SetField(int x, int y, int value);
    void ClearFields();
    void SetStoneValue(int x, int y, int z, int value);
    int IsOpenTowardsCamera(int x, int y, int z, float angle);
    int IsVisibleTowardsCamera(int x, int y, int z);
    // The scene that shows the board, or null. A view that goes away first
    // destroys the stone objects it made, so that no record keeps one.
    void SetView(IBoardView* newView);

    // Group search and removal
    int RemoveCombos();
    void FindGroup(std::list<CStoneInfo*>* group, CStoneInfo** scratch, CStoneInfo stone);
    int HasLineOfType(int type);

    static constexpr int LAYERS = 15;

    int width;
    int height;
    int depth;
    CStoneInfo** cells;         // cell (x, y, z) is entry x + y * width + z * layerSize
    CStoneInfo** scratch;       // working copy of cells for the group search
    CStoneInfo** sortedStones;  // every stone, highest type first; stoneCount entries used
    std::map<int, int> typeCounts;
    int** heights;              // heights[x][y]: stones in the column
    int** fields;               // fields[x][y]: field value of the column, 0 for none
    int cellCount;
    int layerSize;
    int stoneCount;
    IBoardView* view;           // not owned; makes, bursts and drops the stones' 3D objects

private:
    CGrid(const CGrid&) = delete;
    CGrid& operator=(const CGrid&) = delete;

    int Index(int x, int y, int z) const { return x + y * width + z * layerSize; }
    bool IsColumn(int x, int y) const { return x >= 0 && x < width && y >= 0 && y < height; }
    bool IsCell(int x, int y, int z) const { return IsColumn(x, y) && z >= 0 && z < LAYERS; }
    CStoneInfo* CellAt(int x, int y, int z) const { return IsCell(x, y, z) ? cells[Index(x, y, z)] : nullptr; }
    int TakesType(int x, int y, int z, int type) const;
    int CountRun(int x, int y, int z, int dx, int dy, int type) const;

    static std::string RandomName();
};

#endif
