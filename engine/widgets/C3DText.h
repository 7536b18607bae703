#ifndef C3DTEXT_H
#define C3DTEXT_H

#include <string>
#include <d3d8.h>
#include <d3dx8.h>

#include "CRECTVirtual.h"
#include "CPOINTVirtual.h"
#include "GlyphMetrics.h"
#include "WindowLayout.h"

// Bitmap-font text. The font is an atlas texture of 16 x 16 cells, one per
// Latin-1 code; texts are UTF-8 and are decoded to those cells. Glyphs are
// proportional: their widths are measured from the atlas alpha.
//
// The text size is the height of a glyph cell (the font itself is about two
// thirds of it), so a line of a given size fills a box that high from the
// point it is drawn at. The "virtual" operations take
// sizes and points in screen fractions; the pixel operations serve widgets
// that place text inside their own rectangles.
class C3DText {
public:
    enum {
        EFFECT_NONE = 0,
        EFFECT_SHADDOW = 1   // a light halo around the glyphs, lifting dark text off any ground
    };
    // The smallest cell that widgets draw text at unless it cannot fit: its
    // glyphs, from the top of an 'Ä' to the foot of a 'g', span about 9 pixels.
    enum { MIN_CELL_PIXELS = 12 };
    enum { DEFAULT_COLOR = 0xFFFFFFFF };

    explicit C3DText(IDirect3DDevice8* device);
    virtual ~C3DText();

    // The atlas file; its glyph widths are measured once per file.
    void SetFontTexture(const char* path);

    // Cell height as a fraction of the screen height. 'width' 0 keeps the
    // font's proportions; a positive value makes each cell that fraction of
    // the screen width.
    void SetTextSizeVirtual(float height, float width);

    // The rectangle the text covers when drawn at 'at', in screen fractions.
    CRECTVirtual GetTextExtendsVirtual(const char* text, CPOINTVirtual at);
    // Draws the text with its cells' top-left corner at 'at' (screen fractions).
    void DrawTextA(const char* text, CPOINTVirtual at);

    // Width in pixels of the text at a cell height of 'cellPixels'.
    float GetTextWidthPixels(const char* text, float cellPixels);
    // Draws the text with its cells' top-left corner at (x, y) in pixels.
    void DrawTextPixels(const char* text, float x, float y, float cellPixels);

    // The cell height a widget draws a text of 'cellPixels' at: never below the minimum.
    static float ReadableCell(float cellPixels);
    // The largest cell, at most 'cellPixels', at which the text is no wider than 'widthPixels'.
    float CellToFit(const char* text, float cellPixels, float widthPixels);
    // The text as it fits into 'widthPixels' at the cell height: whole, or cut
    // short with "..." at its end.
    std::string Shortened(const char* text, float widthPixels, float cellPixels);

    // Draws one line in a widget's box: at the box height, but at least the
    // readable minimum (centred on the box, yet kept inside 'within'), smaller
    // where the line would be wider than the box, and cut off at the box
    // (grown to the line's height). From the left edge, or centred.
    void DrawLineInBox(const char* text, const PixelRect& box, bool centred, const PixelRect* within);

    // Glyphs are cut off at this rectangle (pixels) until ClearClip.
    void SetClipPixels(const PixelRect& clip);
    void ClearClip();

    // Written directly by callers: the packed ARGB text colour and the effect bits.
    DWORD color;
    DWORD effects;

private:
    C3DText(const C3DText&);
    C3DText& operator=(const C3DText&);

    // Horizontal pixels per cell pixel: 1 unless a cell width was set.
    float StretchFor(float cellPixels) const;
    void DrawGlyphs(const std::string& latin1, float x, float y, float cellPixels, DWORD glyphColor, bool halo);

    IDirect3DDevice8* device;
    std::string fontTexture;
    const GlyphWidths* widths;
    float sizeHeight;
    float sizeWidth;
    bool clipping;
    PixelRect clip;
};

// The widths of a font atlas file, measured on first use and kept for the run.
// A file that cannot be read gives fixed widths.
const GlyphWidths* GetFontGlyphWidths(const std::string& path);

#endif
