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

bool Decode(const Bytes& data, Image& img)
{
    std::string error;
    bool ok = DecodeImage(data.data(), data.size(), img, error);
    if (!ok) {
        EXPECT_FALSE(error.empty());
    }
    return ok;
}

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
