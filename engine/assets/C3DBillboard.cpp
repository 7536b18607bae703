// Animated camera-facing sprite.

#include "C3DBillboard.h"

#include "CDeviceStates.h"
#include "CResourceManager.h"
#include "CTexMgr.h"
#include "SpriteQuads.h"

namespace {

int AtLeastOne(int value)
{
    return value > 0 ? value : 1;
}

}

C3DBillboard::C3DBillboard(IDirect3DDevice8* dev, float w, float h, D3DXVECTOR3 pos, int frames, int frameW,
                           int frameH, int cols, int rowCount, int fps)
    : C3DRenderObject(dev, pos, D3DXVECTOR3(0.0f, 0.0f, 0.0f), D3DXVECTOR3(0.0f, 0.0f, 0.0f)),
      width(w), height(h),
      // Nonsense sizes would divide by zero; they count as one.
      frameCount(AtLeastOne(frames)), frameWidth(AtLeastOne(frameW)), frameHeight(AtLeastOne(frameH)),
      columns(AtLeastOne(cols)), rows(AtLeastOne(rowCount)), framesPerSecond(AtLeastOne(fps)), elapsed(0.0f)
{
}

C3DBillboard::~C3DBillboard()
{
}

void C3DBillboard::SetTexture(const char* fileName)
{
    textureName = fileName ? fileName : "";
}

int C3DBillboard::GetCurrentFrame() const
{
    int frame = (int)(elapsed * framesPerSecond);
    if (frame < 0)
        return 0;
    return frame < frameCount ? frame : frameCount - 1;
}

void C3DBillboard::Move(float seconds)
{
    C3DRenderObject::Move(seconds);
    elapsed += seconds;
    if (elapsed * framesPerSecond >= (float)frameCount)
        MarkForDeletion();
}

void C3DBillboard::Render()
{
    if (!device)
        return;

    // The cell of the current frame; half a texel inside its edges so filtering
    // never picks up the neighbouring frame.
    int frame = GetCurrentFrame();
    int column = frame % columns;
    int row = (frame / columns) % rows;
    float sheetW = (float)frameWidth * columns, sheetH = (float)frameHeight * rows;
    float u0 = (column * frameWidth + 0.5f) / sheetW, u1 = ((column + 1) * frameWidth - 0.5f) / sheetW;
    float v0 = (row * frameHeight + 0.5f) / sheetH, v1 = ((row + 1) * frameHeight - 0.5f) / sheetH;

    D3DXVECTOR3 right, up;
    GetViewAxes(device, right, up);
    std::vector<SpriteVertex> quad;
    AppendSpriteQuad(quad, position, right, up, width, height, 0xFFFFFFFF, u0, v0, u1, v1);

    CDeviceStates states(device);
    SetSpriteStates(states, D3DBLEND_ONE, D3DBLEND_ONE);
    device->SetTexture(0, textureName.empty() ? nullptr : CResourceManager::GetTextures()->GetTexture(textureName));
    DrawSpriteQuads(device, quad);
}
