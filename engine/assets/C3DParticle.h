#ifndef C3DPARTICLE_H
#define C3DPARTICLE_H

#include "C3DObject.h"

// One particle of a particle system: an engine object (so modifiers can be attached
// to it) with an age, an alive flag and a colour. Its position is relative to the
// system's position.
class C3DParticle : public C3DObject {
public:
    C3DParticle();
    virtual ~C3DParticle();

    float age;
    int alive;
    D3DXCOLOR color;
};

#endif
