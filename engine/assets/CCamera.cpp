// View camera.

#include "CCamera.h"

#include <cmath>

CCamera::CCamera(D3DXVECTOR3 eye, D3DXVECTOR3 dir, IDirect3DDevice8* dev, D3DXVECTOR3 upVector)
    : C3DObject(dev, eye), direction(dir), target(eye + dir), up(upVector), lookAtTarget(0)
{
    D3DXMatrixIdentity(&view);
}

CCamera::~CCamera()
{
}

void CCamera::SetPosition(D3DXVECTOR3 eye)
{
    position = eye;
}

void CCamera::Move(float seconds)
{
    C3DObject::Move(seconds);
    ApplyView();
}

void CCamera::DoDuties()
{
    ApplyView();
}

D3DXVECTOR3 CCamera::GetLookAtPoint() const
{
    return lookAtTarget ? target : position + direction;
}

void CCamera::ApplyView()
{
    D3DXVECTOR3 at = GetLookAtPoint();
    D3DXVECTOR3 sight = at - position;
    D3DXVECTOR3 side;
    D3DXVec3Cross(&side, &up, &sight);
    float sightLength = D3DXVec3Length(&sight);
    if (!(sightLength > 1e-6f) || !(D3DXVec3Length(&side) > 1e-6f * sightLength))
        return;

    D3DXMatrixLookAtLH(&view, &position, &at, &up);
    if (device)
        device->SetTransform(D3DTS_VIEW, &view);
}
