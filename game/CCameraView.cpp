#include "CCameraView.h"

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
    (void)event;
}
