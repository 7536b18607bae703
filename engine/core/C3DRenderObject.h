#ifndef C3DRENDEROBJECT_H
#define C3DRENDEROBJECT_H

#include "C3DObject.h"

// A scene object with an orientation. Its world matrix is composed by Move as
//   scaling * own rotation (yaw, pitch, roll) * translation to the position * rotation
// (row vectors, left factor first), so an object turned by the rotation matrix
// turns about the origin together with everything else that gets the same matrix.
// Render sets the stored world matrix as it stands; code that writes the matrix
// directly and never calls Move gets exactly what it wrote.
class C3DRenderObject : public C3DObject {
public:
    // angles holds pitch (x), yaw (y) and roll (z) of the object's own turn.
    C3DRenderObject(IDirect3DDevice8* device, D3DXVECTOR3 position, D3DXVECTOR3 velocity, D3DXVECTOR3 angles);
    virtual ~C3DRenderObject();

    virtual void Render();
    virtual void Move(float seconds);

    // Builds the world matrix from scale, own angles, position and rotation.
    void ComposeWorld();

    D3DXMATRIX rotation;
    float yaw;
    float pitch;
    float roll;
};

#endif
