#ifndef C3DSKYBOX_H
#define C3DSKYBOX_H

#include <string>

#include "C3DObject.h"

// A sky mesh drawn around the viewer: centred on the eye of the current view, unlit,
// without writing depth and from both sides. The render states it changes are put
// back afterwards.
class C3DSkyBox : public C3DObject {
public:
    C3DSkyBox(IDirect3DDevice8* device, const char* fileName);
    virtual ~C3DSkyBox();

    virtual void Render();

protected:
    std::string fileName;
};

#endif
