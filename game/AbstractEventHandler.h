// AbstractEventHandler: base of the mouse tools (place, slide, remove). Every
// operation does nothing unless a tool overrides it.
#ifndef ABSTRACTEVENTHANDLER_H
#define ABSTRACTEVENTHANDLER_H

#include "CActionEvent.h"
#include "CKeyEvent.h"
#include "CMouseEvent.h"

class CGameController;

class AbstractEventHandler
{
public:
    explicit AbstractEventHandler(CGameController* owner) : owner(owner) {}

    virtual void Render() {}
    virtual void Move(float seconds) { (void)seconds; }
    virtual void actionPerformed(CActionEvent event) { (void)event; }
    virtual void keyPressed(CKeyEvent event) { (void)event; }
    virtual void keyReleased(CKeyEvent event) { (void)event; }
    virtual void MouseMoved(CMouseEvent event) { (void)event; }
    virtual void MouseDragged(CMouseEvent event) { (void)event; }
    virtual void MouseClicked(CMouseEvent event) { (void)event; }
    virtual void MouseEntered(CMouseEvent event) { (void)event; }
    virtual void MouseExited(CMouseEvent event) { (void)event; }
    virtual void MousePressed(CMouseEvent event) { (void)event; }
    virtual void MouseReleased(CMouseEvent event) { (void)event; }
    virtual ~AbstractEventHandler() {}

    CGameController* owner;
};

#endif
