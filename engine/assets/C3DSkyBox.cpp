// Sky mesh.

#include "C3DSkyBox.h"

#include "CDeviceStates.h"
#include "CResourceManager.h"
#include "CXMesh.h"
#include "CXObjectLoader.h"

C3DSkyBox::C3DSkyBox(IDirect3DDevice8* dev, const char* name)
    : C3DObject(dev, D3DXVECTOR3(0.0f, 0.0f, 0.0f)), fileName(name ? name : "")
{
    CResourceManager::GetXObjLoader()->GetXObjectIndex(fileName);
}

C3DSkyBox::~C3DSkyBox()
{
}

void C3DSkyBox::Render()
{
    if (!device)
        return;

    // The eye is the translation of the inverse view.
    D3DXMATRIX view, inverse;
    device->GetTransform(D3DTS_VIEW, &view);
    if (!D3DXMatrixInverse(&inverse, nullptr, &view))
        D3DXMatrixIdentity(&inverse);
    position = D3DXVECTOR3(inverse._41, inverse._42, inverse._43);
    D3DXMatrixTranslation(&world, position.x, position.y, position.z);
    device->SetTransform(D3DTS_WORLD, &world);

    CDeviceStates states(device);
    states.SetRenderState(D3DRS_LIGHTING, FALSE);
    states.SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    states.SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    // Clamped texture edges keep the seams between the sky's faces invisible.
    states.SetTextureStageState(0, D3DTSS_ADDRESSU, D3DTADDRESS_CLAMP);
    states.SetTextureStageState(0, D3DTSS_ADDRESSV, D3DTADDRESS_CLAMP);

    CResourceManager::GetXObjLoader()->GetXObject(fileName)->Render(device);
}
