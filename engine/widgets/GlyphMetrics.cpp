#include "GlyphMetrics.h"

// Pixel counts of the measuring rule, for an atlas of 32-pixel cells.
static const float REFERENCE_CELL = 32.0f;
static const float MARGIN_PIXELS = 2.0f;
static const float EMPTY_PIXELS = 9.0f;

void MeasureGlyphWidths(const unsigned char* pixels, int pitch, int atlasWidth, int atlasHeight,
                        GlyphWidths* widths)
{
    int cellWidth = atlasWidth / GLYPH_ATLAS_CELLS;
    int cellHeight = atlasHeight / GLYPH_ATLAS_CELLS;
    if (!pixels || cellWidth <= 0 || cellHeight <= 0) {
        DefaultGlyphWidths(widths);
        return;
    }
    float scale = (float)cellWidth / REFERENCE_CELL;

    for (int code = 0; code < GLYPH_COUNT; code++) {
        int left = (code % GLYPH_ATLAS_CELLS) * cellWidth;
        int top = (code / GLYPH_ATLAS_CELLS) * cellHeight;
        int rightmost = -1;
        for (int y = 0; y < cellHeight; y++) {
            const unsigned char* row = pixels + (size_t)(top + y) * pitch + (size_t)left * 4;
            for (int x = cellWidth - 1; x > rightmost; x--) {
                if (row[x * 4 + 3] != 0) {
                    rightmost = x;
                    break;
                }
            }
        }
        float pixelsWide = rightmost < 0 ? EMPTY_PIXELS * scale : (float)rightmost + MARGIN_PIXELS * scale;
        widths->advance[code] = pixelsWide / (float)cellWidth;
    }
}

void DefaultGlyphWidths(GlyphWidths* widths)
{
    for (int code = 0; code < GLYPH_COUNT; code++)
        widths->advance[code] = 0.5f;
}

float TextAdvanceInCells(const std::string& latin1, const GlyphWidths& widths)
{
    float total = 0.0f;
    for (size_t i = 0; i < latin1.size(); i++)
        total += widths.advance[(unsigned char)latin1[i]];
    return total;
}
