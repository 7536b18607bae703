#ifndef C3DTEXT_H
#define C3DTEXT_H

#include <string>
#include <d3d8.h>
#include <d3dx8.h>

#include "CRECTVirtual.h"
#include "CPOINTVirtual.h"
#include "GlyphMetrics.h"

// Bitmap-font text. The font is an atlas texture of 16 x 16 cells, one per
// Latin-1 code; texts are UTF-8 and are decoded to those cells. Glyphs are
// proportional: their widths are measured from the atlas alpha.
//
// The text size is the font size: a line of text of size s fills a line box
// s high whose top is the point the text is drawn at (the atlas cells, drawn
// larger, stick out of it). The "virtual" operations take sizes and points in
// screen fractions; the pixel operations serve widgets that place text inside
// their own rectangles.
class C3DText {
public:
    enum {
        EFFECT_NONE = 0,
        EFFECT_SHADDOW = 1   // a dark copy drawn under the text, offset down and right
    };
    enum { DEFAULT_COLOR = 0xFFFFFFFF };

    explicit C3DText(IDirect3DDevice8* device);
    virtual ~C3DText();

    // The atlas file; its glyph widths are measured once per file.
    void SetFontTexture(const char* path);
    const std::string& GetFontTexture() const { return fontTexture; }

    // Text size as a fraction of the screen height. 'width' 0 keeps the
    // font's proportions; a positive value stretches the glyphs so that the
    // font size across is that fraction of the screen width.
    void SetTextSizeVirtual(float height, float width);

    // The rectangle the text covers when drawn at 'at', in screen fractions.
    CRECTVirtual GetTextExtendsVirtual(const char* text, CPOINTVirtual at);
    // Draws the text with the top-left corner of its line box at 'at' (screen fractions).
    void DrawTextA(const char* text, CPOINTVirtual at);

    // Width in pixels of the text at a text size of 'sizePixels'.
    float GetTextWidthPixels(const char* text, float sizePixels);
    // Draws the text with the top-left corner of its line box at (x, y) in pixels.
    void DrawTextPixels(const char* text, float x, float y, float sizePixels);

    // Written directly by callers: the packed ARGB text colour and the effect bits.
    DWORD color;
    DWORD effects;

private:
    C3DText(const C3DText&);
    C3DText& operator=(const C3DText&);

    // Horizontal pixels per vertical pixel: 1 unless a width was set.
    float StretchFor(float sizePixels) const;
    void DrawGlyphs(const std::string& latin1, float x, float y, float sizePixels, DWORD glyphColor);

    IDirect3DDevice8* device;
    std::string fontTexture;
    const GlyphWidths* widths;
    float sizeHeight;
    float sizeWidth;
};

// The widths of a font atlas file, measured on first use and kept for the run.
// A file that cannot be read gives fixed widths.
const GlyphWidths* GetFontGlyphWidths(const std::string& path);

#endif
