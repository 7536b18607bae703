// Mesh scene object.

#include "C3DXObject.h"

#include "CDeviceStates.h"
#include "CResourceManager.h"
#include "CXMesh.h"
#include "CXObjectLoader.h"

C3DXObject::C3DXObject(IDirect3DDevice8* dev, const char* name, D3DXVECTOR3 pos, D3DXVECTOR3 vel,
                       D3DXVECTOR3 angles)
    : C3DRenderObject(dev, pos, vel, angles), fileName(name ? name : "")
{
    CResourceManager::GetXObjLoader()->GetXObjectIndex(fileName);
}

C3DXObject::~C3DXObject()
{
}

void C3DXObject::Render()
{
    if (!device)
        return;
    C3DRenderObject::Render();

    // A scaled mesh would otherwise be lit with scaled normals.
    CDeviceStates states(device);
    states.SetRenderState(D3DRS_NORMALIZENORMALS, TRUE);
    CResourceManager::GetXObjLoader()->GetXObject(fileName)->Render(device);
}
