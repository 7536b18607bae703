#include "CGameData.h"

#include "CGrid.h"

CGameData::CGameData(int size)
    : moves(0), size(size), board(new CGrid(size, size, size))
{
}

CGameData::~CGameData()
{
    delete board;
    board = nullptr;
}
