#include "CGridView.h"

CGridView::CGridView()
    : yaw(0.0f)
{
}

CGridView::~CGridView()
{
}

void CGridView::AddStone(CStoneInfo* info, float delay)
{
    (void)info;
    (void)delay;
}
