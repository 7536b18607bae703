#include "CNextStoneStackView.h"

#include "CStone.h"

CNextStoneStackView::CNextStoneStackView(CGameController* owner, IDirect3DDevice8* device, int count, int*)
    : CNextStoneView(owner, device), stackOwner(owner), stones(nullptr), stackSpin(0.0f), current(0), count(count)
{
}

CNextStoneStackView::~CNextStoneStackView() {}
void CNextStoneStackView::Render() {}
void CNextStoneStackView::Move(float) {}
int CNextStoneStackView::PeekNextType() { return -1; }
int CNextStoneStackView::GetRemaining() { return count - current; }
int CNextStoneStackView::PopNextType() { return -1; }
void CNextStoneStackView::Refill() {}
void CNextStoneStackView::stateChanged(CChangeEvent) {}
