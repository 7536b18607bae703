#ifndef C3DTEXTBUTTON_H
#define C3DTEXTBUTTON_H

#include <string>

#include "C3DAbstractButton.h"
#include "C3DText.h"

// A button with a line of text centred on a background of one colour (both
// window colours). Under the pointer the background lights up.
class C3DTextButton : public C3DAbstractButton {
public:
    C3DTextButton(IDirect3DDevice8* device, CRECTVirtual rect, const char* text, const char* font,
                  D3DXCOLOR color);
    virtual ~C3DTextButton();

    virtual void Render();

    void SetText(const char* text);
    const char* GetText() const { return text.c_str(); }
    C3DText* GetTextRenderer() { return renderer; }

private:
    std::string text;
    C3DText* renderer;
};

#endif
