// Text decoding, glyph measuring and typed entry: the logic under the font and the text box.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "GlyphMetrics.h"
#include "Image.h"
#include "SizedFont.h"
#include "TextEncoding.h"
#include "TextEntry.h"
#include "TextWrap.h"

TEST(TextEncoding, GermanTextsDecodeToLatin1Cells)
{
    EXPECT_EQ(Utf8ToLatin1("zur\xC3\xBC" "ck"), std::string("zur\xFC" "ck"));
    EXPECT_EQ(Utf8ToLatin1("Spa\xC3\x9F \xC3\x84\xC3\x96\xC3\x9C"), std::string("Spa\xDF \xC4\xD6\xDC"));
    EXPECT_EQ(Utf8ToLatin1(" Level   Name"), std::string(" Level   Name"));
}

TEST(TextEncoding, BrokenOrForeignBytesNeverSwallowText)
{
    // A Latin-1 text (not UTF-8) passes byte for byte.
    EXPECT_EQ(Utf8ToLatin1("zur\xFC" "ck"), std::string("zur\xFC" "ck"));
    // A lead byte at the very end, and one followed by a plain letter.
    EXPECT_EQ(Utf8ToLatin1("ab\xC3"), std::string("ab\xC3"));
    EXPECT_EQ(Utf8ToLatin1("\xC3" "a"), std::string("\xC3" "a"));
    // Overlong encoding of '/' is not decoded.
    EXPECT_EQ(Utf8ToLatin1("\xC0\xAF"), std::string("\xC0\xAF"));
    // Characters past Latin-1 (euro sign, an emoji) become one '?' each.
    EXPECT_EQ(Utf8ToLatin1("5\xE2\x82\xAC!"), std::string("5?!"));
    EXPECT_EQ(Utf8ToLatin1("\xF0\x9F\x98\x80x"), std::string("?x"));
    EXPECT_EQ(CountUtf8Characters("5\xE2\x82\xAC\xC3\xBC" "a\xFF"), 5u);
}

TEST(TextEncoding, AppendAndEraseKeepWholeCharacters)
{
    std::string text = "J";
    AppendLatin1AsUtf8(text, 0xFC);
    AppendLatin1AsUtf8(text, 'r');
    EXPECT_EQ(text, std::string("J\xC3\xBCr"));
    EraseLastUtf8Character(text);
    EraseLastUtf8Character(text);
    EXPECT_EQ(text, std::string("J"));
    text = "a\xE2\x82\xAC";
    EraseLastUtf8Character(text);
    EXPECT_EQ(text, std::string("a"));
    text = "a\xFC";   // a stray Latin-1 byte goes as one character
    EraseLastUtf8Character(text);
    EXPECT_EQ(text, std::string("a"));
    EraseLastUtf8Character(text);
    EraseLastUtf8Character(text);
    EXPECT_TRUE(text.empty());
}

TEST(TextEncoding, FilesReadAsUtf8WhateverTheyWereWrittenInAndLogLinesShowEveryByte)
{
    struct Case {
        const char* in;
        const char* utf8;      // ToWellFormedUtf8
        const char* escaped;   // EscapeUnprintable
    };
    const Case cases[] = {
        { "J\xC3\xB6rg", "J\xC3\xB6rg", "J\xC3\xB6rg" },               // UTF-8 stays
        { "J\xF6rg", "J\xC3\xB6rg", "J\\xf6rg" },                     // Latin-1 is read as such
        { "\xC4rger \xE2\x82\xAC", "\xC3\x84rger \xE2\x82\xAC", "\\xc4rger \xE2\x82\xAC" },
        { "a\x01\tb\x7F", "a\x01\tb\x7F", "a\\x01\\x09b\\x7f" },     // controls
        { "ab\xC3", "ab\xC3\x83", "ab\\xc3" },                         // a cut sequence
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToWellFormedUtf8(c.in), std::string(c.utf8)) << c.in;
        EXPECT_EQ(EscapeUnprintable(c.in), std::string(c.escaped)) << c.in;
    }
    EXPECT_EQ(Latin1ToUtf8("J\xF6rg \xC3"), std::string("J\xC3\xB6rg \xC3\x83"));
}

TEST(TextWrap, LinesBreakAtSpacesAndInsideWordsOnlyWhenAWordIsTooWide)
{
    GlyphWidths widths;
    DefaultGlyphWidths(&widths);   // every glyph half a cell: 10 characters a line
    const std::string ae = "\xC3\xA4";
    std::string ten;
    for (int i = 0; i < 10; i++)
        ten += ae;
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        { "", {} },
        { "kurz", { "kurz" } },
        { "eins zwei drei vier", { "eins zwei", "drei vier" } },
        { "a .//media//levels.xml b", { "a", ".//media//", "levels.xml", "b" } },
        { ten + ae, { ten, ae } },
        { "zwei\nZeilen", { "zwei", "Zeilen" } },
    };
    for (const Case& c : cases)
        EXPECT_EQ(WrapTextToWidth(c.text, 5.0f, widths), c.lines) << c.text;
    EXPECT_EQ(WrapTextToWidth("ab", 0.0f, widths), std::vector<std::string>({ "a", "b" }));
}

// An atlas of 16 x 16 cells of 'cell' pixels whose glyph for code c covers the
// columns 2 .. 2 + ink[c] - 1 of its cell (alpha 255), on one row only.
static std::vector<unsigned char> MakeAtlas(int cell, const int* ink)
{
    int size = cell * 16;
    std::vector<unsigned char> pixels((size_t)size * size * 4, 0);
    for (int c = 0; c < 256; c++) {
        int left = (c % 16) * cell;
        int row = (c / 16) * cell + cell / 2 + (c % 3);
        for (int i = 0; i < ink[c]; i++) {
            size_t at = ((size_t)row * size + left + 2 + i) * 4;
            pixels[at + 0] = pixels[at + 1] = pixels[at + 2] = 0xFF;
            pixels[at + 3] = 0xFF;
        }
    }
    return pixels;
}

TEST(GlyphMetrics, WidthsComeFromTheRightmostInkOfEachCell)
{
    // Ordinary widths and the text advance are measured through a font file with the
    // text extents; here the edge cases of the cells.
    int ink[256] = {0};
    ink['i'] = 3;          // columns 2..4: width 4 + 2 = 6
    ink[0xFF] = 30;        // reaches the last column of the cell: width 33
    std::vector<unsigned char> atlas = MakeAtlas(32, ink);
    GlyphWidths widths;
    MeasureGlyphWidths(atlas.data(), 512 * 4, 512, 512, &widths);
    EXPECT_FLOAT_EQ(widths.advance['i'] * 32, 6.0f);
    EXPECT_FLOAT_EQ(widths.advance[0xFF] * 32, 33.0f);
    EXPECT_FLOAT_EQ(widths.advance[' '] * 32, 9.0f);   // empty cell
    EXPECT_FLOAT_EQ(widths.advance['j'] * 32, 9.0f);   // its neighbour's ink does not count

    // Faint ink counts, and a smaller atlas scales the fixed pixel counts.
    atlas = MakeAtlas(16, ink);
    atlas[((size_t)(4 * 16 + 8) * 256 + 1 * 16 + 2 + 9) * 4 + 3] = 1;   // code 'A' (65): column 11
    MeasureGlyphWidths(atlas.data(), 256 * 4, 256, 256, &widths);
    EXPECT_FLOAT_EQ(widths.advance['A'] * 16, 12.0f);
    EXPECT_FLOAT_EQ(widths.advance[' '] * 16, 4.5f);
}

TEST(TextEntry, TypedScanCodesWithGermanLayoutAndTypedCharacters)
{
    std::string name;
    // J (shifted), ü, r, g (with the shift off), space, z on the German Y key.
    EXPECT_EQ(ApplyKeyToText(name, 0x24, 0, true, 31), ENTRY_CHANGED);
    EXPECT_EQ(ApplyKeyToText(name, 0x1A, 0, false, 31), ENTRY_CHANGED);
    ApplyKeyToText(name, 0x13, 0, false, 31);
    ApplyKeyToText(name, 0x22, 0, false, 31);
    ApplyKeyToText(name, 0x39, 0, false, 31);
    ApplyKeyToText(name, 0x15, 0, false, 31);
    EXPECT_EQ(name, std::string("J\xC3\xBCrg z"));
    // A character typed by the system wins over the scan-code table.
    ApplyKeyToText(name, 0x15, 'y', false, 31);
    ApplyKeyToText(name, 0x27, 0xD6, false, 31);
    EXPECT_EQ(name, std::string("J\xC3\xBCrg zy\xC3\x96"));
    // Keys that type nothing change nothing.
    EXPECT_EQ(ApplyKeyToText(name, ENTRY_KEY_LSHIFT, 0, false, 31), ENTRY_IGNORED);
    EXPECT_EQ(ApplyKeyToText(name, 0x01, 27, false, 31), ENTRY_IGNORED);   // Escape's control char
    EXPECT_EQ(ApplyKeyToText(name, 0xCB, 0, false, 31), ENTRY_IGNORED);    // cursor left
    EXPECT_EQ(name, std::string("J\xC3\xBCrg zy\xC3\x96"));
}

TEST(TextEntry, BackspaceReturnAndLength)
{
    std::string name = "\xC3\xA4";
    EXPECT_EQ(ApplyKeyToText(name, ENTRY_KEY_BACKSPACE, 8, false, 31), ENTRY_CHANGED);
    EXPECT_TRUE(name.empty());
    EXPECT_EQ(ApplyKeyToText(name, ENTRY_KEY_BACKSPACE, 8, false, 31), ENTRY_IGNORED);
    EXPECT_EQ(ApplyKeyToText(name, ENTRY_KEY_RETURN, 13, false, 31), ENTRY_FINISHED);
    EXPECT_EQ(ApplyKeyToText(name, ENTRY_KEY_NUMPADENTER, 13, false, 31), ENTRY_FINISHED);
    EXPECT_TRUE(name.empty());

    for (int i = 0; i < 5; i++)
        ApplyKeyToText(name, 0x28, 0, false, 3);   // ä, two bytes each
    EXPECT_EQ(name, std::string("\xC3\xA4\xC3\xA4\xC3\xA4"));
    EXPECT_EQ(ApplyKeyToText(name, 0x1E, 0, false, 3), ENTRY_IGNORED);
    EXPECT_EQ(ApplyKeyToText(name, ENTRY_KEY_BACKSPACE, 0, false, 3), ENTRY_CHANGED);
    EXPECT_EQ(ApplyKeyToText(name, 0x1E, 0, false, 3), ENTRY_CHANGED);
}

TEST(SizedFont, EveryGlyphKeepsItsInkAtSmallSizesAndGetsAHaloAroundIt)
{
    Image atlas;
    std::string error;
    if (!LoadImageFile(".//media//arial.dds", atlas, error))
        GTEST_SKIP() << "no font atlas: the media folder is not built (target media)";
    std::vector<unsigned char> alpha(atlas.pixels.size());
    for (size_t i = 0; i < alpha.size(); i++)
        alpha[i] = (unsigned char)(atlas.pixels[i] >> 24);
    int source = atlas.width / GLYPH_ATLAS_CELLS;

    for (int cell : { 8, 10, 12, 15, 21 }) {
        SizedFontPictures font;
        MakeSizedFont(alpha, atlas.width, atlas.height, cell, 2.5f, &font);
        ASSERT_EQ(font.glyphs.width, GLYPH_ATLAS_CELLS * cell);
        int halo = cell + 2 * font.pad;
        ASSERT_EQ(font.halo.width, GLYPH_ATLAS_CELLS * halo);
        for (int code = 33; code < 256; code++) {
            int cx = code % GLYPH_ATLAS_CELLS, cy = code / GLYPH_ATLAS_CELLS;
            int inkBefore = 0;
            for (int y = 0; y < source; y++)
                for (int x = 0; x < source; x++)
                    inkBefore = std::max(inkBefore, (int)alpha[(size_t)(cy * source + y) * atlas.width + cx * source + x]);
            if (inkBefore == 0)
                continue;
            // A thin stroke ('i', 'l', '.') still shows as a dark mark, not a
            // faint one, and the halo covers two pixels beside it.
            uint32_t peak = 0;
            int peakX = 0, peakY = 0;
            for (int y = 0; y < cell; y++)
                for (int x = 0; x < cell; x++) {
                    uint32_t a = font.glyphs.Pixel(cx * cell + x, cy * cell + y) >> 24;
                    if (a > peak) {
                        peak = a;
                        peakX = x;
                        peakY = y;
                    }
                }
            EXPECT_GE(peak, 160u) << "glyph " << code << " at cell " << cell;
            int hx = cx * halo + font.pad + peakX, hy = cy * halo + font.pad + peakY;
            EXPECT_GE(font.halo.Pixel(hx - 2, hy) >> 24, 240u) << "glyph " << code << " at cell " << cell;
            EXPECT_GE(font.halo.Pixel(hx, hy + 2) >> 24, 240u) << "glyph " << code << " at cell " << cell;
        }
    }
}
