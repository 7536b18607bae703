// PlaceStoneEventHandler: the place tool. Shows a translucent stone of the next
// type where a click would drop it; a click on a column places the next stone
// there and counts a move.
#ifndef PLACESTONEEVENTHANDLER_H
#define PLACESTONEEVENTHANDLER_H

#include "AbstractEventHandler.h"

class CStoneInfo;

class PlaceStoneEventHandler : public AbstractEventHandler
{
public:
    explicit PlaceStoneEventHandler(CGameController* owner);
    virtual ~PlaceStoneEventHandler();

    virtual void Render();
    virtual void Move(float seconds);
    virtual void MouseMoved(CMouseEvent event);
    virtual void MouseClicked(CMouseEvent event);

    CStoneInfo* preview;    // owned; never part of the board
    int hover;              // 1 while the pointer is over a floor cell
};

#endif
