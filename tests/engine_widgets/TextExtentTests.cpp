// Text measuring with a font atlas read from a file.
#include <gtest/gtest.h>

#include <cstdio>

#include <unistd.h>

#include "C3DText.h"
#include "WidgetTestHelpers.h"

// Writes a DDS font atlas of 16 x 16 cells of 'cell' pixels. Glyph c is a white block
// with ink[c] columns from x = 2 and rows from a quarter to three quarters of the cell.
static void WriteTestAtlas(const std::string& path, int cell, const int* ink)
{
    int size = cell * 16;
    std::vector<uint32_t> pixels((size_t)size * size, 0);
    for (int c = 0; c < 256; c++) {
        int left = (c % 16) * cell + 2;
        int top = (c / 16) * cell;
        for (int y = cell / 4; y < cell * 3 / 4; y++)
            for (int x = 0; x < ink[c] && 2 + x < cell; x++)
                pixels[(size_t)(top + y) * size + left + x] = 0xFFFFFFFF;
    }
    ASSERT_TRUE(WriteDds(path, size, size, pixels));
}

TEST(TextExtents, GrowWithTextAndSizeAndDecodeUmlautsAndSurviveAMissingFont)
{
    int ink[256] = {0};
    for (int c = 'a'; c <= 'z'; c++)
        ink[c] = 10;                 // ink up to column 11: 13 pixels wide
    ink[0xFC] = 20;                  // ü: 23 pixels wide
    ink[0xC3] = 1;                   // the bytes of ü in UTF-8, as Latin-1 cells: 4 pixels
    ink[0xBC] = 1;
    std::string atlas = BuildPath("widgets_test_font_" + std::to_string((long)getpid()) + ".dds");
    WriteTestAtlas(atlas, 32, ink);

    C3DText text(nullptr);
    text.SetFontTexture(atlas.c_str());
    text.SetTextSizeVirtual(0.1f, 0.0f);   // cells of 48 pixels on the 640 x 480 screen

    CRECTVirtual ab = text.GetTextExtendsVirtual("ab", CPOINTVirtual(0.2f, 0.3f));
    CRECTVirtual abc = text.GetTextExtendsVirtual("abc", CPOINTVirtual(0.2f, 0.3f));
    EXPECT_FLOAT_EQ(ab.x, 0.2f);
    EXPECT_FLOAT_EQ(ab.y, 0.3f);
    EXPECT_FLOAT_EQ(ab.height, 0.1f);
    EXPECT_NEAR(ab.width * 640.0f, 2 * 13 * 1.5f, 1e-3);
    EXPECT_GT(abc.width, ab.width);
    EXPECT_NEAR(text.GetTextExtendsVirtual("a b", CPOINTVirtual()).width * 640.0f, (13 + 9 + 13) * 1.5f, 1e-3);

    text.SetTextSizeVirtual(0.2f, 0.0f);
    EXPECT_NEAR(text.GetTextExtendsVirtual("ab", CPOINTVirtual()).width, 2.0f * ab.width, 1e-5);

    // "zurück" in UTF-8 is measured with the ü cell, not with two stray cells.
    text.SetTextSizeVirtual(0.1f, 0.0f);
    float zurueck = text.GetTextExtendsVirtual("zur\xC3\xBC" "ck", CPOINTVirtual()).width * 640.0f;
    EXPECT_NEAR(zurueck, (5 * 13 + 23) * 1.5f, 1e-3);

    // A fixed cell width stretches every glyph alike.
    text.SetTextSizeVirtual(0.1f, 0.05f);
    EXPECT_NEAR(text.GetTextExtendsVirtual("ab", CPOINTVirtual()).width * 640.0f, 2 * 13 * 1.5f * (32.0f / 48.0f), 1e-3);

    EXPECT_FLOAT_EQ(text.GetTextExtendsVirtual("", CPOINTVirtual()).width, 0.0f);
    remove(atlas.c_str());

    // A missing font still measures.
    text.SetFontTexture(".//media//no_such_font.dds");
    text.SetTextSizeVirtual(0.05f, 0.0f);
    EXPECT_GT(text.GetTextExtendsVirtual("Level", CPOINTVirtual()).width, 0.0f);
}
