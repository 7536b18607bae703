#include "CStoneInfo.h"

#include <utility>

CStoneInfo::CStoneInfo()
    : x(-1), y(-1), z(-1), name("EMPTY"), type(-1), moved(0), reposition(1),
      sideExposed(0), drawn(0), stone(nullptr), targetState(0)
{
}

CStoneInfo::CStoneInfo(int x, int y, int z, int type, std::string name)
    : x(x), y(y), z(z), name(std::move(name)), type(type), moved(0), reposition(1),
      sideExposed(0), drawn(0), stone(nullptr), targetState(0)
{
}

CStoneInfo::CStoneInfo(const CStoneInfo& other) = default;

CStoneInfo::~CStoneInfo()
{
}
