// CGameData: the data of one running game: its move counter and its board.
#ifndef CGAMEDATA_H
#define CGAMEDATA_H

class CGrid;

class CGameData
{
public:
    explicit CGameData(int size);
    virtual ~CGameData();

    int moves;      // moves made in the current level
    int size;       // board size (columns per side)
    CGrid* board;   // owned

private:
    CGameData(const CGameData&) = delete;
    CGameData& operator=(const CGameData&) = delete;
};

#endif
