#ifndef C3DPARTICLESYSTEM_H
#define C3DPARTICLESYSTEM_H

#include "C3DObject.h"
#include "C3DParticle.h"

// A group of particles drawn as glowing camera-facing sprites of one size, with the
// texture already set on stage 0 by the caller and each particle's colour.
// Subclasses shape the effect through InitParticle and UpdateParticle.
class C3DParticleSystem : public C3DObject {
public:
    // No particles; sprite size 1.
    C3DParticleSystem();
    C3DParticleSystem(IDirect3DDevice8* device, int count, float particleSize, D3DXVECTOR3 position);
    virtual ~C3DParticleSystem();

    // Called by Move for each alive particle before it moves; nothing by default.
    virtual void UpdateParticle(int index, float seconds);
    // Sets a particle to its start: at the system's origin, still, new and white.
    virtual void InitParticle(int index);
    // Makes every particle alive and calls InitParticle for each.
    virtual void ResetSystem();

    // Applies the system's own modifiers, then for each alive particle: UpdateParticle,
    // and if it is still alive its modifiers and its velocity.
    virtual void Move(float seconds);
    // Draws every alive particle.
    virtual void Render();

    int particleCount;
    float particleSize;
    C3DParticle* particles;   // particleCount particles

private:
    C3DParticleSystem(const C3DParticleSystem&);
    C3DParticleSystem& operator=(const C3DParticleSystem&);
};

#endif
