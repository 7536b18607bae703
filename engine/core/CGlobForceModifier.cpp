#include "CGlobForceModifier.h"

#include "C3DObject.h"

CGlobForceModifier::CGlobForceModifier(D3DXVECTOR3 dir, float force)
    : direction(dir), strength(force)
{
}

CGlobForceModifier::~CGlobForceModifier()
{
}

void CGlobForceModifier::apply(CModEvent event)
{
    C3DObject* target = event.GetTarget();
    if (!target)
        return;
    target->velocity += direction * (strength * event.GetSeconds());
}
