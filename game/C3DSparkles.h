// C3DSparkles: the shower of glowing sparks thrown by a bursting stone. The
// sparks fly out and up, fall, slow down and fade from white to red; each may
// die at random, the more likely the older it is. The system marks itself for
// deletion when its last spark has died.
#ifndef C3DSPARKLES_H
#define C3DSPARKLES_H

#include <string>

#include "C3DParticleSystem.h"

class CGlobForceModifier;

class C3DSparkles : public C3DParticleSystem
{
public:
    // No particles, no gravity; not used by the game.
    C3DSparkles();
    // particleSize is the sprite size of the engine's particle system.
    C3DSparkles(IDirect3DDevice8* device, int count, float particleSize, D3DXVECTOR3 position);
    virtual ~C3DSparkles();

    virtual void Render();
    virtual void UpdateParticle(int index, float seconds);
    virtual void InitParticle(int index);

    int liveParticles;          // particles that have not died yet
    std::string textureName;
    CGlobForceModifier* gravity;    // attached to every particle; owned

private:
    C3DSparkles(const C3DSparkles&);
    C3DSparkles& operator=(const C3DSparkles&);
};

#endif
