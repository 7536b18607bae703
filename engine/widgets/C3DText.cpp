#include "C3DText.h"

#include <map>
#include <vector>

#include "C3DWindow.h"
#include "CResourceManager.h"
#include "CTexMgr.h"
#include "Image.h"
#include "TextEncoding.h"
#include "WindowDrawing.h"

static const char* const DEFAULT_FONT = ".//media//arial.dds";
static const float DEFAULT_SIZE = 0.05f;
static const float CELL_UV = 1.0f / GLYPH_ATLAS_CELLS;

const GlyphWidths* GetFontGlyphWidths(const std::string& path)
{
    static std::map<std::string, GlyphWidths> measured;
    std::map<std::string, GlyphWidths>::iterator found = measured.find(path);
    if (found != measured.end())
        return &found->second;

    GlyphWidths& widths = measured[path];
    Image atlas;
    std::string error;
    if (LoadImageFile(path, atlas, error)) {
        // Pixels are 0xAARRGGBB words, so alpha is the top byte of each.
        MeasureGlyphWidths(reinterpret_cast<const unsigned char*>(atlas.pixels.data()), atlas.width * 4,
                           atlas.width, atlas.height, &widths);
    } else {
        DefaultGlyphWidths(&widths);
    }
    return &widths;
}

C3DText::C3DText(IDirect3DDevice8* device_)
    : color(DEFAULT_COLOR),
      effects(EFFECT_NONE),
      device(device_),
      fontTexture(DEFAULT_FONT),
      widths(0),
      sizeHeight(DEFAULT_SIZE),
      sizeWidth(0.0f)
{
}

C3DText::~C3DText()
{
}

void C3DText::SetFontTexture(const char* path)
{
    fontTexture = path ? path : DEFAULT_FONT;
    widths = 0;
}

void C3DText::SetTextSizeVirtual(float height, float width)
{
    sizeHeight = height;
    sizeWidth = width;
}

CRECTVirtual C3DText::GetTextExtendsVirtual(const char* text, CPOINTVirtual at)
{
    float screenWidth, screenHeight;
    C3DWindow::GetScreenSize(device, &screenWidth, &screenHeight);
    float widthPixels = GetTextWidthPixels(text, sizeHeight * screenHeight);
    return CRECTVirtual(at.x, at.y, widthPixels / screenWidth, sizeHeight);
}

void C3DText::DrawTextA(const char* text, CPOINTVirtual at)
{
    float screenWidth, screenHeight;
    C3DWindow::GetScreenSize(device, &screenWidth, &screenHeight);
    DrawTextPixels(text, at.x * screenWidth, at.y * screenHeight, sizeHeight * screenHeight);
}

float C3DText::GetTextWidthPixels(const char* text, float cellPixels)
{
    if (!text)
        return 0.0f;
    if (!widths)
        widths = GetFontGlyphWidths(fontTexture);
    return TextAdvanceInCells(Utf8ToLatin1(text), *widths) * cellPixels * StretchFor(cellPixels);
}

void C3DText::DrawTextPixels(const char* text, float x, float y, float cellPixels)
{
    if (!device || !text || !*text || cellPixels <= 0.0f)
        return;
    if (!widths)
        widths = GetFontGlyphWidths(fontTexture);
    std::string latin1 = Utf8ToLatin1(text);
    if (effects & EFFECT_SHADDOW) {
        float offset = cellPixels / 16.0f;
        if (offset < 1.0f)
            offset = 1.0f;
        DWORD shadow = ScaleAlpha(0xFF000000, (float)(color >> 24) / 255.0f * 0.75f);
        DrawGlyphs(latin1, x + offset, y + offset, cellPixels, shadow);
    }
    DrawGlyphs(latin1, x, y, cellPixels, color);
}

float C3DText::StretchFor(float cellPixels) const
{
    if (sizeWidth <= 0.0f || cellPixels <= 0.0f)
        return 1.0f;
    float screenWidth, screenHeight;
    C3DWindow::GetScreenSize(device, &screenWidth, &screenHeight);
    return sizeWidth * screenWidth / cellPixels;
}

void C3DText::DrawGlyphs(const std::string& latin1, float x, float y, float cellPixels, DWORD glyphColor)
{
    IDirect3DTexture8* atlas = CResourceManager::GetTextures()->GetTexture(fontTexture);
    float stretch = StretchFor(cellPixels);
    float cellWidth = cellPixels * stretch;

    std::vector<WindowVertex> vertices;
    vertices.reserve(latin1.size() * 6);
    float penX = x;
    for (size_t i = 0; i < latin1.size(); i++) {
        unsigned char code = (unsigned char)latin1[i];
        float u0 = (float)(code % GLYPH_ATLAS_CELLS) * CELL_UV;
        float v0 = (float)(code / GLYPH_ATLAS_CELLS) * CELL_UV;
        PixelRect cell = { penX, y, cellWidth, cellPixels };
        WindowVertex quad[4];
        MakeQuad(quad, cell, glyphColor, glyphColor, u0, v0, u0 + CELL_UV, v0 + CELL_UV);
        // Two triangles of the strip order: 0 1 2 and 2 1 3.
        vertices.push_back(quad[0]);
        vertices.push_back(quad[1]);
        vertices.push_back(quad[2]);
        vertices.push_back(quad[2]);
        vertices.push_back(quad[1]);
        vertices.push_back(quad[3]);
        penX += widths->advance[code] * cellWidth;
    }
    if (vertices.empty())
        return;

    C2DDrawState state2D(device);
    // Glyphs come from the atlas' full-size level only: its smaller levels
    // blur the thin strokes of small text into the background.
    DWORD mipFilter = D3DTEXF_NONE;
    device->GetTextureStageState(0, D3DTSS_MIPFILTER, &mipFilter);
    device->SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTEXF_NONE);
    device->SetTexture(0, atlas);
    device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, (UINT)(vertices.size() / 3), &vertices[0], sizeof(WindowVertex));
    device->SetTextureStageState(0, D3DTSS_MIPFILTER, mipFilter);
}
