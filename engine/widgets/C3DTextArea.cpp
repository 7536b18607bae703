#include "C3DTextArea.h"

static const char* const AREA_FONT = ".//media//arial.dds";

C3DTextArea::C3DTextArea(IDirect3DDevice8* device_, CRECTVirtual rect_, float size_, D3DXCOLOR color)
    : C3DWindow(device_, rect_), size(size_), blocks(0), textColor(color), renderer(new C3DText(device_))
{
    renderer->SetFontTexture(AREA_FONT);
    // Area texts are dark on dark windows and panels: they always get the halo.
    renderer->effects |= C3DText::EFFECT_SHADDOW;
}

C3DTextArea::~C3DTextArea()
{
    delete renderer;
}

void C3DTextArea::Render()
{
    RenderBackground();
    PixelRect r = GetPixelRect();
    renderer->SetClipPixels(r);
    for (size_t first = 0; first < lines.size();) {
        size_t end = first + 1;
        while (end < lines.size() && lines[end].block == lines[first].block)
            end++;
        DrawBlock(r, first, end);
        first = end;
    }
    renderer->ClearClip();
    RenderChildren();
}

void C3DTextArea::DrawBlock(const PixelRect& r, size_t first, size_t end)
{
    const Line& head = lines[first];
    float cell = C3DText::ReadableCell(head.size * r.height);
    float left = r.x + head.at.x * r.width;
    float top = r.y + head.at.y * r.height;
    if (head.cutWidth <= 0.0f) {
        // The block shrinks as one, so that its widest line and its last line stay inside.
        float widest = 0.0f;
        for (size_t i = first; i < end; i++) {
            float width = renderer->GetTextWidthPixels(lines[i].text.c_str(), cell);
            if (width > widest)
                widest = width;
        }
        float scale = 1.0f;
        float roomRight = r.x + r.width - left, roomDown = r.y + r.height - top;
        if (widest > roomRight && widest > 0.0f)
            scale = roomRight / widest;
        float tall = (float)(end - first) * cell * scale;
        if (tall > roomDown && tall > 0.0f)
            scale *= roomDown / tall;
        if (scale > 0.0f)
            cell *= scale;
    }
    for (size_t i = first; i < end; i++) {
        const Line& line = lines[i];
        renderer->color = line.color;
        std::string shown = line.cutWidth > 0.0f ? renderer->Shortened(line.text.c_str(), line.cutWidth * r.width, cell)
                                                 : line.text;
        renderer->DrawTextPixels(shown.c_str(), left, top + (float)(i - first) * cell, cell);
    }
}

void C3DTextArea::AddTextCut(const char* text, CPOINTVirtual at, float width)
{
    size_t before = lines.size();
    AddText(text, at, 0.0f, D3DXCOLOR(0.0f, 0.0f, 0.0f, 0.0f));
    for (size_t i = before; i < lines.size(); i++)
        lines[i].cutWidth = width;
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
    line.block = blocks++;
    line.cutWidth = 0.0f;

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
