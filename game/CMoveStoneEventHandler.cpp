#include "CMoveStoneEventHandler.h"

#include <cmath>

#include "C3DXObject.h"
#include "CD3DApplication.h"
#include "CGameController.h"
#include "CGameData.h"
#include "CGameOverlay.h"
#include "CGrid.h"
#include "CGridView.h"
#include "CResourceManager.h"
#include "CSoundDev.h"
#include "CStoneTypes.h"

// Column and row steps of the four slide directions.
static const int STEP_X[4] = { 0, -1, 0, 1 };
static const int STEP_Y[4] = { 1, 0, -1, 0 };

CMoveStoneEventHandler::CMoveStoneEventHandler(CGameController* owner)
    : AbstractEventHandler(owner), markers{nullptr, nullptr}, markerIndex(MARKER_CROSS), time(0.0f), hover(0),
      direction(0), markerBase(0.0f, 0.0f, 0.0f)
{
    IDirect3DDevice8* device = g_pD3DApp ? g_pD3DApp->device : nullptr;
    D3DXVECTOR3 zero(0, 0, 0);
    markers[MARKER_CROSS] = new C3DXObject(device, ".//media//cross.x", zero, zero, zero);
    markers[MARKER_ARROW] = new C3DXObject(device, ".//media//arrow.x", zero, zero, zero);
    float scale = owner->gridView ? owner->gridView->cellSize : 1.0f;
    markers[MARKER_CROSS]->scale = scale;
    markers[MARKER_ARROW]->scale = scale;
}

CMoveStoneEventHandler::~CMoveStoneEventHandler()
{
    delete markers[0];
    delete markers[1];
}

int CMoveStoneEventHandler::BoardSize()
{
    return owner->gridView ? owner->gridView->gridSize : 0;
}

void CMoveStoneEventHandler::MouseMoved(CMouseEvent event)
{
    CGridView* view = owner->gridView;
    if (!view || !owner->gameData)
        return;
    hovered = view->GetStoneUnderMouse(event.GetX(), event.GetY());
    if (hovered.x < 0 || hovered.y < 0) {
        hover = 0;
        return;
    }
    hover = 1;
    markerIndex = MARKER_CROSS;
    if (CStoneTypes::IsMovable(hovered.type) && CanMoveAny() == 1) {
        D3DXVECTOR2 fraction = view->GetCellFraction(hovered.x, hovered.y, event.GetX(), event.GetY());
        if (ChooseDirection(fraction.x, fraction.y) == 1)
            markerIndex = MARKER_ARROW;
    }
    view->PlaceMarkerAt(markers[markerIndex], hovered.x, hovered.y, hovered.z + 1);
    markerBase = markers[markerIndex]->position;
}

int CMoveStoneEventHandler::CanMove(int dir)
{
    if (hovered.type == EMPTY_CELL || dir < 0 || dir > 3 || !owner->gameData)
        return 0;
    int x = hovered.x + STEP_X[dir];
    int y = hovered.y + STEP_Y[dir];
    int size = BoardSize();
    if (x < 0 || x >= size || y < 0 || y >= size)
        return 0;
    CGrid* grid = owner->gameData->board;
    if (grid->GetStoneInfo(x, y, hovered.z).type != EMPTY_CELL)
        return 0;
    if (hovered.z > 0 && grid->GetStoneInfo(x, y, hovered.z - 1).type == EMPTY_CELL)
        return 0;
    return 1;
}

int CMoveStoneEventHandler::CanMoveAny()
{
    static const int order[4] = { 0, 2, 1, 3 };
    for (int i = 0; i < 4; i++) {
        if (CanMove(order[i]))
            return 1;
    }
    return 0;
}

int CMoveStoneEventHandler::ChooseDirection(float u, float v)
{
    int dirs[4] = { 3, 1, 0, 2 };
    float distances[4] = { 1.0f - u, u, 1.0f - v, v };
    // Bubble passes: ties keep the order above.
    int swapped = 1;
    while (swapped) {
        swapped = 0;
        for (int i = 0; i < 3; i++) {
            if (distances[i + 1] < distances[i]) {
                float d = distances[i];
                distances[i] = distances[i + 1];
                distances[i + 1] = d;
                int n = dirs[i];
                dirs[i] = dirs[i + 1];
                dirs[i + 1] = n;
                swapped = 1;
            }
        }
    }
    for (int i = 0; i < 4; i++) {
        if (CanMove(dirs[i])) {
            direction = dirs[i];
            markers[MARKER_ARROW]->yaw = (float)direction * -3.1415927f / 2.0f;
            return 1;
        }
    }
    return 0;
}

int CMoveStoneEventHandler::SlideStone(int dir, CStoneInfo stone)
{
    if (dir < 0 || dir > 3 || !owner->gameData)
        return 0;
    CGrid* grid = owner->gameData->board;
    int size = BoardSize();
    int x = stone.x, y = stone.y, z = stone.z;
    int cellType = EMPTY_CELL;
    while (cellType == EMPTY_CELL && x >= 0 && x < size && y >= 0 && y < size) {
        x += STEP_X[dir];
        y += STEP_Y[dir];
        cellType = grid->GetStoneInfo(x, y, z).type;
        // Above the floor a cell without a stone below gives no support.
        if (z > 0 && grid->GetStoneInfo(x, y, z - 1).type == EMPTY_CELL)
            cellType = STONE_BLOCK;
    }
    x -= STEP_X[dir];
    y -= STEP_Y[dir];
    if (x == stone.x && y == stone.y)
        return 0;
    grid->MoveStone(stone.x, stone.y, z, x, y, z);
    return 1;
}

void CMoveStoneEventHandler::MouseClicked(CMouseEvent event)
{
    CGridView* view = owner->gridView;
    if (!view || !owner->gameData)
        return;
    CStoneInfo under = view->GetStoneUnderMouse(event.GetX(), event.GetY());
    if (under.x != hovered.x || under.y != hovered.y || under.z != hovered.z)
        return;
    if (event.getMouseButtonState(0) != CMouseEvent::MOUSE_BUTTON_RELEASE || hover != 1 ||
        !CStoneTypes::IsMovable(hovered.type))
        return;

    CSoundDev* sound = CResourceManager::GetSoundDevice();
    sound->PlayIndex(sound->LoadSound("GAME_MOVE", nullptr), 0, -1.0f, 1);
    if (SlideStone(direction, hovered))
        HideMarker();   // else it would stand over the cell the stone has left
    owner->gameData->moves++;
    if (view->overlay)
        view->overlay->SetMoves(owner->gameData->moves);
    owner->StartComboTimer();
}

void CMoveStoneEventHandler::HideMarker()
{
    hover = 0;
}

void CMoveStoneEventHandler::Move(float seconds)
{
    time += seconds;
    float swing = (float)(sin(time * 6.0f) * 0.8);
    D3DXVECTOR3 offset(0, 0, 0);
    if (direction == 0 || direction == 2)
        offset.z = swing;
    else
        offset.x = swing;
    markers[MARKER_ARROW]->position = markerBase + offset;

    C3DXObject* shown = markers[markerIndex];
    D3DXVECTOR3 axis(0, 1, 0);
    D3DXMatrixRotationAxis(&shown->rotation, &axis, owner->gridView ? owner->gridView->yaw : 0.0f);
    shown->Move(seconds);
}

void CMoveStoneEventHandler::Render()
{
    if (hover == 1 && owner->pendingDrops <= 0)
        markers[markerIndex]->Render();
}
