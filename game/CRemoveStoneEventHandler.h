// CRemoveStoneEventHandler: the editor's eraser. A click takes the top stone of
// the column under the pointer, or clears the field value of the floor cell
// when no stone is under it.
#ifndef CREMOVESTONEEVENTHANDLER_H
#define CREMOVESTONEEVENTHANDLER_H

#include "AbstractEventHandler.h"
#include "CStoneInfo.h"

class CRemoveStoneEventHandler : public AbstractEventHandler
{
public:
    explicit CRemoveStoneEventHandler(CGameController* owner);
    virtual ~CRemoveStoneEventHandler();

    virtual void MouseMoved(CMouseEvent event);
    virtual void MouseClicked(CMouseEvent event);

    CStoneInfo hovered;     // the record under the pointer at the last move
};

#endif
