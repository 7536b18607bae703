#include "CStone.h"

#include "CGlobForceModifier.h"
#include "CShadowVolume.h"

CStone::CStone(IDirect3DDevice8* device, D3DXVECTOR3 position, int type, float cellSize,
               CStoneInfo* info, CGridView* owner, int gravity)
    : C3DRenderObject(device, position, D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 0)),
      gravity(0), shadow(0), visible(1), shadowVolume(new CShadowVolume()), vertexBuffer(0),
      type(type), halfSize(cellSize / 2.0f), gravityModifier(0), info(info), owner(owner),
      color(1.0f, 1.0f, 1.0f, 0.6f), appearTimer(0)
{
    ZeroMemory(&material, sizeof(material));
    if (gravity == 1)
        gravityModifier = new CGlobForceModifier(D3DXVECTOR3(0.0f, -1.0f, 0.0f), 9.81f);
    SetGravity(gravity);
}

CStone::~CStone()
{
    if (vertexBuffer)
        vertexBuffer->Release();
    delete shadowVolume;
    delete gravityModifier;
}

void CStone::Render() {}
void CStone::Move(float seconds) { C3DRenderObject::Move(seconds); }
void CStone::Explode() {}

void CStone::SetGravity(int on)
{
    if (gravityModifier) {
        RemoveModifier(gravityModifier);
        if (on == 1)
            AddModifier(gravityModifier);
    }
    gravity = on;
}

int CStone::HitTest(D3DXVECTOR3 rayStart, D3DXVECTOR3 rayDir, float* distance)
{
    (void)rayStart; (void)rayDir; (void)distance;
    return 0;
}

void CStone::SetColor(float r, float g, float b, float a) { color = D3DXCOLOR(r, g, b, a); }
void CStone::ResetColor() {}
void CStone::SetVertexFormat() {}
void CStone::UpdateShadowFlag() {}
void CStone::stateChanged(CChangeEvent event) { (void)event; visible = 1; }
void CStone::SetAppearTimer(CTimer* timer) { appearTimer = timer; }
void CStone::WriteBox() {}
