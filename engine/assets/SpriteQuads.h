#ifndef SPRITEQUADS_H
#define SPRITEQUADS_H

// Camera-facing textured quads, shared by billboards and particle systems: vertices
// built in world space from the current view's right and up axes, drawn as one
// triangle list from user memory.

#include <vector>
#include <d3d8.h>
#include <d3dx8.h>

class CDeviceStates;

struct SpriteVertex
{
    float x, y, z;
    DWORD color;
    float u, v;
};

// Position, colour, one pair of texture coordinates.
const DWORD SPRITE_FVF = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;

// The world-space right and up directions of the device's current view.
void GetViewAxes(IDirect3DDevice8* device, D3DXVECTOR3& right, D3DXVECTOR3& up);

// Appends two triangles: a width x height quad centred on center, facing the viewer,
// with texture coordinates u0..u1 left to right and v0..v1 top to bottom.
void AppendSpriteQuad(std::vector<SpriteVertex>& vertices, const D3DXVECTOR3& center, const D3DXVECTOR3& right,
                      const D3DXVECTOR3& up, float width, float height, DWORD color, float u0, float v0, float u1,
                      float v1);

// States for glowing sprites: unlit, blended with the given factors, no depth
// writes (depth tests stay on), both sides drawn, texture times vertex colour.
void SetSpriteStates(CDeviceStates& states, DWORD sourceBlend, DWORD destinationBlend);

// Draws the quads with an identity world transform.
void DrawSpriteQuads(IDirect3DDevice8* device, const std::vector<SpriteVertex>& vertices);

#endif
