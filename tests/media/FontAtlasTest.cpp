// The font atlas in the layout the text widgets read: 16 x 16 cells of 32 x 32, Latin-1
// code c in column c % 16 and row c / 16, white glyphs whose alpha is the coverage, pen
// at x = 2 and baseline at y = 25.
#include "MediaTestSupport.h"

#include "GlyphMetrics.h"

#include <gtest/gtest.h>

namespace {

struct Cell {
    int pixelsWithAlpha = 0;
    int left = 99, right = -1, top = 99, bottom = -1;
    bool onlyWhite = true;
};

class MediaFontAtlas : public testing::Test {
protected:
    static void SetUpTestSuite() { atlas = new Image(LoadMediaImage("arial.dds")); }
    static void TearDownTestSuite()
    {
        delete atlas;
        atlas = nullptr;
    }

    static Cell Measure(int code)
    {
        Cell cell;
        const int ox = (code % 16) * 32, oy = (code / 16) * 32;
        for (int y = 0; y < 32; y++)
            for (int x = 0; x < 32; x++) {
                const uint32_t p = atlas->Pixel(ox + x, oy + y);
                if (AlphaOf(p) == 0)
                    continue;
                cell.pixelsWithAlpha++;
                cell.left = std::min(cell.left, x);
                cell.right = std::max(cell.right, x);
                cell.top = std::min(cell.top, y);
                cell.bottom = std::max(cell.bottom, y);
                if ((p & 0xFFFFFF) != 0xFFFFFF)
                    cell.onlyWhite = false;
            }
        return cell;
    }

    static Image* atlas;
};

Image* MediaFontAtlas::atlas = nullptr;

TEST_F(MediaFontAtlas, HoldsTheGermanLetters)
{
    ASSERT_EQ(512, atlas->width);
    ASSERT_EQ(512, atlas->height);
    // ä ö ü Ä Ö Ü ß in Latin-1
    for (int code : { 0xE4, 0xF6, 0xFC, 0xC4, 0xD6, 0xDC, 0xDF })
        EXPECT_GT(Measure(code).pixelsWithAlpha, 20) << "no glyph for Latin-1 code " << code;
    // the umlauts carry their dots above the plain letters' x-height
    EXPECT_LT(Measure(0xE4).top, Measure('a').top);
    EXPECT_LT(Measure(0xDC).top, Measure('U').top);
}

TEST_F(MediaFontAtlas, ControlCodesAndTheSpaceStayEmpty)
{
    for (int code = 0; code <= 32; code++)
        EXPECT_EQ(0, Measure(code).pixelsWithAlpha) << code;
    for (int code = 127; code < 160; code++)
        EXPECT_EQ(0, Measure(code).pixelsWithAlpha) << code;
}

TEST_F(MediaFontAtlas, PrintableCharactersAreWhiteGlyphsInsideTheirCells)
{
    for (int code = 33; code < 256; code++) {
        if (code >= 127 && code < 160)
            continue;
        if (code == 0xA0 || code == 0xAD)   // no-break space and soft hyphen may be blank
            continue;
        const Cell cell = Measure(code);
        EXPECT_GT(cell.pixelsWithAlpha, 0) << code;
        EXPECT_TRUE(cell.onlyWhite) << code;
        // a glyph that touched the cell's right edge would run into its neighbour
        EXPECT_LT(cell.right, 31) << code;
    }
}

TEST_F(MediaFontAtlas, GlyphsSitOnTheSharedBaselineAndPen)
{
    // letters without descenders end on the baseline (y = 25, antialiasing may touch it)
    for (int code : { 'x', 'a', 'H', 'm', '0' }) {
        const Cell c = Measure(code);
        EXPECT_GE(c.bottom, 23) << (char)code;
        EXPECT_LE(c.bottom, 25) << (char)code;
    }
    // descenders go below it
    for (int code : { 'g', 'p', 'y' })
        EXPECT_GT(Measure(code).bottom, 26) << (char)code;
    // the pen starts at x = 2: nothing lies left of it
    for (int code : { (int)'l', (int)'H', (int)'M', (int)'W', 0xC4 })
        EXPECT_GE(Measure(code).left, 2) << code;
}

// The widths the text widgets measure from this atlas must tell narrow from wide glyphs.
TEST_F(MediaFontAtlas, TextWidgetsMeasureSensibleWidths)
{
    std::vector<unsigned char> bgra(atlas->pixels.size() * 4);
    for (size_t i = 0; i < atlas->pixels.size(); i++) {
        const uint32_t p = atlas->pixels[i];
        bgra[i * 4 + 0] = p & 0xff;
        bgra[i * 4 + 1] = (p >> 8) & 0xff;
        bgra[i * 4 + 2] = (p >> 16) & 0xff;
        bgra[i * 4 + 3] = p >> 24;
    }
    GlyphWidths widths;
    MeasureGlyphWidths(bgra.data(), atlas->width * 4, atlas->width, atlas->height, &widths);
    EXPECT_LT(widths.advance['i'], widths.advance['m']);
    EXPECT_LT(widths.advance['l'], widths.advance['W']);
    EXPECT_GT(widths.advance[' '], 0.0f);
    EXPECT_NEAR(widths.advance[0xFC], widths.advance['u'], 1.0f / 32.0f);   // ü as wide as u
    EXPECT_LE(widths.advance['W'], 1.0f);
}

} // namespace
