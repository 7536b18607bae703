#ifndef C3DALPHABUTTON_H
#define C3DALPHABUTTON_H

#include "C3DButton.h"

// A textured button whose picture shows through its alpha. highlight 1 lights
// it up under the pointer; 0 draws it plainly (a picture that only shows).
class C3DAlphaButton : public C3DButton {
public:
    C3DAlphaButton(IDirect3DDevice8* device, CRECTVirtual rect, const char* texture, int highlight);
    virtual ~C3DAlphaButton();
};

#endif
