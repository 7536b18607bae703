#ifndef C3DXOBJECT_H
#define C3DXOBJECT_H

#include <string>

#include "C3DRenderObject.h"

// A scene object drawn with a .x mesh from the mesh cache. Move composes the world
// matrix from scale, yaw, position and rotation; Render sets it and draws the mesh.
// The mesh is found by file name on each draw, so emptying the mesh cache never
// leaves this object with a stale mesh.
class C3DXObject : public C3DRenderObject {
public:
    C3DXObject(IDirect3DDevice8* device, const char* fileName, D3DXVECTOR3 position, D3DXVECTOR3 velocity,
               D3DXVECTOR3 angles);
    virtual ~C3DXObject();

    virtual void Render();

protected:
    std::string fileName;
};

#endif
