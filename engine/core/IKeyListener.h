#ifndef IKEYLISTENER_H
#define IKEYLISTENER_H

#include "CKeyEvent.h"

class IKeyListener {
public:
    virtual void keyPressed(CKeyEvent event) = 0;
    virtual void keyReleased(CKeyEvent event) = 0;
    virtual ~IKeyListener() {}
};

#endif
