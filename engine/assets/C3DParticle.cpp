// A particle.

#include "C3DParticle.h"

C3DParticle::C3DParticle()
    : C3DObject(nullptr, D3DXVECTOR3(0.0f, 0.0f, 0.0f)), age(0.0f), alive(0), color(1.0f, 1.0f, 1.0f, 1.0f)
{
}

C3DParticle::~C3DParticle()
{
}
