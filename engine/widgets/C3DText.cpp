#include "C3DText.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <vector>

#include "C3DWindow.h"
#include "CResourceManager.h"
#include "CTexMgr.h"
#include "Image.h"
#include "SizedFont.h"
#include "TextEncoding.h"
#include "WindowDrawing.h"

static const char* const DEFAULT_FONT = ".//media//arial.dds";
static const float DEFAULT_SIZE = 0.05f;
static const float CELL_UV = 1.0f / GLYPH_ATLAS_CELLS;
// The largest cell the atlas is redrawn at; larger text enlarges that one.
static const int SIZED_FONT_LARGEST = 32;
// The halo: pale cream, reaching an eighth of the cell (at least 2.5 pixels) past the glyphs.
static const DWORD HALO_COLOR = 0xFFFAF4D6;

// The cell sizes the atlas is redrawn at: every whole pixel up to 16, every
// second one up to the largest. Text between two of them, and the passing sizes
// of a window that grows, draw from the nearest, so a screen makes at most 19.
static const int SIZED_FONT_SMALLEST = 6;

static int SizedCell(float cellPixels)
{
    int cell = (int)(cellPixels + 0.5f);
    if (cell < SIZED_FONT_SMALLEST)
        return SIZED_FONT_SMALLEST;
    if (cell > SIZED_FONT_LARGEST)
        return SIZED_FONT_LARGEST;
    if (cell > 16)
        cell = (int)(cellPixels * 0.5f + 0.5f) * 2;
    return cell;
}

static float HaloRadius(int cell)
{
    float radius = cell * 0.12f;
    return radius < 2.5f ? 2.5f : radius;
}

static int HaloPad(int cell)
{
    // As MakeSizedFont grows each cell.
    return (int)std::ceil(HaloRadius(cell)) + 1;
}

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
      widths(nullptr),
      sizeHeight(DEFAULT_SIZE),
      sizeWidth(0.0f),
      clipping(false)
{
    clip.x = clip.y = clip.width = clip.height = 0.0f;
}

C3DText::~C3DText()
{
}

void C3DText::SetFontTexture(const char* path)
{
    fontTexture = path ? path : DEFAULT_FONT;
    widths = nullptr;
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
    float widthPixels = GetTextWidthPixels(text, ReadableCell(sizeHeight * screenHeight));
    return CRECTVirtual(at.x, at.y, widthPixels / screenWidth, sizeHeight);
}

void C3DText::DrawTextA(const char* text, CPOINTVirtual at)
{
    float screenWidth, screenHeight;
    C3DWindow::GetScreenSize(device, &screenWidth, &screenHeight);
    DrawTextPixels(text, at.x * screenWidth, at.y * screenHeight, ReadableCell(sizeHeight * screenHeight));
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
    if (effects & EFFECT_SHADDOW)
        DrawGlyphs(latin1, x, y, cellPixels, ScaleAlpha(HALO_COLOR, (float)(color >> 24) / 255.0f), true);
    DrawGlyphs(latin1, x, y, cellPixels, color, false);
}

float C3DText::ReadableCell(float cellPixels)
{
    return cellPixels < (float)MIN_CELL_PIXELS ? (float)MIN_CELL_PIXELS : cellPixels;
}

float C3DText::CellToFit(const char* text, float cellPixels, float widthPixels)
{
    float width = GetTextWidthPixels(text, cellPixels);
    if (width <= widthPixels || width <= 0.0f)
        return cellPixels;
    return cellPixels * widthPixels / width;
}

std::string C3DText::Shortened(const char* text, float widthPixels, float cellPixels)
{
    std::string whole = text ? text : "";
    if (GetTextWidthPixels(whole.c_str(), cellPixels) <= widthPixels)
        return whole;
    // Drop whole UTF-8 characters from the end until the rest and the dots fit.
    std::string cut = whole;
    while (!cut.empty()) {
        size_t end = cut.size() - 1;
        while (end > 0 && ((unsigned char)cut[end] & 0xC0) == 0x80)
            end--;
        cut.erase(end);
        if (GetTextWidthPixels((cut + "...").c_str(), cellPixels) <= widthPixels)
            return cut + "...";
    }
    return "";
}

void C3DText::DrawLineInBox(const char* text, const PixelRect& box, bool centred, const PixelRect* within)
{
    if (!text || !*text)
        return;
    float cell = CellToFit(text, ReadableCell(box.height), box.width);
    float width = GetTextWidthPixels(text, cell);
    float x = centred ? box.x + (box.width - width) * 0.5f : box.x;
    float y = box.y + (box.height - cell) * 0.5f;
    if (within && cell > box.height) {
        if (y + cell > within->y + within->height)
            y = within->y + within->height - cell;
        if (y < within->y)
            y = within->y;
    }
    PixelRect area = box;
    if (cell > box.height) {
        area.y = y;
        area.height = cell;
    }
    bool wasClipping = clipping;
    PixelRect previous = clip;
    SetClipPixels(area);
    DrawTextPixels(text, x, y, cell);
    clipping = wasClipping;
    clip = previous;
}

void C3DText::SetClipPixels(const PixelRect& rect)
{
    clip = rect;
    clipping = true;
}

void C3DText::ClearClip()
{
    clipping = false;
}

float C3DText::StretchFor(float cellPixels) const
{
    if (sizeWidth <= 0.0f || cellPixels <= 0.0f)
        return 1.0f;
    float screenWidth, screenHeight;
    C3DWindow::GetScreenSize(device, &screenWidth, &screenHeight);
    return sizeWidth * screenWidth / cellPixels;
}

// The atlas redrawn at a whole cell size (at most the atlas' own), kept by the
// texture manager under a name of its own so it goes with the other textures.
static bool SizedFontTextures(const std::string& path, int cell, IDirect3DTexture8** glyphs,
                              IDirect3DTexture8** halo, int* pad)
{
    CTexMgr* textures = CResourceManager::GetTextures();
    char suffix[32];
    snprintf(suffix, sizeof(suffix), "#%d", cell);
    std::string glyphName = path + suffix + "glyphs", haloName = path + suffix + "halo";
    *glyphs = textures->FindTexture(glyphName);
    *halo = textures->FindTexture(haloName);
    *pad = HaloPad(cell);
    if (*glyphs && *halo)
        return true;

    static std::map<std::string, Image> sources;
    std::map<std::string, Image>::iterator found = sources.find(path);
    if (found == sources.end()) {
        Image atlas;
        std::string error;
        if (!LoadImageFile(path, atlas, error) || atlas.width < GLYPH_ATLAS_CELLS || atlas.height < GLYPH_ATLAS_CELLS)
            atlas.Clear();
        found = sources.insert(std::make_pair(path, atlas)).first;
    }
    const Image& atlas = found->second;
    if (atlas.width == 0)
        return false;
    std::vector<unsigned char> alpha(atlas.pixels.size());
    for (size_t i = 0; i < alpha.size(); i++)
        alpha[i] = (unsigned char)(atlas.pixels[i] >> 24);
    SizedFontPictures pictures;
    MakeSizedFont(alpha, atlas.width, atlas.height, cell, HaloRadius(cell), &pictures);
    *glyphs = textures->AddTexture(glyphName, pictures.glyphs);
    *halo = textures->AddTexture(haloName, pictures.halo);
    return *glyphs && *halo;
}

// Cuts a quad to the clip rectangle, moving its texture coordinates along.
static bool ClipQuad(PixelRect& r, float& u0, float& v0, float& u1, float& v1, const PixelRect& clip)
{
    float left = r.x > clip.x ? r.x : clip.x;
    float top = r.y > clip.y ? r.y : clip.y;
    float right = r.x + r.width < clip.x + clip.width ? r.x + r.width : clip.x + clip.width;
    float bottom = r.y + r.height < clip.y + clip.height ? r.y + r.height : clip.y + clip.height;
    if (right <= left || bottom <= top)
        return false;
    float du = (u1 - u0) / r.width, dv = (v1 - v0) / r.height;
    float nu0 = u0 + (left - r.x) * du, nu1 = u0 + (right - r.x) * du;
    float nv0 = v0 + (top - r.y) * dv, nv1 = v0 + (bottom - r.y) * dv;
    u0 = nu0;
    u1 = nu1;
    v0 = nv0;
    v1 = nv1;
    r.x = left;
    r.y = top;
    r.width = right - left;
    r.height = bottom - top;
    return true;
}

void C3DText::DrawGlyphs(const std::string& latin1, float x, float y, float cellPixels, DWORD glyphColor, bool halo)
{
    float stretch = StretchFor(cellPixels);
    float cellWidth = cellPixels * stretch;

    // Text comes from the atlas drawn at its size (or the nearest one made);
    // larger text is the largest such picture, enlarged.
    int cell = SizedCell(cellPixels);
    IDirect3DTexture8* glyphTexture = nullptr;
    IDirect3DTexture8* haloTexture = nullptr;
    int pad = 0;
    bool sized = SizedFontTextures(fontTexture, cell, &glyphTexture, &haloTexture, &pad);
    IDirect3DTexture8* atlas = sized ? (halo ? haloTexture : glyphTexture)
                                     : CResourceManager::GetTextures()->GetTexture(fontTexture);
    if (halo && !sized)
        return;
    // Pixels of the picture per drawn pixel, for the halo's border around each cell.
    float scale = cellPixels / (float)cell;
    float border = halo ? pad * scale : 0.0f;
    // The halo picture's cells are the grown ones, so the same cell coordinates serve both.
    float cellUV = CELL_UV;

    // A line starting on whole pixels keeps its glyphs as sharp as the picture
    // made at their size; the glyphs keep their fractional advances, since
    // rounding each one makes the gaps between letters uneven.
    if (cellPixels <= (float)SIZED_FONT_LARGEST) {
        x = (float)(int)(x + 0.5f);
        y = (float)(int)(y + 0.5f);
    }

    std::vector<WindowVertex> vertices;
    vertices.reserve(latin1.size() * 6);
    float penX = x;
    for (size_t i = 0; i < latin1.size(); i++) {
        unsigned char code = (unsigned char)latin1[i];
        float u0 = (float)(code % GLYPH_ATLAS_CELLS) * cellUV;
        float v0 = (float)(code / GLYPH_ATLAS_CELLS) * cellUV;
        float u1 = u0 + cellUV, v1 = v0 + cellUV;
        float left = penX;
        PixelRect quadRect = { left - border * stretch, y - border, cellWidth + 2.0f * border * stretch,
                               cellPixels + 2.0f * border };
        penX += widths->advance[code] * cellWidth;
        if (clipping && !ClipQuad(quadRect, u0, v0, u1, v1, clip))
            continue;
        WindowVertex quad[4];
        MakeQuad(quad, quadRect, glyphColor, glyphColor, u0, v0, u1, v1);
        // Two triangles of the strip order: 0 1 2 and 2 1 3.
        vertices.push_back(quad[0]);
        vertices.push_back(quad[1]);
        vertices.push_back(quad[2]);
        vertices.push_back(quad[2]);
        vertices.push_back(quad[1]);
        vertices.push_back(quad[3]);
    }
    if (vertices.empty())
        return;

    C2DDrawState state2D(device);
    // Glyphs come from the picture's full-size level only: it is drawn at the
    // size of the text already, and smaller levels would blur it.
    DWORD mipFilter = D3DTEXF_NONE;
    device->GetTextureStageState(0, D3DTSS_MIPFILTER, &mipFilter);
    device->SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTEXF_NONE);
    device->SetTexture(0, atlas);
    device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, (UINT)(vertices.size() / 3), &vertices[0], sizeof(WindowVertex));
    device->SetTextureStageState(0, D3DTSS_MIPFILTER, mipFilter);
}
