// Windows bitmap decoding: uncompressed 8-bit (palette), 24-bit and 32-bit pictures.

#include "Image.h"

namespace {

const size_t FILE_HEADER_SIZE = 14;
const uint32_t BI_RGB = 0;
const uint32_t BI_BITFIELDS = 3;

// Position and width of the lowest set bit run of a channel mask.
void MaskShape(uint32_t mask, int& shift, int& bits)
{
    shift = 0;
    bits = 0;
    if (mask == 0)
        return;
    while (!(mask & 1)) {
        mask >>= 1;
        shift++;
    }
    while (mask & 1) {
        mask >>= 1;
        bits++;
    }
}

// Takes a channel out of a pixel value and widens it to 8 bits.
unsigned Channel(uint32_t value, uint32_t mask, int shift, int bits)
{
    if (bits == 0)
        return 0;
    uint32_t v = (value & mask) >> shift;
    uint32_t maxValue = (bits >= 32) ? 0xFFFFFFFFu : ((1u << bits) - 1);
    return (unsigned)(((uint64_t)v * 255 + maxValue / 2) / maxValue);
}

}

bool DecodeBmp(const unsigned char* data, size_t size, Image& out, std::string& error)
{
    out.Clear();

    if (size < FILE_HEADER_SIZE + 40 || data[0] != 'B' || data[1] != 'M') {
        error = "BMP header too short";
        return false;
    }
    uint32_t pixelOffset = ReadLe32(data + 10);
    uint32_t infoSize = ReadLe32(data + 14);
    if (infoSize < 40 || FILE_HEADER_SIZE + (uint64_t)infoSize > size) {
        error = "unsupported BMP header";
        return false;
    }

    const unsigned char* info = data + FILE_HEADER_SIZE;
    int32_t width = (int32_t)ReadLe32(info + 4);
    int32_t rawHeight = (int32_t)ReadLe32(info + 8);
    uint32_t bitCount = ReadLe16(info + 14);
    uint32_t compression = ReadLe32(info + 16);
    uint32_t colorsUsed = ReadLe32(info + 32);

    bool topDown = rawHeight < 0;
    int64_t height = topDown ? -(int64_t)rawHeight : rawHeight;
    if (width <= 0 || height <= 0 || width > IMAGE_MAX_EDGE || height > IMAGE_MAX_EDGE) {
        error = "BMP size out of range";
        return false;
    }
    if (bitCount != 8 && bitCount != 24 && bitCount != 32) {
        error = "unsupported BMP bit depth";
        return false;
    }
    if (!(compression == BI_RGB || (compression == BI_BITFIELDS && bitCount == 32))) {
        error = "compressed BMP not supported";
        return false;
    }

    // Channel masks: the standard layout unless the header gives its own.
    uint32_t masks[4] = { 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000 };
    if (compression == BI_BITFIELDS) {
        // The masks follow a 40-byte header, or lie inside a larger one.
        if (FILE_HEADER_SIZE + 40 + 12 > size) {
            error = "BMP masks missing";
            return false;
        }
        masks[0] = ReadLe32(info + 40);
        masks[1] = ReadLe32(info + 44);
        masks[2] = ReadLe32(info + 48);
        masks[3] = (infoSize >= 56 && FILE_HEADER_SIZE + 56 <= size) ? ReadLe32(info + 52) : 0;
    }

    uint32_t palette[256];
    for (int i = 0; i < 256; i++)
        palette[i] = PackArgb(255, 0, 0, 0);
    if (bitCount == 8) {
        uint32_t count = colorsUsed == 0 ? 256 : colorsUsed;
        if (count > 256)
            count = 256;
        uint64_t paletteStart = FILE_HEADER_SIZE + (uint64_t)infoSize;
        if (paletteStart + (uint64_t)count * 4 > size) {
            error = "BMP palette cut short";
            return false;
        }
        for (uint32_t i = 0; i < count; i++) {
            const unsigned char* e = data + paletteStart + i * 4;
            palette[i] = PackArgb(255, e[2], e[1], e[0]);
        }
    }

    uint64_t stride = (((uint64_t)width * bitCount + 31) / 32) * 4;
    if ((uint64_t)pixelOffset + stride * (uint64_t)height > size) {
        error = "BMP pixel data cut short";
        return false;
    }

    int shifts[4], bits[4];
    for (int c = 0; c < 4; c++)
        MaskShape(masks[c], shifts[c], bits[c]);

    out.width = width;
    out.height = (int)height;
    out.pixels.resize((size_t)width * height);

    // 32-bit files often leave the fourth byte at zero and mean "opaque"; only a file with
    // some non-zero alpha is taken to carry real alpha.
    bool anyAlpha = false;
    for (int64_t row = 0; row < height; row++) {
        const unsigned char* src = data + pixelOffset + stride * row;
        int64_t y = topDown ? row : height - 1 - row;
        uint32_t* dst = &out.pixels[(size_t)y * width];
        for (int32_t x = 0; x < width; x++) {
            if (bitCount == 8) {
                dst[x] = palette[src[x]];
            } else if (bitCount == 24) {
                const unsigned char* p = src + x * 3;
                dst[x] = PackArgb(255, p[2], p[1], p[0]);
            } else {
                uint32_t v = ReadLe32(src + x * 4);
                unsigned a = Channel(v, masks[3], shifts[3], bits[3]);
                if (a)
                    anyAlpha = true;
                dst[x] = PackArgb(a, Channel(v, masks[0], shifts[0], bits[0]),
                                  Channel(v, masks[1], shifts[1], bits[1]),
                                  Channel(v, masks[2], shifts[2], bits[2]));
            }
        }
    }
    if (bitCount == 32 && !anyAlpha) {
        for (uint32_t& p : out.pixels)
            p |= 0xFF000000u;
    }
    return true;
}
