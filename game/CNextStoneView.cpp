#include "CNextStoneView.h"

#include <cmath>

#include "CCamera.h"
#include "CD3DApplication.h"
#include "CGameController.h"
#include "CGameData.h"
#include "CGrid.h"
#include "CStone.h"
#include "CStoneTypes.h"

static const float STONE_CELL_SIZE = 0.1f;

CNextStoneView::CNextStoneView(CGameController* owner, IDirect3DDevice8* device)
    : C3DRenderObject(device, D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 0)),
      owner(owner), spin(0.0f), stone(nullptr)
{
    // This class's own refill, also while a derived view is being built.
    RefillRandom();
}

CNextStoneView::~CNextStoneView()
{
    delete stone;
    stone = nullptr;
}

CStone* CNextStoneView::MakeStone(int type)
{
    return new CStone(device, D3DXVECTOR3(0, 0, 0), type, STONE_CELL_SIZE, nullptr, nullptr, 1);
}

void CNextStoneView::RefillRandom()
{
    delete stone;
    stone = nullptr;
    // With no colour left on the board the supply holds a stone of type -1:
    // it hands out -1, which the controller never places.
    int type = -1;
    if (owner && owner->gameData)
        type = owner->gameData->board->GetRandomType();
    stone = MakeStone(type);
    Move(0.0f);
}

int CNextStoneView::PeekNextType()
{
    return stone ? stone->type : -1;
}

int CNextStoneView::GetRemaining()
{
    return 1;
}

int CNextStoneView::PopNextType()
{
    int type = PeekNextType();
    Refill();
    return type;
}

void CNextStoneView::Refill()
{
    RefillRandom();
}

void CNextStoneView::stateChanged(CChangeEvent)
{
    Refill();
}

D3DXVECTOR3 CNextStoneView::ScreenToWorld(D3DXVECTOR3 point)
{
    D3DXVECTOR3 result = point;
    if (!device)
        return result;
    D3DXMATRIX view, projection, inverseView, inverseProjection, both;
    device->GetTransform(D3DTS_VIEW, &view);
    device->GetTransform(D3DTS_PROJECTION, &projection);
    D3DXMatrixInverse(&inverseView, nullptr, &view);
    D3DXMatrixInverse(&inverseProjection, nullptr, &projection);
    D3DXMatrixMultiply(&both, &inverseProjection, &inverseView);
    D3DXVec3TransformCoord(&result, &point, &both);
    return result;
}

float CNextStoneView::CameraTilt()
{
    if (!g_pD3DApp || !g_pD3DApp->camera)
        return 0.0f;
    D3DXVECTOR3 eye = g_pD3DApp->camera->position;
    D3DXVECTOR3 normal;
    D3DXVec3Normalize(&normal, &eye);
    float c = -normal.z;
    if (c > 1.0f)
        c = 1.0f;
    if (c < -1.0f)
        c = -1.0f;
    return acosf(c);
}

void CNextStoneView::PlaceStone(CStone* shown, float spinAngle, float tilt, float scale, D3DXVECTOR3 position)
{
    D3DXVECTOR3 yAxis(0, 1, 0), xAxis(1, 0, 0);
    D3DXMATRIX spinMatrix, tiltMatrix, scaling, translation, world;
    D3DXMatrixRotationAxis(&spinMatrix, &yAxis, spinAngle);
    D3DXMatrixRotationAxis(&tiltMatrix, &xAxis, tilt);
    D3DXMatrixScaling(&scaling, scale, scale, scale);
    D3DXMatrixTranslation(&translation, position.x, position.y, position.z);
    D3DXMatrixMultiply(&world, &spinMatrix, &tiltMatrix);
    D3DXMatrixMultiply(&world, &world, &scaling);
    D3DXMatrixMultiply(&world, &world, &translation);
    shown->world = world;
}

void CNextStoneView::Move(float seconds)
{
    C3DRenderObject::Move(seconds);
    D3DXVECTOR3 position = ScreenToWorld(D3DXVECTOR3(-0.7f, -0.7f, 0.1f));
    float tilt = CameraTilt();
    spin += seconds;
    if (stone)
        PlaceStone(stone, spin, tilt, stone->scale, position);
}

void CNextStoneView::Render()
{
    C3DRenderObject::Render();
    if (!stone)
        return;
    CStoneTypes::ApplyTexture(device, stone->type);
    stone->Render();
}
