#ifndef CCAMERA_H
#define CCAMERA_H

#include "C3DObject.h"

// The view camera. The eye is the object's position. With lookAtTarget set the
// camera looks at the target point, otherwise along its direction from the eye.
// Move and DoDuties put the view (D3DXMatrixLookAtLH of eye, looked-at point and up)
// on the device at once, so a camera moved in code can be applied the same frame.
class CCamera : public C3DObject {
public:
    CCamera(D3DXVECTOR3 eye, D3DXVECTOR3 direction, IDirect3DDevice8* device, D3DXVECTOR3 up);
    virtual ~CCamera();

    // Moves the eye.
    void SetPosition(D3DXVECTOR3 eye);

    // Applies the modifiers and velocity like any object, then sets the view.
    virtual void Move(float seconds);
    // Sets the view.
    virtual void DoDuties();

    // The point the camera looks at now (the target, or eye + direction).
    D3DXVECTOR3 GetLookAtPoint() const;

    // Builds the view matrix into view and sets it on the device. An eye on the
    // looked-at point, or an up along the line of sight, has no view: the last view
    // is kept rather than filling the device with NaNs.
    void ApplyView();

    D3DXVECTOR3 direction;
    D3DXVECTOR3 target;
    D3DXVECTOR3 up;
    int lookAtTarget;    // 1: look at target; 0: look along direction
    D3DXMATRIX view;     // the last view set
};

#endif
