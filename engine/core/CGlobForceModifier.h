#ifndef CGLOBFORCEMODIFIER_H
#define CGLOBFORCEMODIFIER_H

#include <d3dx8.h>
#include "IModifier.h"

// A constant acceleration: adds direction * strength * seconds to the target's
// velocity. The direction is used as given (not normalised), so its length
// scales the force.
class CGlobForceModifier : public IModifier {
public:
    CGlobForceModifier(D3DXVECTOR3 direction, float strength);
    virtual ~CGlobForceModifier();

    virtual void apply(CModEvent event);

    D3DXVECTOR3 direction;
    float strength;
};

#endif
