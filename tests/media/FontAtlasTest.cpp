// The font atlas in the layout the text widgets read: 16 x 16 cells of 32 x 32, Latin-1
// code c in column c % 16 and row c / 16, glyphs whose alpha is the coverage.
#include "MediaTestSupport.h"

#include "GlyphMetrics.h"

#include <gtest/gtest.h>

namespace {

struct Cell {
    int pixelsWithAlpha = 0;
    int top = 99;
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
                cell.top = std::min(cell.top, y);
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
