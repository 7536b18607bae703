#ifndef GLYPHMETRICS_H
#define GLYPHMETRICS_H

#include <string>

// The bitmap font is an atlas of 16 x 16 square cells, one per Latin-1 code:
// code c sits in column c % 16 and row c / 16, row 0 at the top. Glyphs are
// white with the coverage in alpha, their left edge 2 pixels into the cell.
enum
{
    GLYPH_ATLAS_CELLS = 16,
    GLYPH_COUNT = 256
};

// Advance widths of the 256 glyphs, as fractions of the cell's side.
struct GlyphWidths
{
    float advance[GLYPH_COUNT];
};

// Measures every glyph from the atlas alpha: a glyph is as wide as its
// rightmost column holding any alpha plus 2 pixels; an empty cell (the space)
// is 9 pixels wide. Those pixel counts are for 32-pixel cells and scale with
// the cell size. 'pixels' holds rows of 32-bit A8R8G8B8 texels (alpha in the
// top byte of each little-endian word), 'pitch' bytes apart.
void MeasureGlyphWidths(const unsigned char* pixels, int pitch, int atlasWidth, int atlasHeight,
                        GlyphWidths* widths);

// Fixed widths for when no atlas could be read: every glyph half a cell wide.
void DefaultGlyphWidths(GlyphWidths* widths);

// Sum of the advances of a Latin-1 text, in cells.
float TextAdvanceInCells(const std::string& latin1, const GlyphWidths& widths);

#endif
