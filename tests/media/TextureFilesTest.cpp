// Every picture the game opens: present after the build, in the format its name says,
// readable by the engine's decoders, of a size the texture cache can mip, and with
// transparency where the picture is drawn over other things.
#include "MediaTestSupport.h"

#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>

namespace {

enum AlphaUse { OPAQUE, SEE_THROUGH };

struct ExpectedTexture {
    const char* name;
    AlphaUse alpha;
    int width, height;   // 0: any power of two
};

const ExpectedTexture kTextures[] = {
    { "arrow.dds", SEE_THROUGH, 0, 0 },
    { "arial.dds", SEE_THROUGH, 512, 512 },
    { "stone_special.jpg", OPAQUE, 0, 0 },
    { "stone_block.jpg", OPAQUE, 0, 0 },
    { "stone_blue.jpg", OPAQUE, 0, 0 },
    { "stone_green.jpg", OPAQUE, 0, 0 },
    { "stone_red.jpg", OPAQUE, 0, 0 },
    { "stone_yellow.jpg", OPAQUE, 0, 0 },
    { "stone_orange.jpg", OPAQUE, 0, 0 },
    { "field_special.jpg", OPAQUE, 0, 0 },
    { "gridtile.jpg", OPAQUE, 0, 0 },
    { "game_back.jpg", OPAQUE, 0, 0 },
    { "level.dds", SEE_THROUGH, 0, 0 },
    { "num_0.dds", SEE_THROUGH, 0, 0 },
    { "num_1.dds", SEE_THROUGH, 0, 0 },
    { "num_2.dds", SEE_THROUGH, 0, 0 },
    { "num_3.dds", SEE_THROUGH, 0, 0 },
    { "num_4.dds", SEE_THROUGH, 0, 0 },
    { "num_5.dds", SEE_THROUGH, 0, 0 },
    { "num_6.dds", SEE_THROUGH, 0, 0 },
    { "num_7.dds", SEE_THROUGH, 0, 0 },
    { "num_8.dds", SEE_THROUGH, 0, 0 },
    { "num_9.dds", SEE_THROUGH, 0, 0 },
    { "level_finished.dds", SEE_THROUGH, 0, 0 },
    { "highscore.dds", SEE_THROUGH, 0, 0 },
    { "expla.bmp", OPAQUE, 6 * 256, 6 * 256 },
    { "sun.jpg", OPAQUE, 0, 0 },
    { "tex004.dds", SEE_THROUGH, 0, 0 },
    { "qm_logo.jpg", OPAQUE, 520, 480 },
    { "zarul_logo.jpg", OPAQUE, 0, 0 },
    { "menu_back.jpg", OPAQUE, 0, 0 },
    { "right.dds", SEE_THROUGH, 0, 0 },
    { "left.dds", SEE_THROUGH, 0, 0 },
    { "exit2.dds", SEE_THROUGH, 0, 0 },
    { "start.jpg", OPAQUE, 0, 0 },
    { "options.jpg", OPAQUE, 0, 0 },
    { "score.jpg", OPAQUE, 0, 0 },
    { "credits.jpg", OPAQUE, 0, 0 },
    { "help.jpg", OPAQUE, 0, 0 },
    { "next.dds", SEE_THROUGH, 0, 0 },
    { "prev.dds", SEE_THROUGH, 0, 0 },
    { "help_all.dds", SEE_THROUGH, 0, 0 },
    { "help_play_stone.dds", SEE_THROUGH, 0, 0 },
    { "help_spezial.dds", SEE_THROUGH, 0, 0 },
    { "help_ziehen1.dds", SEE_THROUGH, 0, 0 },
    { "help_ziehen2.dds", SEE_THROUGH, 0, 0 },
    { "help_setzen.dds", SEE_THROUGH, 0, 0 },
    { "help_combo1.dds", SEE_THROUGH, 0, 0 },
    { "help_combo2.dds", SEE_THROUGH, 0, 0 },
    { "help_stone_spezial.dds", SEE_THROUGH, 0, 0 },
};

// Names the parameter in test output instead of dumping its bytes.
void PrintTo(const ExpectedTexture& expected, std::ostream* os)
{
    *os << expected.name;
}

bool PowerOfTwo(int v)
{
    return v > 0 && (v & (v - 1)) == 0;
}

bool EndsWith(const std::string& s, const char* suffix)
{
    const size_t n = strlen(suffix);
    return s.size() >= n && s.compare(s.size() - n, n, suffix) == 0;
}

class MediaTextureFile : public testing::TestWithParam<ExpectedTexture> {};

TEST_P(MediaTextureFile, LoadsWithTheRightFormatSizeAndAlpha)
{
    const ExpectedTexture& expected = GetParam();
    const std::string name = expected.name;
    const std::vector<unsigned char> bytes = ReadBytes(MediaPath(name));
    ASSERT_GE(bytes.size(), 16u) << name << " is missing or empty";

    // the bytes are what the name promises, not merely something the decoders accept
    if (EndsWith(name, ".jpg")) {
        EXPECT_TRUE(bytes[0] == 0xFF && bytes[1] == 0xD8) << name;
    } else if (EndsWith(name, ".dds")) {
        EXPECT_EQ(0, memcmp(bytes.data(), "DDS ", 4)) << name;
    } else {
        EXPECT_TRUE(bytes[0] == 'B' && bytes[1] == 'M') << name;
    }

    const Image image = LoadMediaImage(name);
    ASSERT_GT(image.width, 0);
    if (expected.width) {
        EXPECT_EQ(expected.width, image.width) << name;
        EXPECT_EQ(expected.height, image.height) << name;
    } else {
        EXPECT_TRUE(PowerOfTwo(image.width) && PowerOfTwo(image.height))
            << name << " is " << image.width << " x " << image.height;
    }

    int clear = 0, solid = 0;
    for (uint32_t p : image.pixels) {
        clear += AlphaOf(p) < 16;
        solid += AlphaOf(p) > 240;
    }
    if (expected.alpha == SEE_THROUGH) {
        EXPECT_GT(clear, 0) << name << " has no transparent pixel";
        EXPECT_GT(solid, 0) << name << " has nothing opaque to show";
    } else {
        EXPECT_EQ(0, clear) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Media, MediaTextureFile, testing::ValuesIn(kTextures),
                         [](const testing::TestParamInfo<ExpectedTexture>& info) {
                             std::string n = info.param.name;
                             for (char& c : n)
                                 if (!isalnum((unsigned char)c))
                                     c = '_';
                             return n;
                         });

// The texture loader and the font reader rely on plain A8R8G8B8 DDS files and 24-bit BMPs.
TEST(MediaTextureFormats, DdsFilesAreUncompressed32BitWithAlphaMask)
{
    for (const ExpectedTexture& expected : kTextures) {
        if (!EndsWith(expected.name, ".dds"))
            continue;
        const std::vector<unsigned char> b = ReadBytes(MediaPath(expected.name));
        ASSERT_GE(b.size(), 128u) << expected.name;
        const uint32_t height = ReadLe32(&b[12]), width = ReadLe32(&b[16]);
        EXPECT_EQ(124u, ReadLe32(&b[4])) << expected.name;
        EXPECT_EQ(0u, ReadLe32(&b[84])) << expected.name << ": compressed";   // FourCC
        EXPECT_EQ(32u, ReadLe32(&b[88])) << expected.name;
        EXPECT_EQ(0x00ff0000u, ReadLe32(&b[92])) << expected.name;
        EXPECT_EQ(0xff000000u, ReadLe32(&b[104])) << expected.name;
        EXPECT_EQ(128u + width * height * 4, b.size()) << expected.name;
    }
}

TEST(MediaTextureFormats, ExplosionSheetIsA24BitBitmapOfSixBySixFrames)
{
    const std::vector<unsigned char> b = ReadBytes(MediaPath("expla.bmp"));
    ASSERT_GE(b.size(), 54u);
    EXPECT_EQ(24u, ReadLe16(&b[28]));
    EXPECT_EQ(0u, ReadLe32(&b[30]));   // no compression

    // the fire grows from the first frame and has died down by the last
    const Image sheet = LoadMediaImage("expla.bmp");
    auto frameLight = [&](int frame) {
        const int ox = (frame % 6) * 256, oy = (frame / 6) * 256;
        double sum = 0;
        for (int y = 0; y < 256; y++)
            for (int x = 0; x < 256; x++) {
                const uint32_t p = sheet.Pixel(ox + x, oy + y);
                sum += ((p >> 16) & 0xff) + ((p >> 8) & 0xff) + (p & 0xff);
            }
        return sum;
    };
    EXPECT_GT(frameLight(10), frameLight(0));
    EXPECT_LT(frameLight(35), frameLight(10) * 0.05);
    // frame borders stay black so neighbouring frames never bleed into a billboard
    for (int i = 0; i < 1536; i++) {
        EXPECT_EQ(0xFF000000u, sheet.Pixel(i, 0));
        EXPECT_EQ(0xFF000000u, sheet.Pixel(255, i));
    }
}

// The six stone types the game tells apart by texture must look different.
TEST(MediaTextureLook, StoneTexturesHaveDistinctColours)
{
    const char* stones[] = { "stone_special.jpg", "stone_block.jpg", "stone_blue.jpg", "stone_green.jpg",
                             "stone_red.jpg", "stone_yellow.jpg", "stone_orange.jpg" };
    double mean[7][3];
    for (int i = 0; i < 7; i++) {
        const Image img = LoadMediaImage(stones[i]);
        double sum[3] = { 0, 0, 0 };
        for (uint32_t p : img.pixels) {
            sum[0] += (p >> 16) & 0xff;
            sum[1] += (p >> 8) & 0xff;
            sum[2] += p & 0xff;
        }
        for (int c = 0; c < 3; c++)
            mean[i][c] = sum[c] / img.pixels.size();
    }
    for (int i = 0; i < 7; i++)
        for (int j = i + 1; j < 7; j++) {
            const double d = std::abs(mean[i][0] - mean[j][0]) + std::abs(mean[i][1] - mean[j][1]) +
                             std::abs(mean[i][2] - mean[j][2]);
            EXPECT_GT(d, 60.0) << stones[i] << " and " << stones[j] << " look alike";
        }
}

// The generator draws the same files every time, so a rebuild changes nothing.
TEST(MediaBuild, GeneratorIsReproducible)
{
    const std::string folder = BuildPath("media_tests_regenerated");
    const std::string command = std::string("ASAN_OPTIONS=detect_leaks=0 \"") + ZARUL_MEDIAGEN + "\" media \"" +
                                folder + "\" \"" + folder + "/sheet.png\" > /dev/null";
    ASSERT_EQ(0, system(command.c_str()));
    for (const char* name : { "arial.dds", "stone_red.jpg", "expla.bmp", "help_combo1.dds", "arrow.x" })
        EXPECT_TRUE(ReadBytes(MediaPath(name)) == ReadBytes(folder + "/" + name)) << name << " differs";
}

} // namespace
