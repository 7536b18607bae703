#ifndef C3DFRAME_H
#define C3DFRAME_H

#include "C3DWindow.h"

// The outline of the frame's rectangle, drawn inside it, border size pixels
// wide (1 unless set) in one packed colour.
class C3DFrame : public C3DWindow {
public:
    C3DFrame(IDirect3DDevice8* device, CRECTVirtual rect, DWORD color);
    virtual ~C3DFrame();

    virtual void Render();

private:
    DWORD frameColor;
};

#endif
