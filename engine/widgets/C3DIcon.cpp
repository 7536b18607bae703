#include "C3DIcon.h"

#include "CResourceManager.h"
#include "CTexMgr.h"

C3DIcon::C3DIcon(IDirect3DDevice8* device_, CRECTVirtual rect_, const char* texture)
    : C3DWindow(device_, rect_), quad(nullptr), textureName(texture ? texture : ""), colorsWritten(0)
{
    SetColor(D3DXCOLOR(1.0f, 1.0f, 1.0f, 1.0f), D3DXCOLOR(1.0f, 1.0f, 1.0f, 1.0f));
    CreateQuad();
}

C3DIcon::~C3DIcon()
{
    if (quad)
        quad->Release();
    quad = nullptr;
}

void C3DIcon::Render()
{
    MarkDrawn();
    if (device && quad) {
        WriteQuad();
        IDirect3DTexture8* texture = CResourceManager::GetTextures()->GetTexture(textureName);
        C2DDrawState state2D(device);
        device->SetTexture(0, texture);
        device->SetStreamSource(0, quad, sizeof(WindowVertex));
        device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2);
    }
    RenderChildren();
}

void C3DIcon::Restore()
{
    if (!quad)
        CreateQuad();
    C3DWindow::Restore();
}

void C3DIcon::CreateQuad()
{
    if (!device)
        return;
    if (FAILED(device->CreateVertexBuffer(4 * sizeof(WindowVertex), D3DUSAGE_WRITEONLY, WINDOW_VERTEX_FVF,
                                          D3DPOOL_MANAGED, &quad))) {
        quad = nullptr;
        return;
    }
    BYTE* data = nullptr;
    if (FAILED(quad->Lock(0, 0, &data, 0)))
        return;
    MakeQuad((WindowVertex*)data, GetPixelRect(), (DWORD)colors[0], (DWORD)colors[1], 0.0f, 0.0f, 1.0f, 1.0f);
    quad->Unlock();
    writtenColors[0] = colors[0];
    writtenColors[1] = colors[1];
    colorsWritten = 1;
}

void C3DIcon::WriteQuad()
{
    BYTE* data = nullptr;
    if (FAILED(quad->Lock(0, 0, &data, 0)))
        return;
    WindowVertex* vertices = (WindowVertex*)data;
    WindowVertex corners[4];
    MakeQuad(corners, GetPixelRect(), (DWORD)colors[0], (DWORD)colors[1], 0.0f, 0.0f, 1.0f, 1.0f);
    bool newColors = !colorsWritten || writtenColors[0] != colors[0] || writtenColors[1] != colors[1];
    for (int i = 0; i < 4; i++) {
        vertices[i].x = corners[i].x;
        vertices[i].y = corners[i].y;
        vertices[i].z = corners[i].z;
        vertices[i].rhw = corners[i].rhw;
        if (newColors)
            vertices[i].color = corners[i].color;
    }
    quad->Unlock();
    writtenColors[0] = colors[0];
    writtenColors[1] = colors[1];
    colorsWritten = 1;
}
