#ifndef C3DBUTTON_H
#define C3DBUTTON_H

#include <string>

#include "C3DAbstractButton.h"

// A button showing a texture (with its alpha), tinted by the window colours,
// which start opaque white. It is drawn a little darker unless the pointer is over it.
class C3DButton : public C3DAbstractButton {
public:
    C3DButton(IDirect3DDevice8* device, CRECTVirtual rect, const char* texture);
    virtual ~C3DButton();

    virtual void Render();

    const std::string& GetTextureName() const { return textureName; }

protected:
    std::string textureName;
    // 1: darker when the pointer is elsewhere; 0: always at the window colours.
    int highlight;
};

#endif
