#include "PlaceStoneEventHandler.h"

#include "CD3DApplication.h"
#include "CGameController.h"
#include "CGameData.h"
#include "CGameOverlay.h"
#include "CGrid.h"
#include "CGridView.h"
#include "CNextStoneView.h"
#include "CResourceManager.h"
#include "CSoundDev.h"
#include "CStone.h"
#include "CStoneInfo.h"
#include "CStoneTypes.h"
#include "TextureStages.h"

PlaceStoneEventHandler::PlaceStoneEventHandler(CGameController* owner)
    : AbstractEventHandler(owner), preview(new CStoneInfo(0, 0, 0, -1, "xxx")), hover(0)
{
    if (owner->gridView)
        owner->gridView->AddStone(preview, 0.0f);
}

PlaceStoneEventHandler::~PlaceStoneEventHandler()
{
    if (preview->stone) {
        delete preview->stone;
        preview->stone = nullptr;
    }
    delete preview;
}

void PlaceStoneEventHandler::MouseMoved(CMouseEvent event)
{
    CGridView* view = owner->gridView;
    if (!view || !owner->gameData)
        return;
    int column, row;
    view->PickCell(&column, &row, event.GetX(), event.GetY());
    if (column < 0 || row < 0) {
        hover = 0;
        return;
    }
    hover = 1;
    preview->x = column;
    preview->y = row;
    preview->z = owner->gameData->board->GetHeight(column, row);
    if (preview->stone)
        view->PlaceStoneAtCell(preview->stone, *preview);
}

// 1 when a click on the column would put something there: there is a next
// stone, and a stone (not a field value) finds room on the column.
static int CanPlaceOn(CGameController* owner, int column, int row)
{
    CNextStoneView* next = owner->nextStoneView;
    if (!next || next->GetRemaining() <= 0)
        return 0;
    int type = next->PeekNextType();
    if (type < 0)
        return 0;
    if (CStoneTypes::IsStoneItem(type) && owner->gameData->board->GetHeight(column, row) >= CGrid::LAYERS)
        return 0;
    return 1;
}

void PlaceStoneEventHandler::MouseClicked(CMouseEvent event)
{
    if (event.getMouseButtonState(0) != CMouseEvent::MOUSE_BUTTON_RELEASE)
        return;
    CGridView* view = owner->gridView;
    if (!view || !owner->gameData)
        return;
    int column, row;
    view->PickCell(&column, &row, event.GetX(), event.GetY());
    if (column < 0 || row < 0)
        return;
    // A click that can place nothing (no next stone, or a full column) is no
    // move: no sound, no count, the stone stays next.
    if (!CanPlaceOn(owner, column, row))
        return;

    CSoundDev* sound = CResourceManager::GetSoundDevice();
    sound->PlayIndex(sound->LoadSound("GAME_PLACE", nullptr), 0, -1.0f, 1);
    owner->PlaceStone(column, row);
    owner->gameData->moves++;
    if (view->overlay)
        view->overlay->SetMoves(owner->gameData->moves);
}

void PlaceStoneEventHandler::Move(float seconds)
{
    if (!preview->stone || !owner->gridView)
        return;
    D3DXVECTOR3 axis(0, 1, 0);
    D3DXMatrixRotationAxis(&preview->stone->rotation, &axis, owner->gridView->yaw);
    preview->stone->Move(seconds);
}

void PlaceStoneEventHandler::Render()
{
    if (hover != 1 || owner->pendingDrops > 0 || !preview->stone || !g_pD3DApp)
        return;
    IDirect3DDevice8* device = g_pD3DApp->device;
    DWORD sourceBlend, destinationBlend;
    device->GetRenderState(D3DRS_SRCBLEND, &sourceBlend);
    device->GetRenderState(D3DRS_DESTBLEND, &destinationBlend);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    CNextStoneView* next = owner->nextStoneView;
    if (next && next->GetRemaining() > 0)
        CStoneTypes::ApplyTexture(device, next->PeekNextType());
    preview->stone->SetVertexFormat();
    SetModulateAlphaStage(device, 0);
    preview->stone->Render();
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    device->SetRenderState(D3DRS_SRCBLEND, sourceBlend);
    device->SetRenderState(D3DRS_DESTBLEND, destinationBlend);
}
