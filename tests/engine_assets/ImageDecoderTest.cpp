// Image decoders: each format is written by the test itself and decoded back, with
// pixel checks; damaged and cut-short files must fail cleanly.

#include "Image.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <jpeglib.h>
#include <unistd.h>

namespace {

typedef std::vector<unsigned char> Bytes;

void Put16(Bytes& b, size_t at, uint32_t v)
{
    b[at] = v & 0xFF;
    b[at + 1] = (v >> 8) & 0xFF;
}

void Put32(Bytes& b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; i++)
        b[at + i] = (v >> (8 * i)) & 0xFF;
}

// The file lives only as long as it takes to read it back.
Bytes MakePng(int width, int height, const std::vector<uint32_t>& argb, bool withAlpha)
{
    std::string path = BuildPath("assets_test_decode_" + std::to_string(getpid()) + ".png");
    EXPECT_TRUE(WritePng(path, width, height, argb, withAlpha));
    Bytes bytes = ReadBytes(path);
    remove(path.c_str());
    return bytes;
}

// A JPEG whose left half is one colour and right half another.
Bytes MakeJpeg(int width, int height, uint32_t left, uint32_t right)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* mem = nullptr;
    unsigned long memSize = 0;
    jpeg_mem_dest(&cinfo, &mem, &memSize);
    cinfo.image_width = width;
    cinfo.image_height = height;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row(width * 3);
    for (int x = 0; x < width; x++) {
        uint32_t c = x < width / 2 ? left : right;
        row[x * 3] = (c >> 16) & 0xFF;
        row[x * 3 + 1] = (c >> 8) & 0xFF;
        row[x * 3 + 2] = c & 0xFF;
    }
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    Bytes out(mem, mem + memSize);
    jpeg_destroy_compress(&cinfo);
    free(mem);
    return out;
}

// A bitmap with a 40-byte header; rows given top first, stored as the file wants.
Bytes MakeBmp(int width, int height, int bits, bool topDown, const std::vector<uint32_t>& argb,
              const std::vector<uint32_t>& palette = std::vector<uint32_t>(),
              const std::vector<unsigned char>& indices = std::vector<unsigned char>())
{
    size_t stride = ((width * bits + 31) / 32) * 4;
    size_t paletteBytes = palette.size() * 4;
    size_t offset = 14 + 40 + paletteBytes;
    Bytes b(offset + stride * height, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, (uint32_t)b.size());
    Put32(b, 10, (uint32_t)offset);
    Put32(b, 14, 40);
    Put32(b, 18, width);
    Put32(b, 22, topDown ? (uint32_t)-height : (uint32_t)height);
    Put16(b, 26, 1);
    Put16(b, 28, bits);
    Put32(b, 46, (uint32_t)palette.size());
    for (size_t i = 0; i < palette.size(); i++)
        Put32(b, 54 + i * 4, palette[i] & 0xFFFFFF);
    for (int y = 0; y < height; y++) {
        size_t row = offset + stride * (topDown ? y : height - 1 - y);
        for (int x = 0; x < width; x++) {
            if (bits == 8) {
                b[row + x] = indices[y * width + x];
            } else {
                uint32_t p = argb[y * width + x];
                b[row + x * (bits / 8)] = p & 0xFF;
                b[row + x * (bits / 8) + 1] = (p >> 8) & 0xFF;
                b[row + x * (bits / 8) + 2] = (p >> 16) & 0xFF;
                if (bits == 32)
                    b[row + x * 4 + 3] = p >> 24;
            }
        }
    }
    return b;
}

uint16_t To565(unsigned r, unsigned g, unsigned b)
{
    return (uint16_t)(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

void AppendColorBlock(Bytes& b, uint16_t c0, uint16_t c1, uint32_t indices)
{
    size_t at = b.size();
    b.resize(at + 8);
    Put16(b, at, c0);
    Put16(b, at + 2, c1);
    Put32(b, at + 4, indices);
}

// An interpolated alpha block: two end points and sixteen 3-bit indices.
void AppendAlphaBlock(Bytes& b, unsigned char a0, unsigned char a1, uint64_t indices)
{
    b.push_back(a0);
    b.push_back(a1);
    for (int i = 0; i < 6; i++)
        b.push_back((unsigned char)(indices >> (8 * i)));
}

bool Decode(const Bytes& data, Image& img)
{
    std::string error;
    bool ok = DecodeImage(data.data(), data.size(), img, error);
    if (!ok) {
        EXPECT_FALSE(error.empty());
    }
    return ok;
}

void ExpectNear(uint32_t actual, uint32_t expected, int tolerance)
{
    for (int shift = 0; shift < 32; shift += 8) {
        int a = (actual >> shift) & 0xFF, e = (expected >> shift) & 0xFF;
        EXPECT_NEAR(a, e, tolerance) << std::hex << "actual " << actual << " expected " << expected;
    }
}

}

TEST(ImageDecoders, PngKeepsEveryPixelAndAlpha)
{
    std::vector<uint32_t> px = { 0xFFFF0000, 0x8000FF00, 0x000000FF, 0xFF123456, 0x7FABCDEF, 0xFFFFFFFF };
    Image img;
    ASSERT_TRUE(Decode(MakePng(3, 2, px, true), img));
    ASSERT_EQ(3, img.width);
    ASSERT_EQ(2, img.height);
    EXPECT_EQ(px, img.pixels);

    ASSERT_TRUE(Decode(MakePng(3, 2, px, false), img));
    EXPECT_EQ(0xFFFF0000u, img.Pixel(0, 0));
    EXPECT_EQ(0xFF00FF00u, img.Pixel(1, 0));   // no alpha in the file: opaque
    EXPECT_EQ(0xFFABCDEFu, img.Pixel(1, 1));
}

TEST(ImageDecoders, JpegDecodesBothHalvesInPlace)
{
    Image img;
    ASSERT_TRUE(Decode(MakeJpeg(32, 16, 0xFFE02010, 0xFF1030C0), img));
    ASSERT_EQ(32, img.width);
    ASSERT_EQ(16, img.height);
    ExpectNear(img.Pixel(2, 2), 0xFFE02010, 8);
    ExpectNear(img.Pixel(29, 13), 0xFF1030C0, 8);
}

TEST(ImageDecoders, BmpRowOrderPaddingAndDepths)
{
    // Width 3 forces row padding for 24-bit rows.
    std::vector<uint32_t> px = { 0xFF010203, 0xFF102030, 0xFFA0B0C0, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF };
    Image img;
    ASSERT_TRUE(Decode(MakeBmp(3, 2, 24, false, px), img));
    EXPECT_EQ(px, img.pixels);
    ASSERT_TRUE(Decode(MakeBmp(3, 2, 24, true, px), img));
    EXPECT_EQ(px, img.pixels);

    std::vector<uint32_t> alpha = { 0x80FF0000, 0x00000000, 0xFF00FF00, 0x40FFFFFF };
    ASSERT_TRUE(Decode(MakeBmp(2, 2, 32, false, alpha), img));
    EXPECT_EQ(alpha, img.pixels);

    // A 32-bit file with every fourth byte zero means opaque pixels.
    std::vector<uint32_t> noAlpha = { 0x00FF0000, 0x00000000, 0x0000FF00, 0x00FFFFFF };
    ASSERT_TRUE(Decode(MakeBmp(2, 2, 32, false, noAlpha), img));
    EXPECT_EQ(0xFFFF0000u, img.Pixel(0, 0));
    EXPECT_EQ(0xFF000000u, img.Pixel(1, 0));

    std::vector<uint32_t> palette = { 0x000000, 0xFF8000, 0x0080FF };
    std::vector<unsigned char> indices = { 1, 2, 0, 2, 1, 1 };
    ASSERT_TRUE(Decode(MakeBmp(3, 2, 8, false, std::vector<uint32_t>(), palette, indices), img));
    EXPECT_EQ(0xFFFF8000u, img.Pixel(0, 0));
    EXPECT_EQ(0xFF0080FFu, img.Pixel(1, 0));
    EXPECT_EQ(0xFF000000u, img.Pixel(2, 0));
    EXPECT_EQ(0xFF0080FFu, img.Pixel(0, 1));
}

TEST(ImageDecoders, DdsUncompressedWithAndWithoutAlpha)
{
    Image img;
    Bytes argb = DdsHeader(2, 1, 0x41, nullptr, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
    Bytes data = { 0x30, 0x20, 0x10, 0x80, 0xFF, 0x00, 0x00, 0x00 };
    argb.insert(argb.end(), data.begin(), data.end());
    ASSERT_TRUE(Decode(argb, img));
    EXPECT_EQ(0x80102030u, img.Pixel(0, 0));
    EXPECT_EQ(0x000000FFu, img.Pixel(1, 0));

    // Same bytes, no alpha flag: the fourth byte is ignored.
    Bytes xrgb = DdsHeader(2, 1, 0x40, nullptr, 32, 0xFF0000, 0xFF00, 0xFF, 0);
    xrgb.insert(xrgb.end(), data.begin(), data.end());
    ASSERT_TRUE(Decode(xrgb, img));
    EXPECT_EQ(0xFF102030u, img.Pixel(0, 0));
    EXPECT_EQ(0xFF0000FFu, img.Pixel(1, 0));

    // 24-bit, two rows, read top row first.
    Bytes rgb = DdsHeader(1, 2, 0x40, nullptr, 24, 0xFF0000, 0xFF00, 0xFF, 0);
    Bytes rows = { 0x03, 0x02, 0x01, 0xCC, 0xBB, 0xAA };
    rgb.insert(rgb.end(), rows.begin(), rows.end());
    ASSERT_TRUE(Decode(rgb, img));
    EXPECT_EQ(0xFF010203u, img.Pixel(0, 0));
    EXPECT_EQ(0xFFAABBCCu, img.Pixel(0, 1));
}

TEST(ImageDecoders, Dxt1ModesAndSizesNotAMultipleOfFour)
{
    // 8 x 4: two blocks side by side.
    Bytes dds = DdsHeader(8, 4, 0x4, "DXT1", 0, 0, 0, 0, 0);
    // Block 1: white above black, indices 0,1,2,3 along the first row, then all 0.
    AppendColorBlock(dds, 0xFFFF, 0x0000, 0x000000E4);
    // Block 2: first colour not above the second: index 2 halfway, index 3 transparent.
    AppendColorBlock(dds, To565(0, 0, 0), To565(255, 0, 0), 1u | (2u << 2) | (3u << 8));
    Image img;
    ASSERT_TRUE(Decode(dds, img));
    EXPECT_EQ(0xFFFFFFFFu, img.Pixel(0, 0));
    EXPECT_EQ(0xFF000000u, img.Pixel(1, 0));
    EXPECT_EQ(0xFFAAAAAAu, img.Pixel(2, 0));   // two thirds white
    EXPECT_EQ(0xFF555555u, img.Pixel(3, 0));   // one third white
    EXPECT_EQ(0xFFFFFFFFu, img.Pixel(3, 3));
    EXPECT_EQ(0xFFFF0000u, img.Pixel(4, 0));
    EXPECT_EQ(0xFF7F0000u, img.Pixel(5, 0));   // halfway to full red
    EXPECT_EQ(0xFF000000u, img.Pixel(6, 0));
    EXPECT_EQ(0x00000000u, img.Pixel(4, 1));   // index 3 in three-colour mode

    // 5 x 3 needs 2 x 1 blocks; pixels outside the picture are dropped.
    dds = DdsHeader(5, 3, 0x4, "DXT1", 0, 0, 0, 0, 0);
    AppendColorBlock(dds, 0xFFFF, 0x0000, 0);
    AppendColorBlock(dds, 0x0000, 0xFFFF, 0x55555555);
    ASSERT_TRUE(Decode(dds, img));
    ASSERT_EQ(15u, img.pixels.size());
    EXPECT_EQ(0xFFFFFFFFu, img.Pixel(3, 2));
    EXPECT_EQ(0xFFFFFFFFu, img.Pixel(4, 2));   // second block, index 1 = white

    // One block short of what the size needs.
    dds.resize(dds.size() - 8);
    EXPECT_FALSE(Decode(dds, img));
    EXPECT_TRUE(img.pixels.empty());
}

TEST(ImageDecoders, Dxt3AndDxt5Alpha)
{
    // DXT3: explicit 4-bit alpha 0, 1, 2, ... 15 across the block.
    Bytes d3 = DdsHeader(4, 4, 0x4, "DXT3", 0, 0, 0, 0, 0);
    for (int i = 0; i < 8; i++)
        d3.push_back((unsigned char)((2 * i) | ((2 * i + 1) << 4)));
    AppendColorBlock(d3, To565(255, 0, 0), To565(0, 0, 255), 0);
    Image img;
    ASSERT_TRUE(Decode(d3, img));
    EXPECT_EQ(0x00FF0000u, img.Pixel(0, 0));
    EXPECT_EQ(0x11FF0000u, img.Pixel(1, 0));
    EXPECT_EQ(0xFFFF0000u, img.Pixel(3, 3));

    // DXT5: end points 255 and 0 (eight-value mode); index 0, 1, 2, 7 on the first row.
    Bytes d5 = DdsHeader(4, 4, 0x4, "DXT5", 0, 0, 0, 0, 0);
    AppendAlphaBlock(d5, 255, 0, 0 | (1ull << 3) | (2ull << 6) | (7ull << 9));
    AppendColorBlock(d5, To565(0, 255, 0), To565(0, 255, 0), 0);
    ASSERT_TRUE(Decode(d5, img));
    EXPECT_EQ(0xFF00FF00u, img.Pixel(0, 0));
    EXPECT_EQ(0x0000FF00u, img.Pixel(1, 0));
    EXPECT_EQ(((6 * 255 / 7) << 24) | 0x00FF00u, img.Pixel(2, 0));
    EXPECT_EQ(((1 * 255 / 7) << 24) | 0x00FF00u, img.Pixel(3, 0));

    // Six-value mode: end points 0 and 200 give fixed 0 and 255 at indices 6 and 7.
    Bytes d5b = DdsHeader(4, 4, 0x4, "DXT5", 0, 0, 0, 0, 0);
    AppendAlphaBlock(d5b, 0, 200, 6ull | (7ull << 3) | (2ull << 6));
    AppendColorBlock(d5b, 0, 0, 0);
    ASSERT_TRUE(Decode(d5b, img));
    EXPECT_EQ(0u, img.Pixel(0, 0) >> 24);
    EXPECT_EQ(255u, img.Pixel(1, 0) >> 24);
    EXPECT_EQ(40u, img.Pixel(2, 0) >> 24);
}

TEST(ImageDecoders, DamagedFilesFailCleanly)
{
    std::vector<uint32_t> px(16 * 16, 0xFF336699);
    std::vector<Bytes> good;
    good.push_back(MakePng(16, 16, px, true));
    good.push_back(MakeJpeg(16, 16, 0xFF336699, 0xFF996633));
    good.push_back(MakeBmp(16, 16, 24, false, px));
    Bytes dds = DdsHeader(16, 16, 0x41, nullptr, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
    dds.resize(dds.size() + 16 * 16 * 4, 0x7F);
    good.push_back(dds);

    Image img, whole;
    for (const Bytes& file : good) {
        ASSERT_TRUE(Decode(file, whole));
        // Every cut through the file fails without reading past what is there. A cut
        // that only loses the end marker after complete pixel data may still load, but
        // then it must give the whole picture.
        for (size_t cut = 0; cut < file.size(); cut += (cut < 200 ? 1 : 37)) {
            Bytes part(file.begin(), file.begin() + cut);
            if (Decode(part, img)) {
                EXPECT_GE(cut + 16, file.size()) << "cut at " << cut;
                EXPECT_EQ(whole.pixels, img.pixels) << "cut at " << cut;
            } else {
                EXPECT_TRUE(img.pixels.empty());
            }
        }
    }

    // Headers that claim absurd sizes.
    Bytes bmp = good[2];
    Put32(bmp, 18, 0x7FFFFFFF);
    EXPECT_FALSE(Decode(bmp, img));
    Bytes huge = DdsHeader(100000, 100000, 0x4, "DXT1", 0, 0, 0, 0, 0);
    EXPECT_FALSE(Decode(huge, img));
    Bytes unsupported = DdsHeader(4, 4, 0x4, "ATI2", 0, 0, 0, 0, 0);
    unsupported.resize(unsupported.size() + 64);
    EXPECT_FALSE(Decode(unsupported, img));

    // Garbage after a valid JPEG header.
    Bytes jpeg = good[1];
    for (size_t i = jpeg.size() / 2; i < jpeg.size() - 2; i++)
        jpeg[i] = (unsigned char)(i * 31);
    EXPECT_FALSE(Decode(jpeg, img));

    Bytes text = { 'h', 'e', 'l', 'l', 'o' };
    EXPECT_FALSE(Decode(text, img));
    EXPECT_FALSE(Decode(Bytes(), img));
}

TEST(ImageDecoders, FilesAreRecognisedByContentNotName)
{
    std::string path = BuildPath("assets_test_png_named_" + std::to_string(getpid()) + ".dds");
    Bytes png = MakePng(2, 1, { 0xFF00FF00, 0x80FF0000 }, true);
    ASSERT_TRUE(WriteFile(path, png.data(), png.size()));

    Image img;
    std::string error;
    ASSERT_TRUE(LoadImageFile(path, img, error)) << error;
    EXPECT_EQ(0x80FF0000u, img.Pixel(1, 0));
    remove(path.c_str());

    EXPECT_FALSE(LoadImageFile(path, img, error));
    EXPECT_FALSE(error.empty());
}
