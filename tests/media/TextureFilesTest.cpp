// Every picture the game opens: present after the build, in the format its name says,
// readable by the engine's decoders, of a size the texture cache can mip, and with
// transparency where the picture is drawn over other things.
#include "MediaTestSupport.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include <unistd.h>

#include <gtest/gtest.h>

namespace {

bool PowerOfTwo(int v)
{
    return v > 0 && (v & (v - 1)) == 0;
}

bool EndsWith(const std::string& s, const char* suffix)
{
    const size_t n = strlen(suffix);
    return s.size() >= n && s.compare(s.size() - n, n, suffix) == 0;
}

// The texture loader and the font reader rely on plain A8R8G8B8 DDS files and 24-bit BMPs.
TEST(MediaTextureFiles, EveryOneLoadsWithTheRightFormatSizeAndAlpha)
{
    for (int i = 0; i < kTextureCount; i++) {
        const ExpectedTexture& expected = kTextures[i];
        SCOPED_TRACE(expected.name);
        const std::string name = expected.name;
        const std::vector<unsigned char> b = ReadBytes(MediaPath(name));
        ASSERT_GE(b.size(), 16u) << name << " is missing or empty";

        // the bytes are what the name promises, not merely something the decoders accept
        const Image image = LoadMediaImage(name);
        if (EndsWith(name, ".jpg")) {
            EXPECT_TRUE(b[0] == 0xFF && b[1] == 0xD8);
        } else if (EndsWith(name, ".dds")) {
            ASSERT_GE(b.size(), 128u);
            EXPECT_EQ(0, memcmp(b.data(), "DDS ", 4));
            EXPECT_EQ(124u, ReadLe32(&b[4]));
            EXPECT_EQ(0u, ReadLe32(&b[84])) << "compressed";   // FourCC
            EXPECT_EQ(32u, ReadLe32(&b[88]));
            EXPECT_EQ(0x00ff0000u, ReadLe32(&b[92]));
            EXPECT_EQ(0xff000000u, ReadLe32(&b[104]));
            EXPECT_EQ(128u + image.width * image.height * 4, b.size());
        } else {
            EXPECT_TRUE(b[0] == 'B' && b[1] == 'M');
        }

        ASSERT_GT(image.width, 0);
        if (expected.width) {
            EXPECT_EQ(expected.width, image.width);
            EXPECT_EQ(expected.height, image.height);
        } else {
            EXPECT_TRUE(PowerOfTwo(image.width) && PowerOfTwo(image.height))
                << image.width << " x " << image.height;
        }

        int clear = 0, solid = 0;
        for (uint32_t p : image.pixels) {
            clear += AlphaOf(p) < 16;
            solid += AlphaOf(p) > 240;
        }
        if (expected.alpha == SEE_THROUGH) {
            EXPECT_GT(clear, 0) << "no transparent pixel";
            EXPECT_GT(solid, 0) << "nothing opaque to show";
        } else {
            EXPECT_EQ(0, clear);
        }
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
    const int frameSize = 128;
    auto frameLight = [&](int frame) {
        const int ox = (frame % 6) * frameSize, oy = (frame / 6) * frameSize;
        double sum = 0;
        for (int y = 0; y < frameSize; y++)
            for (int x = 0; x < frameSize; x++) {
                const uint32_t p = sheet.Pixel(ox + x, oy + y);
                sum += ((p >> 16) & 0xff) + ((p >> 8) & 0xff) + (p & 0xff);
            }
        return sum;
    };
    EXPECT_GT(frameLight(10), frameLight(0));
    EXPECT_LT(frameLight(35), frameLight(10) * 0.05);
    // frame borders stay black so neighbouring frames never bleed into a billboard
    for (int i = 0; i < 6 * frameSize; i++) {
        EXPECT_EQ(0xFF000000u, sheet.Pixel(i, 0));
        EXPECT_EQ(0xFF000000u, sheet.Pixel(frameSize - 1, i));
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
    // A folder of this run's own, removed afterwards.
    const std::string folder = BuildPath("media_tests_regenerated_" + std::to_string(getpid()));
    // As in the build: the font libraries' caches are not leak-checked; every other
    // sanitizer option of the run stays.
    const std::string command = std::string("ASAN_OPTIONS=\"${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0\" \"") +
                                ZARUL_MEDIAGEN + "\" media \"" +
                                folder + "\" \"" + folder + "/sheet.png\" > /dev/null";
    ASSERT_EQ(0, system(command.c_str()));
    for (const char* name : { "arial.dds", "stone_red.jpg", "expla.bmp", "help_combo1.dds", "arrow.x" })
        EXPECT_TRUE(ReadBytes(MediaPath(name)) == ReadBytes(folder + "/" + name)) << name << " differs";
    EXPECT_EQ(0, system(("rm -rf \"" + folder + "\"").c_str()));
}

} // namespace
