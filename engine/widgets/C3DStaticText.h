#ifndef C3DSTATICTEXT_H
#define C3DSTATICTEXT_H

#include <string>

#include "C3DWindow.h"
#include "C3DText.h"

// One line of text, left-aligned in the window; the glyph cells are as high as the window.
class C3DStaticText : public C3DWindow {
public:
    C3DStaticText(IDirect3DDevice8* device, CRECTVirtual rect, const char* text, const char* font);
    virtual ~C3DStaticText();

    virtual void Render();

    void SetText(const char* text);
    const char* GetText() const { return text.c_str(); }
    // The renderer whose colour and effects callers may restyle.
    C3DText* GetTextRenderer() { return renderer; }

private:
    std::string text;
    C3DText* renderer;
};

#endif
