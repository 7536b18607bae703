#ifndef CTIMEDMODIFIER_H
#define CTIMEDMODIFIER_H

#include "IModifier.h"
#include "IChangeListener.h"
#include "CListenerList.h"

class C3DObject;

// What the modifiers that run for a set time share: the time, whether it is up,
// and the change listeners that are told once when it is.
class CTimedModifier : public IModifier {
public:
    void AddChangeListener(IChangeListener* listener);
    void RemoveChangeListener(IChangeListener* listener);

    int IsFinished() const { return finished; }

protected:
    explicit CTimedModifier(float seconds);

    // How far seconds go into the duration, 0..1 (1 when there is no duration).
    float Fraction(float seconds) const;

    // Marks the modifier finished and sends one STATE_CHANGED event from source.
    // Call it last: a listener may delete the modifier.
    void Finish(C3DObject* source);

    float duration;
    float elapsed;
    int finished;

private:
    CListenerList<IChangeListener> listeners;
};

#endif
