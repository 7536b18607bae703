#ifndef C3DCHECKBOX_H
#define C3DCHECKBOX_H

#include "C3DAbstractButton.h"

class CMouse;

// A box that a click turns on or off, then fires its action. A locked box
// ignores clicks and is drawn dimmed. A checked box shows a filled square.
class C3DCheckBox : public C3DAbstractButton {
public:
    // Registers itself as mouse and motion listener of 'mouse' when it is not null.
    C3DCheckBox(IDirect3DDevice8* device, CRECTVirtual rect, CMouse* mouse);
    virtual ~C3DCheckBox();

    virtual void Render();
    virtual void MouseClicked(CMouseEvent event);

    // Sets the state without firing.
    void SetChecked(int on);
    void SetLocked(int on);
    int IsLocked() const { return locked; }

    // 1 checked, 0 not; read by action handlers.
    int checked;

private:
    int locked;
};

#endif
