#include "CNextStoneView.h"

#include "CStone.h"

CNextStoneView::CNextStoneView(CGameController* owner, IDirect3DDevice8* device)
    : C3DRenderObject(device, D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 0)),
      owner(owner), spin(0.0f), stone(nullptr)
{
}

CNextStoneView::~CNextStoneView() {}
void CNextStoneView::Render() {}
void CNextStoneView::Move(float) {}
int CNextStoneView::PeekNextType() { return -1; }
int CNextStoneView::GetRemaining() { return 1; }
int CNextStoneView::PopNextType() { return -1; }
void CNextStoneView::Refill() {}
void CNextStoneView::stateChanged(CChangeEvent) {}
CStone* CNextStoneView::MakeStone(int) { return nullptr; }
D3DXVECTOR3 CNextStoneView::ScreenToWorld(D3DXVECTOR3 point) { return point; }
float CNextStoneView::CameraTilt() { return 0.0f; }
void CNextStoneView::PlaceStone(CStone*, float, float, float, D3DXVECTOR3) {}
void CNextStoneView::RefillRandom() {}
