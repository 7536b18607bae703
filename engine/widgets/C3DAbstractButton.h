#ifndef C3DABSTRACTBUTTON_H
#define C3DABSTRACTBUTTON_H

#include "C3DWindow.h"
#include "CActionEvent.h"
#include "IActionListener.h"
#include "CListenerList.h"

// A window that sends a CActionEvent (id ACTION_DEFAULT, the button as source)
// to its action listeners when it is clicked: the left button goes down on it
// and comes up on it. The click is not passed on to mouse listeners after the
// button. While the pointer is over the button its state is STATE_MOUSEOVER,
// while the left button is held on it STATE_PRESSED.
class C3DAbstractButton : public C3DWindow {
public:
    C3DAbstractButton(IDirect3DDevice8* device, CRECTVirtual rect);
    virtual ~C3DAbstractButton();

    // Null is ignored; a listener added twice hears every click twice.
    void AddActionListener(IActionListener* listener);
    void RemoveActionListener(IActionListener* listener);
    // Hands every listener, in the order they were added, its own copy of the event.
    virtual void fireActionPerformed(CActionEvent event);

    virtual void MouseClicked(CMouseEvent event);
    virtual void MouseMoved(CMouseEvent event);
    virtual void MouseDragged(CMouseEvent event);

    int IsMouseOver() const { return mouseOver; }

protected:
    // Follows the pointer for one button event; true when it completes a click.
    // Passes the event on no further when it does.
    bool TakeClick(const CMouseEvent& event);
    void TrackPointer(const CMouseEvent& event);

    int mouseOver;
    int pressed;

private:
    void UpdateState();

    CListenerList<IActionListener> actionListeners;
};

#endif
