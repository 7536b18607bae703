#ifndef CWINDOWSCALEMODIFIER_H
#define CWINDOWSCALEMODIFIER_H

#include "IModifier.h"
#include "IChangeListener.h"
#include "CListenerList.h"
#include "CRECTVirtual.h"

// Moves a window's rectangle evenly from one rectangle to another over a time,
// then sends one CChangeEvent (the window as source) to its change listeners
// and leaves the window alone.
class CWindowScaleModifier : public IModifier {
public:
    CWindowScaleModifier(CRECTVirtual from, CRECTVirtual to, float seconds);
    virtual ~CWindowScaleModifier();

    // The target must be a C3DWindow; other objects are left alone.
    virtual void apply(CModEvent event);

    void AddChangeListener(IChangeListener* listener);
    void RemoveChangeListener(IChangeListener* listener);

    int IsFinished() const { return finished; }

private:
    CRECTVirtual from;
    CRECTVirtual to;
    float duration;
    float elapsed;
    int finished;
    CListenerList<IChangeListener> listeners;
};

#endif
