#ifndef C3DICON_H
#define C3DICON_H

#include <string>

#include "C3DWindow.h"
#include "WindowDrawing.h"

// A textured quad tinted by the window colours: the texture's colour and alpha
// times the colours, so a colour with alpha 0 hides the icon. Icons start
// opaque white. Texture coordinates outside 0..1 wrap.
class C3DIcon : public C3DWindow {
public:
    C3DIcon(IDirect3DDevice8* device, CRECTVirtual rect, const char* texture);
    virtual ~C3DIcon();

    virtual void Render();
    virtual void Restore();

    const std::string& GetTextureName() const { return textureName; }

protected:
    // The quad: four WindowVertex (WINDOW_VERTEX_FVF) in the corner order
    // bottom-left, top-left, bottom-right, top-right, drawn as a triangle strip.
    // Render writes the positions every frame, the colours only when the window
    // colours have changed since it last wrote them, and the texture
    // coordinates (0..1) only when the buffer is made; so a subclass may lock
    // the buffer and rewrite colours and texture coordinates itself.
    IDirect3DVertexBuffer8* quad;
    std::string textureName;

private:
    void CreateQuad();
    void WriteQuad();

    int colorsWritten;
    D3DXCOLOR writtenColors[2];
};

#endif
