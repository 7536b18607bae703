#include "CRemoveStoneEventHandler.h"

CRemoveStoneEventHandler::CRemoveStoneEventHandler(CGameController* owner)
    : AbstractEventHandler(owner), hovered()
{
}

CRemoveStoneEventHandler::~CRemoveStoneEventHandler() {}
void CRemoveStoneEventHandler::MouseMoved(CMouseEvent) {}
void CRemoveStoneEventHandler::MouseClicked(CMouseEvent) {}
