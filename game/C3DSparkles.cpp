#include "C3DSparkles.h"

#include <cstdlib>

#include "CGlobForceModifier.h"
#include "CResourceManager.h"
#include "CTexMgr.h"

C3DSparkles::C3DSparkles()
    : C3DParticleSystem(), liveParticles(0), gravity(nullptr)
{
}

C3DSparkles::C3DSparkles(IDirect3DDevice8* dev, int count, float size, D3DXVECTOR3 pos)
    : C3DParticleSystem(dev, count, size, pos), liveParticles(count), textureName(".//media//sun.jpg"),
      gravity(new CGlobForceModifier(D3DXVECTOR3(0.0f, -10.0f, 0.0f), 12.0f))
{
}

C3DSparkles::~C3DSparkles()
{
    // The particles only point at the modifier and never touch it when they go.
    delete gravity;
}

void C3DSparkles::InitParticle(int index)
{
    C3DParticle& p = particles[index];
    p.position = D3DXVECTOR3(0.0f, 0.0f, 0.0f);
    // The order of the draws decides which value goes to which axis.
    int r1 = rand();
    int r2 = rand();
    int r3 = rand();
    p.velocity = D3DXVECTOR3((float)(r1 % 50 - 25), (float)(r2 % 50), (float)(r3 % 50 - 25));
    p.age = 0.0f;
    // A second reset must not make gravity pull twice.
    if (gravity && !p.HasModifier(gravity))
        p.AddModifier(gravity);
    p.color = D3DXCOLOR(1.0f, 1.0f, 1.0f, 1.0f);
}

void C3DSparkles::UpdateParticle(int index, float seconds)
{
    C3DParticle& p = particles[index];
    if (!p.alive)
        return;

    // A spark dies when its age, in units of 4 s, passes a random mark between 0
    // and 2: the older it is, the likelier it goes in any frame.
    float f = p.age / 4.0f;
    float mark = (float)((rand() % 1001) / 500.0);
    if (f <= mark) {
        p.age += seconds;
        p.velocity *= 1.0f - seconds * 0.6f;
        // From white to red in 0.8 s of age; the packing clamps beyond that.
        float s = f * 5.0f;
        D3DXCOLOR white(1.0f, 1.0f, 1.0f, 1.0f);
        D3DXCOLOR red(1.0f, 0.0f, 0.0f, 0.0f);
        p.color = white + (red - white) * s;
        return;
    }

    liveParticles--;
    if (liveParticles < 1)
        markedForDeletion = 1;
    p.alive = 0;
}

void C3DSparkles::Render()
{
    if (device)
        device->SetTexture(0, CResourceManager::GetTextures()->GetTexture(textureName));
    C3DParticleSystem::Render();
}
