#include "PlaceStoneEventHandler.h"

#include "CStoneInfo.h"

PlaceStoneEventHandler::PlaceStoneEventHandler(CGameController* owner)
    : AbstractEventHandler(owner), preview(new CStoneInfo(0, 0, 0, -1, "xxx")), hover(0)
{
}

PlaceStoneEventHandler::~PlaceStoneEventHandler()
{
    delete preview;
}

void PlaceStoneEventHandler::Render() {}
void PlaceStoneEventHandler::Move(float) {}
void PlaceStoneEventHandler::MouseMoved(CMouseEvent) {}
void PlaceStoneEventHandler::MouseClicked(CMouseEvent) {}
