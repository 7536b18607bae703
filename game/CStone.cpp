#include "CStone.h"

CStone::CStone()
    : gravity(0)
{
}

CStone::~CStone()
{
}

void CStone::Explode()
{
}

void CStone::SetGravity(int on)
{
    gravity = on;
}
