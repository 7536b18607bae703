#include "C3DRenderObject.h"

C3DRenderObject::C3DRenderObject(IDirect3DDevice8* dev, D3DXVECTOR3 pos, D3DXVECTOR3 vel, D3DXVECTOR3 angles)
    : C3DObject(dev, pos), yaw(angles.y), pitch(angles.x), roll(angles.z)
{
    velocity = vel;
    D3DXMatrixIdentity(&rotation);
    ComposeWorld();
}

C3DRenderObject::~C3DRenderObject()
{
}

void C3DRenderObject::ComposeWorld()
{
    D3DXMATRIX scaling, turn, translation;
    D3DXMatrixScaling(&scaling, scale, scale, scale);
    D3DXMatrixRotationYawPitchRoll(&turn, yaw, pitch, roll);
    D3DXMatrixTranslation(&translation, position.x, position.y, position.z);
    D3DXMatrixMultiply(&world, &scaling, &turn);
    D3DXMatrixMultiply(&world, &world, &translation);
    D3DXMatrixMultiply(&world, &world, &rotation);
}

void C3DRenderObject::Move(float seconds)
{
    C3DObject::Move(seconds);
    ComposeWorld();
}

void C3DRenderObject::Render()
{
    if (device)
        device->SetTransform(D3DTS_WORLD, &world);
}
