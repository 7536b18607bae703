// CField: the flat textured square that marks a field value (a target field)
// in its cell, lying just above the board's top face. The board view owns the
// tiles, turns them with the board and binds their texture.
#ifndef CFIELD_H
#define CFIELD_H

#include <d3d8.h>
#include <d3dx8.h>

#include "C3DRenderObject.h"

class CField : public C3DRenderObject
{
public:
    CField(IDirect3DDevice8* device, D3DXVECTOR3 position, int value, float size);
    virtual ~CField();

    // Draws the tile with the texture bound at the time.
    virtual void Render();

    IDirect3DVertexBuffer8* vertexBuffer;   // six vertices, owned
    int value;                              // field type id shown
};

#endif
