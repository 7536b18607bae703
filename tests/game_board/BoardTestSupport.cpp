#include "BoardTestSupport.h"

#include "CGameController.h"
#include "CGameData.h"
#include "CGrid.h"
#include "CGridView.h"
#include "CObjQueue.h"
#include "CResourceManager.h"
#include "CStone.h"
#include "CStoneInfo.h"
#include "CTexMgr.h"

void BoardTest::SetUp()
{
    ASSERT_TRUE(headless.Open(kWidth, kHeight));
    device = headless.device;
    CResourceManager::GetTextures()->SetDevice(device);

    D3DXMATRIX projection;
    D3DXMatrixPerspectiveFovLH(&projection, 0.3f * D3DX_PI, (float)kWidth / kHeight, 1.0f, 1000.0f);
    device->SetTransform(D3DTS_PROJECTION, &projection);
    LookFrom(GAME_EYE);

    controller = CGameController::GetInstance();
    controller->gameData = new CGameData(6);
    grid = controller->gameData->board;
    view = new CGridView(controller, device, 6);
    controller->gridView = view;
    grid->SetView(view);
    controller->running = 1;
}

void BoardTest::TearDown()
{
    if (controller) {
        controller->gridView = nullptr;
        delete view;
        CGameController::DestroyInstance();
    }
    CResourceManager::GetObjectQueue()->ReleaseAllObjects(CObjQueue::RELEASE_EVERYTHING);
    CResourceManager::GetTextures()->SetDevice(nullptr);
    headless.Close();
}

void BoardTest::LookFrom(D3DXVECTOR3 from)
{
    eye = from;
    D3DXMATRIX look;
    D3DXVECTOR3 up(0.0f, 1.0f, 0.0f);
    D3DXMatrixLookAtLH(&look, &eye, &GAME_TARGET, &up);
    device->SetTransform(D3DTS_VIEW, &look);
}

void BoardTest::Turn(float yaw)
{
    view->yaw = yaw;
    view->ComposeWorld();
    MoveBoard(0.0f);
}

void BoardTest::MoveBoard(float seconds)
{
    view->Move(seconds);
}

// Board coordinates through the board's turn, the view and the projection.
static D3DXMATRIX BoardToClip(IDirect3DDevice8* device, CGridView* view)
{
    D3DXMATRIX viewMatrix, projection, all;
    device->GetTransform(D3DTS_VIEW, &viewMatrix);
    device->GetTransform(D3DTS_PROJECTION, &projection);
    D3DXMatrixMultiply(&all, &view->world, &viewMatrix);
    D3DXMatrixMultiply(&all, &all, &projection);
    return all;
}

bool BoardTest::ToWindow(D3DXVECTOR3 p, float* x, float* y)
{
    D3DXMATRIX all = BoardToClip(device, view);
    if (p.x * all._14 + p.y * all._24 + p.z * all._34 + all._44 <= 0.0f)
        return false;
    D3DXVECTOR3 ndc;
    D3DXVec3TransformCoord(&ndc, &p, &all);
    *x = (ndc.x + 1.0f) * 0.5f;
    *y = (1.0f - ndc.y) * 0.5f;
    return true;
}

void BoardTest::BoardRay(float x, float y, D3DXVECTOR3* origin, D3DXVECTOR3* direction)
{
    D3DXMATRIX all = BoardToClip(device, view), inverse;
    D3DXMatrixInverse(&inverse, nullptr, &all);
    D3DXVECTOR3 nearNdc(2.0f * x - 1.0f, 1.0f - 2.0f * y, 0.0f), farNdc(nearNdc.x, nearNdc.y, 1.0f), farPoint;
    D3DXVec3TransformCoord(origin, &nearNdc, &inverse);
    D3DXVec3TransformCoord(&farPoint, &farNdc, &inverse);
    *direction = farPoint - *origin;
}
