#include "CGridView.h"

#include "AbstractEventHandler.h"
#include "CCamera.h"
#include "CD3DApplication.h"
#include "CField.h"
#include "CGameController.h"
#include "CGameData.h"
#include "CGameOverlay.h"
#include "CGrid.h"
#include "CObjQueue.h"
#include "CPulsateModifier.h"
#include "CResourceManager.h"
#include "CShadowVolume.h"
#include "CStone.h"
#include "CStoneInfo.h"
#include "CStoneTypes.h"
#include "CTexMgr.h"
#include "CTimer.h"
#include "CVolumeLightEffect.h"
#include "TextureStages.h"

namespace {

const int SLAB_VERTICES = CStone::BOX_VERTICES;
const float TWO_PI = 6.2831855f;
const D3DXVECTOR3 UP_AXIS(0.0f, 1.0f, 0.0f);

int EffectOn(int effect)
{
    return g_pD3DApp && (g_pD3DApp->renderEffects & effect) ? 1 : 0;
}

}

CGridView::CGridView(CGameController* controller, IDirect3DDevice8* device, int gridSize)
    : C3DRenderObject(device, D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 0)),
      gridSize(gridSize), halfSize(12.0f), cellSize(0.0f), floorTop(0.5f), vertexBuffer(nullptr),
      controller(controller), overlay(nullptr), pulsation(nullptr), volumeLight(nullptr)
{
    // A view without a device draws nothing; the board model's own tests use
    // one for its turn alone.
    if (device)
        vertexBuffer = CStone::CreateVertexBuffer(device, SLAB_VERTICES * sizeof(CStone::Vertex), CStone::FVF,
                                                  "CGridView");

    cellSize = 2.0f * halfSize / gridSize;
    if (device)
        overlay = new CGameOverlay(device, controller);
    pulsation = new CPulsateModifier();
    AddModifier(pulsation);

    pickPlane[0] = D3DXVECTOR3(-halfSize, floorTop, -halfSize);
    pickPlane[1] = D3DXVECTOR3(halfSize, floorTop, -halfSize);
    pickPlane[2] = D3DXVECTOR3(-halfSize, floorTop, halfSize);

    // The slab is a stone box as wide as the board, its texture once per cell.
    BYTE* data = nullptr;
    if (vertexBuffer && SUCCEEDED(vertexBuffer->Lock(0, 0, &data, 0)) && data) {
        CStone::WriteBox((CStone::Vertex*)data, halfSize, floorTop, (float)gridSize, 0xFFFFFFFF);
        vertexBuffer->Unlock();
    }

    textureName = ".//media//gridtile.jpg";
    CResourceManager::GetObjectQueue()->AddCollidable(this);
    if (device)
        volumeLight = new CVolumeLightEffect(device, D3DXVECTOR3(0.0f, -2.0f, 0.0f), cellSize);
}

CGridView::~CGridView()
{
    // The board of a game still running keeps its stones but not their objects.
    CGrid* board = CGameController::GetExistingInstance() == controller ? Board() : nullptr;
    if (board && board->view == this)
        board->SetView(nullptr);
    if (vertexBuffer)
        vertexBuffer->Release();
    for (CField* tile : fieldTiles)
        delete tile;
    fieldTiles.clear();
    delete overlay;
    RemoveModifier(pulsation);
    delete pulsation;
    delete volumeLight;
}

CGrid* CGridView::Board() const
{
    return controller && controller->gameData ? controller->gameData->board : nullptr;
}

AbstractEventHandler* CGridView::CurrentHandler() const
{
    if (!controller || controller->mode < 0 || controller->mode > 2)
        return nullptr;
    return controller->handlers[controller->mode];
}

void CGridView::Render()
{
    if (!device)
        return;
    C3DRenderObject::Render();

    // The slab, with the environment map added on stage 1 when reflections are on.
    int envMap = EffectOn(CD3DApplication::R_EFFECT_ENVMAP);
    DWORD savedOp = 0, savedArg1 = 0, savedArg2 = 0;
    if (envMap) {
        device->GetTextureStageState(0, D3DTSS_COLOROP, &savedOp);
        device->GetTextureStageState(0, D3DTSS_COLORARG1, &savedArg1);
        device->GetTextureStageState(0, D3DTSS_COLORARG2, &savedArg2);
        SetModulateColorStage(device, 0);
        device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_ADD);
        device->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_TEXTURE);
        device->SetTextureStageState(1, D3DTSS_COLORARG2, D3DTA_CURRENT);
        device->SetTexture(1, g_pD3DApp->envCubeTexture);
        device->SetTextureStageState(1, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT3);
        device->SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, D3DTSS_TCI_CAMERASPACEREFLECTIONVECTOR | 1);
    }

    device->SetRenderState(D3DRS_LIGHTING, TRUE);
    device->SetStreamSource(0, vertexBuffer, sizeof(CStone::Vertex));
    device->SetVertexShader(CStone::FVF);
    device->SetTexture(0, CResourceManager::GetTextures()->GetTexture(textureName));
    device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 12);

    if (envMap) {
        device->SetTextureStageState(0, D3DTSS_COLOROP, savedOp);
        device->SetTextureStageState(0, D3DTSS_COLORARG1, savedArg1);
        device->SetTextureStageState(0, D3DTSS_COLORARG2, savedArg2);
        device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
    }

    // Stones come sorted by type: the texture changes only where the type does.
    CGrid* grid = Board();
    if (grid) {
        SetModulateColorStage(device, 0);
        int particles = EffectOn(CD3DApplication::R_EFFECT_PARTICLES);
        int lastType = -1;
        for (int i = 0; i < grid->stoneCount; i++) {
            CStoneInfo* info = grid->sortedStones[i];
            if (!info || !info->stone)
                continue;
            if (info->type != lastType) {
                if (lastType == -1)
                    info->stone->SetVertexFormat();
                CStoneTypes::ApplyTexture(device, info->type);
                lastType = info->type;
            }
            info->stone->Render();
            if (particles && info->targetState == 1 && volumeLight) {
                volumeLight->position = info->stone->position;
                volumeLight->Move(0.0f);
                volumeLight->Render();
            }
        }
    }

    AbstractEventHandler* handler = CurrentHandler();
    if (handler)
        handler->Render();

    if (!fieldTiles.empty()) {
        CStoneTypes::ApplyTexture(device, fieldTiles.front()->value);
        for (CField* tile : fieldTiles)
            tile->Render();
    }
}

void CGridView::Move(float seconds)
{
    if (!controller || controller->running != 1)
        return;

    C3DRenderObject::Move(seconds);
    AbstractEventHandler* handler = CurrentHandler();
    if (handler)
        handler->Move(seconds);

    CGrid* grid = Board();
    if (grid) {
        for (int i = 0; i < grid->stoneCount; i++) {
            CStoneInfo* info = grid->sortedStones[i];
            if (!info || !info->stone)
                continue;
            CStone* stone = info->stone;
            if (info->moved == 1) {
                PlaceStoneAtCell(stone, *info);
                info->moved = 0;
            }
            D3DXMatrixRotationAxis(&stone->rotation, &UP_AXIS, yaw);
            stone->Move(seconds);

            // A goal stone standing on its target field pulses.
            if (info->type == STONE_SPECIAL && info->z == 0 && info->x >= 0 && info->x < grid->width &&
                info->y >= 0 && info->y < grid->height && grid->fields[info->x][info->y] == FIELD_SPECIAL_TARGET) {
                pulsation->ApplyTo(stone);
                info->targetState = 1;
            } else {
                stone->ResetColor();
                info->targetState = 0;
            }
        }
    }

    for (CField* tile : fieldTiles) {
        D3DXMatrixRotationAxis(&tile->rotation, &UP_AXIS, yaw);
        tile->Move(seconds);
    }
    if (volumeLight) {
        D3DXMatrixRotationAxis(&volumeLight->rotation, &UP_AXIS, yaw);
        volumeLight->Move(seconds);
    }
}

D3DXVECTOR3 CGridView::CellCentre(int column, int row, float height) const
{
    return D3DXVECTOR3(-halfSize + (column + 0.5f) * cellSize, height, -halfSize + (row + 0.5f) * cellSize);
}

D3DXVECTOR3 CGridView::CellPosition(int x, int y, int z) const
{
    return CellCentre(x, y, floorTop + (z + 0.5f) * (cellSize * 0.5f));
}

void CGridView::AddStone(CStoneInfo* info, float delay)
{
    // Without a device there is nothing to show: the record keeps no object.
    if (!info || !device)
        return;
    CStone* stone = new CStone(device, CellPosition(info->x, info->y, info->z), info->type, cellSize, info, this, 1);
    info->stone = stone;
    if (delay > 0.0f) {
        stone->visible = 0;
        CTimer* timer = new CTimer(delay, 1);
        timer->AddChangeListener(stone);
        stone->SetAppearTimer(timer);
        CResourceManager::GetObjectQueue()->AddObject(timer, 4, 0);
    } else {
        stone->visible = 1;
    }
}

void CGridView::BurstStone(CStoneInfo* info)
{
    if (!info || !info->stone)
        return;
    info->stone->Explode();
    DestroyStone(info);
}

void CGridView::DropStone(CStoneInfo* info)
{
    if (info && info->stone)
        info->stone->SetGravity(1);
}

void CGridView::DestroyStone(CStoneInfo* info)
{
    if (!info)
        return;
    delete info->stone;
    info->stone = nullptr;
}

void CGridView::UpdateFields()
{
    for (CField* tile : fieldTiles)
        delete tile;
    fieldTiles.clear();

    CGrid* grid = Board();
    if (!grid || !device)
        return;
    for (int row = 0; row < grid->height; row++) {
        for (int column = 0; column < grid->width; column++) {
            int value = grid->fields[column][row];
            if (value == 0)
                continue;
            // A little above the slab's top, so the tile is not lost in it.
            CField* tile = new CField(device, CellCentre(column, row, floorTop * 1.05f), value, cellSize);
            D3DXMatrixRotationAxis(&tile->rotation, &UP_AXIS, yaw);
            tile->ComposeWorld();
            fieldTiles.push_front(tile);
        }
    }
}

void CGridView::RenderShadows()
{
    CGrid* grid = Board();
    if (!grid || !device)
        return;

    for (int pass = 0; pass < 2; pass++) {
        BeginShadowPass(device, pass);
        for (int i = 0; i < grid->stoneCount; i++) {
            CStoneInfo* info = grid->sortedStones[i];
            if (!info || !info->stone || info->sideExposed == 0)
                continue;
            device->SetTransform(D3DTS_WORLD, &info->stone->world);
            info->stone->shadowVolume->Render(device);
        }
    }
    EndShadowPasses(device);
}

// Front faces of the volumes count up (pass 0), back faces count down (pass
// 1): what stays above zero lies inside a shadow. Only the stencil is written.
void CGridView::BeginShadowPass(IDirect3DDevice8* device, int pass)
{
    if (pass == 1) {
        device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
        device->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_DECR);
        return;
    }
    device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    device->SetRenderState(D3DRS_STENCILENABLE, TRUE);
    device->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_FLAT);
    device->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_ALWAYS);
    device->SetRenderState(D3DRS_STENCILZFAIL, D3DSTENCILOP_KEEP);
    device->SetRenderState(D3DRS_STENCILFAIL, D3DSTENCILOP_KEEP);
    device->SetRenderState(D3DRS_STENCILREF, 1);
    device->SetRenderState(D3DRS_STENCILMASK, 0xFFFFFFFF);
    device->SetRenderState(D3DRS_STENCILWRITEMASK, 0xFFFFFFFF);
    device->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_INCR);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ZERO);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
}

void CGridView::EndShadowPasses(IDirect3DDevice8* device)
{
    device->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_GOURAUD);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
    device->SetRenderState(D3DRS_STENCILENABLE, FALSE);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
}

void CGridView::PointerRay(float x, float y, D3DXVECTOR3* nearPoint, D3DXVECTOR3* farPoint)
{
    D3DXMATRIX view, projection, inverseView, inverseProjection, unproject;
    device->GetTransform(D3DTS_VIEW, &view);
    device->GetTransform(D3DTS_PROJECTION, &projection);
    D3DXMatrixInverse(&inverseView, nullptr, &view);
    D3DXMatrixInverse(&inverseProjection, nullptr, &projection);
    D3DXMatrixMultiply(&unproject, &inverseProjection, &inverseView);

    D3DXVECTOR3 farNdc(2.0f * x - 1.0f, 1.0f - 2.0f * y, 1.0f);
    D3DXVECTOR3 nearNdc(2.0f * x - 1.0f, 1.0f - 2.0f * y, 0.0f);
    D3DXVec3TransformCoord(farPoint, &farNdc, &unproject);
    D3DXVec3TransformCoord(nearPoint, &nearNdc, &unproject);
}

int CGridView::PlaneHit(const D3DXVECTOR3 points[3], float x, float y, D3DXVECTOR3* hit)
{
    if (!device)
        return 0;
    D3DXVECTOR3 nearPoint, farPoint;
    PointerRay(x, y, &nearPoint, &farPoint);

    D3DXVECTOR3 corners[3];
    for (int i = 0; i < 3; i++)
        D3DXVec3TransformCoord(&corners[i], &points[i], &world);
    D3DXPLANE plane;
    D3DXPlaneFromPoints(&plane, &corners[0], &corners[1], &corners[2]);

    // The line runs from the camera's eye through the pointer's far point; with
    // no camera the eye is where the view matrix puts it.
    D3DXVECTOR3 eye;
    if (g_pD3DApp && g_pD3DApp->camera) {
        eye = g_pD3DApp->camera->position;
    } else {
        D3DXMATRIX view, inverseView;
        device->GetTransform(D3DTS_VIEW, &view);
        D3DXMatrixInverse(&inverseView, nullptr, &view);
        eye = D3DXVECTOR3(inverseView._41, inverseView._42, inverseView._43);
    }
    D3DXVECTOR3 onPlane;
    if (!D3DXPlaneIntersectLine(&onPlane, &plane, &eye, &farPoint))
        return 0;

    D3DXMATRIX inverseWorld;
    D3DXMatrixInverse(&inverseWorld, nullptr, &world);
    D3DXVec3TransformCoord(hit, &onPlane, &inverseWorld);
    *hit += D3DXVECTOR3(halfSize, halfSize, halfSize);
    float side = 2.0f * halfSize;
    return hit->x > 0.0f && hit->x < side && hit->z > 0.0f && hit->z < side;
}

int CGridView::PickCell(int* column, int* row, float x, float y)
{
    *column = -1;
    *row = -1;
    D3DXVECTOR3 hit;
    if (!PlaneHit(pickPlane, x, y, &hit))
        return 0;
    *column = (int)(hit.x / cellSize);
    *row = (int)(hit.z / cellSize);
    return 1;
}

D3DXVECTOR2 CGridView::GetCellFraction(int column, int row, float x, float y)
{
    D3DXVECTOR2 result(0.0f, 0.0f);

    // The plane of the column's top face: the top of its highest stone, or the
    // slab for an empty column, so the fraction follows the pointer on the
    // stone the player points at.
    CGrid* grid = Board();
    int stones = grid ? grid->GetHeight(column, row) : 0;
    if (stones < 0)
        stones = 0;
    float top = floorTop + stones * (cellSize * 0.5f);
    D3DXVECTOR3 raised[3];
    for (int i = 0; i < 3; i++)
        raised[i] = D3DXVECTOR3(pickPlane[i].x, top, pickPlane[i].z);

    D3DXVECTOR3 hit;
    if (PlaneHit(raised, x, y, &hit))
        result = D3DXVECTOR2(hit.x / cellSize - column, hit.z / cellSize - row);
    return result;
}

CStoneInfo CGridView::GetStoneUnderMouse(float x, float y)
{
    CGrid* grid = Board();
    if (!grid || !device)
        return CStoneInfo(-1, -1, -1, EMPTY_CELL, "dummy");

    D3DXVECTOR3 nearPoint, farPoint;
    PointerRay(x, y, &nearPoint, &farPoint);
    D3DXVECTOR3 direction = farPoint - nearPoint;

    CStoneInfo* best = nullptr;
    float bestDistance = 1.0e12f;
    for (int i = 0; i < grid->stoneCount; i++) {
        CStoneInfo* info = grid->sortedStones[i];
        if (!info || !info->stone)
            continue;
        float distance = 0.0f;
        if (info->stone->HitTest(nearPoint, direction, &distance) && distance < bestDistance) {
            best = info;
            bestDistance = distance;
        }
    }
    if (!best)
        return CStoneInfo(-1, -1, -1, EMPTY_CELL, "dummy");
    // Whichever stone of the column the pointer hit, the column's top one counts.
    return grid->GetStoneInfo(best->x, best->y, grid->GetHeight(best->x, best->y) - 1);
}

D3DXVECTOR3 CGridView::CellToWorld(CStoneInfo* info)
{
    return CellPosition(info->x, info->y, info->z);
}

void CGridView::PlaceStoneAtCell(CStone* stone, CStoneInfo info)
{
    stone->position = CellPosition(info.x, info.y, info.z);
}

void CGridView::PlaceMarkerAt(C3DObject* object, int column, int row, int layer)
{
    if (!object || column < 0 || row < 0)
        return;
    object->position = CellCentre(column, row, floorTop + (layer + 0.3f) * (cellSize * 0.5f));
}

void CGridView::stateChanged(CChangeEvent event)
{
    (void)event;
}

void CGridView::MouseClicked(CMouseEvent event)
{
    AbstractEventHandler* handler = CurrentHandler();
    if (controller && controller->running == 1 && handler)
        handler->MouseClicked(event);
}

void CGridView::MouseEntered(CMouseEvent event) { (void)event; }
void CGridView::MouseExited(CMouseEvent event) { (void)event; }
void CGridView::MousePressed(CMouseEvent event) { (void)event; }
void CGridView::MouseReleased(CMouseEvent event) { (void)event; }

void CGridView::MouseMoved(CMouseEvent event)
{
    AbstractEventHandler* handler = CurrentHandler();
    if (controller && controller->running == 1 && handler)
        handler->MouseMoved(event);
}

void CGridView::MouseDragged(CMouseEvent event)
{
    if (event.GetKind() != CMouseEvent::MOUSE_DRAG_2 || !controller || controller->running != 1)
        return;
    float turned = yaw + (event.GetPrevX() - event.GetX()) * 10.0f;
    if (turned < 0.0f)
        turned += TWO_PI;
    if (turned > TWO_PI)
        turned -= TWO_PI;
    yaw = turned;
    // Picking reads the world matrix: keep it in step with the turn.
    ComposeWorld();
}
