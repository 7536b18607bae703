#include "C3DTextArea.h"

static const char* const AREA_FONT = ".//media//arial.dds";

C3DTextArea::C3DTextArea(IDirect3DDevice8* device_, CRECTVirtual rect_, float size_, D3DXCOLOR color)
    : C3DWindow(device_, rect_), size(size_), textColor(color), renderer(new C3DText(device_))
{
    renderer->SetFontTexture(AREA_FONT);
}

C3DTextArea::~C3DTextArea()
{
    delete renderer;
}

void C3DTextArea::Render()
{
    RenderBackground();
    PixelRect r = GetPixelRect();
    for (size_t i = 0; i < lines.size(); i++) {
        const Line& line = lines[i];
        renderer->color = line.color;
        renderer->DrawTextPixels(line.text.c_str(), r.x + line.at.x * r.width, r.y + line.at.y * r.height,
                                 line.size * r.height);
    }
    RenderChildren();
}

void C3DTextArea::AddText(const char* text, CPOINTVirtual at, float lineSize, D3DXCOLOR color)
{
    if (!text)
        return;
    // Nothing at all in the colour means the area's own; so does a size of 0.
    bool ownColor = color.r == 0.0f && color.g == 0.0f && color.b == 0.0f && color.a == 0.0f;
    Line line;
    line.size = lineSize > 0.0f ? lineSize : size;
    line.color = ownColor ? (DWORD)textColor : (DWORD)color;
    line.at = at;

    const char* start = text;
    for (;;) {
        const char* end = start;
        while (*end && *end != '\n')
            end++;
        line.text.assign(start, end);
        lines.push_back(line);
        if (!*end)
            break;
        start = end + 1;
        line.at.y += line.size;
    }
}

void C3DTextArea::ClearTextArea()
{
    lines.clear();
}
