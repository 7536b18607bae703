#ifndef IMOUSEMOTIONLISTENER_H
#define IMOUSEMOTIONLISTENER_H

#include "CMouseEvent.h"

class IMouseMotionListener {
public:
    virtual void MouseMoved(CMouseEvent event) = 0;
    virtual void MouseDragged(CMouseEvent event) = 0;
    virtual ~IMouseMotionListener() {}
};

#endif
