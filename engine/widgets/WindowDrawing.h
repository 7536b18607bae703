#ifndef WINDOWDRAWING_H
#define WINDOWDRAWING_H

#include <d3d8.h>
#include <d3dx8.h>

#include "WindowLayout.h"

// Every 2D piece of the widgets is drawn from pre-transformed vertices in
// back-buffer pixels with a colour and a texture coordinate pair.
struct WindowVertex
{
    float x, y, z, rhw;
    DWORD color;
    float u, v;
};

enum { WINDOW_VERTEX_FVF = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1 };

// Sets the device up for 2D drawing while it lives: no depth test or depth
// writes, no culling, stencil, fog or lighting, alpha blending, stage 0
// modulating texture and vertex colour (for colour and alpha) and stage 1
// switched off. Puts every state it
// touched back as it was when it goes, and leaves stage 0 without a texture.
class C2DDrawState
{
public:
    explicit C2DDrawState(IDirect3DDevice8* device);
    ~C2DDrawState();

private:
    C2DDrawState(const C2DDrawState&);
    C2DDrawState& operator=(const C2DDrawState&);

    enum { RENDER_STATES = 10, STAGE_STATES = 7 };
    IDirect3DDevice8* device;
    DWORD renderValues[RENDER_STATES];
    DWORD stageValues[STAGE_STATES];
    DWORD shader;
};

// Multiplies the alpha of a packed colour by 'factor' (0..1).
DWORD ScaleAlpha(DWORD color, float factor);

// Fills the four vertices of a quad over 'r' in triangle-strip order:
// bottom-left, top-left, bottom-right, top-right. The top two get 'top', the
// bottom two 'bottom'; the texture coordinates cover u0..u1 and v0..v1.
void MakeQuad(WindowVertex quad[4], const PixelRect& r, DWORD top, DWORD bottom,
              float u0, float v0, float u1, float v1);

// Draws a quad (in 2D state) with an optional texture; a null texture draws the
// vertex colours alone.
void DrawQuad(IDirect3DDevice8* device, const PixelRect& r, DWORD top, DWORD bottom,
              IDirect3DTexture8* texture);

#endif
