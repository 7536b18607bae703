#ifndef CFADEINOUTMODIFIER_H
#define CFADEINOUTMODIFIER_H

#include "IModifier.h"
#include "IKeyListener.h"
#include "IMouseListener.h"

// Fades a window's alpha in over fadeIn seconds, holds it for hold seconds, fades
// it out over fadeOut seconds and then marks the window for deletion (so its change
// listeners get PRE_OBJECT_DELETION). A negative hold holds until a click reaches
// the mouse side or a key reaches the key side. A key or click during the fade-in
// or the hold starts the fade-out at once.
class CFadeInOutModifier : public IModifier, public IKeyListener, public IMouseListener {
public:
    enum { PHASE_IN = 0, PHASE_HOLD = 1, PHASE_OUT = 2, PHASE_DONE = 3 };

    CFadeInOutModifier(float fadeIn, float hold, float fadeOut);
    // Leaves the key and mouse listener lists.
    virtual ~CFadeInOutModifier();

    virtual void apply(CModEvent event);

    virtual void keyPressed(CKeyEvent event);
    virtual void keyReleased(CKeyEvent event);

    virtual void MouseClicked(CMouseEvent event);
    virtual void MouseEntered(CMouseEvent event);
    virtual void MouseExited(CMouseEvent event);
    virtual void MousePressed(CMouseEvent event);
    virtual void MouseReleased(CMouseEvent event);

    int GetPhase() const { return phase; }
    // Alpha factor of the window right now (0..1).
    float GetAlpha() const;

private:
    void Skip();
    void LeaveInput();

    float fadeIn, hold, fadeOut;
    int phase;
    float phaseTime;
    int skipRequested;
};

#endif
