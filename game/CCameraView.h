// CCameraView: the application's view camera. Dragging with the right button
// up and down swings the eye about the world's x axis, within limits that keep
// it above and in front of the board; the sideways turn belongs to the board.
#ifndef CCAMERAVIEW_H
#define CCAMERAVIEW_H

#include "CCamera.h"
#include "IMouseMotionListener.h"

class CGameController;

class CCameraView : public CCamera, public IMouseMotionListener
{
public:
    CCameraView(D3DXVECTOR3 eye, CGameController* controller, D3DXVECTOR3 direction,
                IDirect3DDevice8* device, D3DXVECTOR3 up);
    virtual ~CCameraView();

    virtual void MouseMoved(CMouseEvent event);
    virtual void MouseDragged(CMouseEvent event);

    CGameController* controller;    // not owned; its running flag gates the drag
};

#endif
