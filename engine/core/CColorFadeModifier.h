#ifndef CCOLORFADEMODIFIER_H
#define CCOLORFADEMODIFIER_H

#include <d3dx8.h>
#include "CTimedModifier.h"

// Fades a window between its own colours and a given colour. Direction 0 starts
// at the given colour and clears to the window's colours over the duration;
// direction 1 goes from the window's colours to the given colour and stays there.
// When the time is up it sends one change event to its listeners.
class CColorFadeModifier : public CTimedModifier {
public:
    CColorFadeModifier(int direction, float duration, D3DXCOLOR color);
    virtual ~CColorFadeModifier();

    virtual void apply(CModEvent event);

    // Blend weight of the given colour after t seconds (1 = fully the given colour).
    float WeightAt(float seconds) const;

private:
    int direction;
    D3DXCOLOR color;
    int started;
    D3DXCOLOR startColor[2];
};

#endif
