#include "CGridView.h"

#include "CField.h"
#include "CStone.h"
#include "CStoneInfo.h"

CGridView::CGridView(CGameController* controller, IDirect3DDevice8* device, int gridSize)
    : C3DRenderObject(device, D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 0)),
      gridSize(gridSize), halfSize(12.0f), cellSize(2.0f * 12.0f / gridSize), floorTop(0.5f),
      vertexBuffer(0), textureName(".//media//gridtile.jpg"), controller(controller),
      overlay(0), pulsation(0), volumeLight(0)
{
    pickPlane[0] = D3DXVECTOR3(-halfSize, floorTop, -halfSize);
    pickPlane[1] = D3DXVECTOR3(halfSize, floorTop, -halfSize);
    pickPlane[2] = D3DXVECTOR3(-halfSize, floorTop, halfSize);
}

CGridView::~CGridView()
{
    if (vertexBuffer)
        vertexBuffer->Release();
    for (CField* tile : fieldTiles)
        delete tile;
    fieldTiles.clear();
}

void CGridView::Render() { C3DRenderObject::Render(); }
void CGridView::Move(float seconds) { C3DRenderObject::Move(seconds); }

void CGridView::AddStone(CStoneInfo* info, float delay)
{
    (void)info;
    (void)delay;
}

void CGridView::UpdateFields() {}
void CGridView::RenderShadows() {}

int CGridView::PickCell(int* column, int* row, float x, float y)
{
    (void)x; (void)y;
    *column = -1;
    *row = -1;
    return 0;
}

D3DXVECTOR2 CGridView::GetCellFraction(int column, int row, float x, float y)
{
    (void)column; (void)row; (void)x; (void)y;
    return D3DXVECTOR2(0.0f, 0.0f);
}

CStoneInfo CGridView::GetStoneUnderMouse(float x, float y)
{
    (void)x; (void)y;
    return CStoneInfo(-1, -1, -1, -9, "dummy");
}

D3DXVECTOR3 CGridView::CellPosition(int x, int y, int z) const
{
    return D3DXVECTOR3(-halfSize + (x + 0.5f) * cellSize,
                       floorTop + (z + 0.5f) * (cellSize * 0.5f),
                       -halfSize + (y + 0.5f) * cellSize);
}

D3DXVECTOR3 CGridView::CellToWorld(CStoneInfo* info) { return CellPosition(info->x, info->y, info->z); }
void CGridView::PlaceStoneAtCell(CStone* stone, CStoneInfo info) { stone->position = CellToWorld(&info); }

void CGridView::PlaceMarkerAt(C3DObject* object, int column, int row, int layer)
{
    (void)object; (void)column; (void)row; (void)layer;
}

void CGridView::stateChanged(CChangeEvent event) { (void)event; }
void CGridView::MouseClicked(CMouseEvent event) { (void)event; }
void CGridView::MouseEntered(CMouseEvent event) { (void)event; }
void CGridView::MouseExited(CMouseEvent event) { (void)event; }
void CGridView::MousePressed(CMouseEvent event) { (void)event; }
void CGridView::MouseReleased(CMouseEvent event) { (void)event; }
void CGridView::MouseMoved(CMouseEvent event) { (void)event; }
void CGridView::MouseDragged(CMouseEvent event) { (void)event; }
void CGridView::PointerRay(float x, float y, D3DXVECTOR3* nearPoint, D3DXVECTOR3* farPoint)
{
    (void)x; (void)y; (void)nearPoint; (void)farPoint;
}
int CGridView::PlaneHit(const D3DXVECTOR3 points[3], float x, float y, D3DXVECTOR3* hit)
{
    (void)points; (void)x; (void)y; (void)hit;
    return 0;
}
