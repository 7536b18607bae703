#ifndef CWINDOWSCALEMODIFIER_H
#define CWINDOWSCALEMODIFIER_H

#include "CTimedModifier.h"
#include "CRECTVirtual.h"

// Moves a window's rectangle evenly from one rectangle to another over a time,
// then sends one CChangeEvent (the window as source) to its change listeners
// and leaves the window alone.
class CWindowScaleModifier : public CTimedModifier {
public:
    CWindowScaleModifier(CRECTVirtual from, CRECTVirtual to, float seconds);
    virtual ~CWindowScaleModifier();

    // The target must be a C3DWindow; other objects are left alone.
    virtual void apply(CModEvent event);

private:
    CRECTVirtual from;
    CRECTVirtual to;
};

#endif
