#include "CMoveStoneEventHandler.h"

#include "C3DXObject.h"

CMoveStoneEventHandler::CMoveStoneEventHandler(CGameController* owner)
    : AbstractEventHandler(owner), markers{nullptr, nullptr}, markerIndex(0), time(0.0f), hover(0),
      direction(0), markerBase(0.0f, 0.0f, 0.0f)
{
}

CMoveStoneEventHandler::~CMoveStoneEventHandler()
{
    delete markers[0];
    delete markers[1];
}

void CMoveStoneEventHandler::Render() {}
void CMoveStoneEventHandler::Move(float) {}
void CMoveStoneEventHandler::MouseMoved(CMouseEvent) {}
void CMoveStoneEventHandler::MouseClicked(CMouseEvent) {}
int CMoveStoneEventHandler::CanMove(int) { return 0; }
int CMoveStoneEventHandler::CanMoveAny() { return 0; }
int CMoveStoneEventHandler::ChooseDirection(float, float) { return 0; }
int CMoveStoneEventHandler::SlideStone(int, CStoneInfo) { return 0; }
