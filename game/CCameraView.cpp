#include "CCameraView.h"

#include "CGameController.h"

CCameraView::CCameraView(D3DXVECTOR3 eye, CGameController* controller, D3DXVECTOR3 direction,
                         IDirect3DDevice8* device, D3DXVECTOR3 up)
    : CCamera(eye, direction, device, up), controller(controller)
{
}

CCameraView::~CCameraView()
{
}

void CCameraView::MouseMoved(CMouseEvent event)
{
    (void)event;
}

void CCameraView::MouseDragged(CMouseEvent event)
{
    if (event.GetKind() != CMouseEvent::MOUSE_DRAG_2 || !controller || controller->running != 1)
        return;

    // Upward motion swings the eye over the board about the world's x axis.
    float d = (event.GetPrevY() - event.GetY()) * 10.0f;
    D3DXMATRIX turn;
    D3DXMatrixRotationX(&turn, -d);
    D3DXVECTOR3 eye;
    D3DXVec3TransformCoord(&eye, &position, &turn);

    D3DXVECTOR3 n;
    D3DXVec3Normalize(&n, &eye);
    D3DXVECTOR3 back(0.0f, 0.0f, -1.0f);
    double c = D3DXVec3Dot(&n, &back);

    // Keep the eye in front of the board and above it, neither flat nor
    // straight overhead; a step that would leave that range is refused whole.
    if (c > 0.1 && c < 0.96 && eye.y > 0.0f && eye.z < 0.0f)
        SetPosition(eye);
}
