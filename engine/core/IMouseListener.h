#ifndef IMOUSELISTENER_H
#define IMOUSELISTENER_H

#include "CMouseEvent.h"

class IMouseListener {
public:
    virtual void MouseClicked(CMouseEvent event) = 0;
    virtual void MouseEntered(CMouseEvent event) = 0;
    virtual void MouseExited(CMouseEvent event) = 0;
    virtual void MousePressed(CMouseEvent event) = 0;
    virtual void MouseReleased(CMouseEvent event) = 0;
    virtual ~IMouseListener() {}
};

#endif
