// Particle system.

#include "C3DParticleSystem.h"

#include "CDeviceStates.h"
#include "SpriteQuads.h"

C3DParticleSystem::C3DParticleSystem()
    : C3DObject(nullptr, D3DXVECTOR3(0.0f, 0.0f, 0.0f)), particleCount(0), particleSize(1.0f), particles(nullptr)
{
}

C3DParticleSystem::C3DParticleSystem(IDirect3DDevice8* dev, int count, float size, D3DXVECTOR3 pos)
    : C3DObject(dev, pos), particleCount(count > 0 ? count : 0), particleSize(size), particles(nullptr)
{
    if (particleCount > 0)
        particles = new C3DParticle[particleCount];
}

C3DParticleSystem::~C3DParticleSystem()
{
    delete[] particles;
}

void C3DParticleSystem::UpdateParticle(int, float)
{
}

void C3DParticleSystem::InitParticle(int index)
{
    C3DParticle& p = particles[index];
    p.position = D3DXVECTOR3(0.0f, 0.0f, 0.0f);
    p.velocity = D3DXVECTOR3(0.0f, 0.0f, 0.0f);
    p.age = 0.0f;
    p.color = D3DXCOLOR(1.0f, 1.0f, 1.0f, 1.0f);
}

void C3DParticleSystem::ResetSystem()
{
    for (int i = 0; i < particleCount; i++) {
        particles[i].alive = 1;
        InitParticle(i);
    }
}

void C3DParticleSystem::Move(float seconds)
{
    C3DObject::Move(seconds);
    for (int i = 0; i < particleCount; i++) {
        if (!particles[i].alive)
            continue;
        UpdateParticle(i, seconds);
        if (particles[i].alive)
            particles[i].Move(seconds);
    }
}

void C3DParticleSystem::Render()
{
    if (!device)
        return;

    D3DXVECTOR3 right, up;
    GetViewAxes(device, right, up);
    std::vector<SpriteVertex> quads;
    quads.reserve((size_t)particleCount * 6);
    for (int i = 0; i < particleCount; i++) {
        const C3DParticle& p = particles[i];
        if (p.alive)
            AppendSpriteQuad(quads, position + p.position, right, up, particleSize, particleSize, (DWORD)p.color,
                             0.0f, 0.0f, 1.0f, 1.0f);
    }

    // Additive: the particles glow, and their colour's alpha fades them out.
    CDeviceStates states(device);
    SetSpriteStates(states, D3DBLEND_SRCALPHA, D3DBLEND_ONE);
    DrawSpriteQuads(device, quads);
}
