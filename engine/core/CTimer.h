#ifndef CTIMER_H
#define CTIMER_H

#include "C3DObject.h"

// A queued one-shot timer: when its time has passed it sends one CChangeEvent to
// its own listeners and marks itself for deletion. Those listeners get nothing
// else (no deletion event); a timer dropped with the queue never fires.
class CTimer : public C3DObject {
public:
    // once 1 makes a one-shot timer; 0 makes one that starts again after each event.
    CTimer(float seconds, int once);
    virtual ~CTimer();

    virtual void Move(float seconds);
    virtual void Render();

    void AddChangeListener(IChangeListener* listener);
    void RemoveChangeListener(IChangeListener* listener);

private:
    float duration;
    float elapsed;
    int once;
    int fired;
    CListenerList<IChangeListener> timerListeners;
};

#endif
