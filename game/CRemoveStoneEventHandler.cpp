#include "CRemoveStoneEventHandler.h"

#include "CGameController.h"
#include "CGameData.h"
#include "CGrid.h"
#include "CGridView.h"
#include "CStoneTypes.h"

CRemoveStoneEventHandler::CRemoveStoneEventHandler(CGameController* owner)
    : AbstractEventHandler(owner), hovered()
{
}

CRemoveStoneEventHandler::~CRemoveStoneEventHandler()
{
}

void CRemoveStoneEventHandler::MouseMoved(CMouseEvent event)
{
    if (owner->gridView)
        hovered = owner->gridView->GetStoneUnderMouse(event.GetX(), event.GetY());
}

void CRemoveStoneEventHandler::MouseClicked(CMouseEvent event)
{
    if (event.getMouseButtonState(0) != CMouseEvent::MOUSE_BUTTON_RELEASE)
        return;
    CGridView* view = owner->gridView;
    if (!view || !owner->gameData)
        return;
    CGrid* grid = owner->gameData->board;
    if (hovered.name == "dummy") {
        int column, row;
        view->PickCell(&column, &row, event.GetX(), event.GetY());
        if (column >= 0 && row >= 0) {
            grid->SetField(column, row, 0);
            view->UpdateFields();
        }
        return;
    }
    // Only a cell of the board that holds a stone: the record before any mouse
    // move lies off the board, and a removal may have emptied the cell.
    if (hovered.x < 0 || hovered.y < 0 || hovered.z < 0)
        return;
    if (grid->GetStoneInfo(hovered.x, hovered.y, hovered.z).type == EMPTY_CELL)
        return;
    grid->RemoveStone(hovered.x, hovered.y, hovered.z);
}
