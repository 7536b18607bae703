// CStoneInfo: the record of one stone, or of one special field, at one cell of
// the board. The board and the 3D side tell each other through its flags what
// changed. Copies are snapshots; they never own the stone object.
#ifndef CSTONEINFO_H
#define CSTONEINFO_H

#include <string>

class CStone;

class CStoneInfo
{
public:
    CStoneInfo();
    CStoneInfo(int x, int y, int z, int type, std::string name);
    CStoneInfo(const CStoneInfo& other);
    CStoneInfo& operator=(const CStoneInfo& other) = default;
    virtual ~CStoneInfo();

    int x;              // column, 0-based
    int y;              // row, 0-based
    int z;              // layer, 0 = floor
    std::string name;
    int type;           // type id; EMPTY_CELL for an empty or outside cell, -1 when not set
    int moved;          // 1 after the board gave the record a new cell; cleared by the board view
    int reposition;     // 1 after construction and after a drop; cleared by the stone object
    int sideExposed;    // 1 when a side faces the camera unhidden (written by the stone object)
    int drawn;          // 0 when hidden behind its neighbours (written by the stone object)
    CStone* stone;      // 3D object, not owned by the record
    int targetState;    // 1 while a special stone stands on a target field on layer 0
};

#endif
