// DirectDraw surface decoding: the top picture of uncompressed 24/32-bit files (any
// channel masks, with or without alpha) and of DXT1, DXT3 and DXT5 compressed files,
// which are decoded here on the CPU.

#include "Image.h"

#include <cstring>

namespace {

const size_t DDS_HEADER_SIZE = 128;   // "DDS " plus the 124-byte header
const uint32_t DDPF_ALPHAPIXELS = 0x1;
const uint32_t DDPF_FOURCC = 0x4;
const uint32_t DDPF_RGB = 0x40;

uint32_t FourCC(const char* s)
{
    return (uint32_t)(unsigned char)s[0] | ((uint32_t)(unsigned char)s[1] << 8)
        | ((uint32_t)(unsigned char)s[2] << 16) | ((uint32_t)(unsigned char)s[3] << 24);
}

// Widens a 5:6:5 colour to 8 bits per channel.
void Expand565(uint32_t c, unsigned rgb[3])
{
    unsigned r = (c >> 11) & 31, g = (c >> 5) & 63, b = c & 31;
    rgb[0] = (r << 3) | (r >> 2);
    rgb[1] = (g << 2) | (g >> 4);
    rgb[2] = (b << 3) | (b >> 2);
}

// Decodes an 8-byte colour block into 16 pixels. A DXT1 block whose first colour is not
// above the second uses three colours and transparent black; the DXT3/5 colour blocks
// always use four colours.
void DecodeColorBlock(const unsigned char* block, bool allowTransparent, uint32_t out[16])
{
    uint32_t c0 = ReadLe16(block), c1 = ReadLe16(block + 2);
    unsigned a[3], b[3];
    Expand565(c0, a);
    Expand565(c1, b);

    uint32_t palette[4];
    palette[0] = PackArgb(255, a[0], a[1], a[2]);
    palette[1] = PackArgb(255, b[0], b[1], b[2]);
    if (c0 > c1 || !allowTransparent) {
        palette[2] = PackArgb(255, (2 * a[0] + b[0]) / 3, (2 * a[1] + b[1]) / 3, (2 * a[2] + b[2]) / 3);
        palette[3] = PackArgb(255, (a[0] + 2 * b[0]) / 3, (a[1] + 2 * b[1]) / 3, (a[2] + 2 * b[2]) / 3);
    } else {
        palette[2] = PackArgb(255, (a[0] + b[0]) / 2, (a[1] + b[1]) / 2, (a[2] + b[2]) / 2);
        palette[3] = 0;
    }

    uint32_t indices = ReadLe32(block + 4);
    for (int i = 0; i < 16; i++)
        out[i] = palette[(indices >> (2 * i)) & 3];
}

// DXT3: sixteen explicit 4-bit alpha values.
void DecodeExplicitAlpha(const unsigned char* block, unsigned alpha[16])
{
    for (int i = 0; i < 16; i++) {
        unsigned nibble = (block[i / 2] >> ((i & 1) * 4)) & 15;
        alpha[i] = nibble * 17;
    }
}

// DXT5: two end points and sixteen 3-bit indices into the values between them.
void DecodeInterpolatedAlpha(const unsigned char* block, unsigned alpha[16])
{
    unsigned a0 = block[0], a1 = block[1];
    unsigned table[8];
    table[0] = a0;
    table[1] = a1;
    if (a0 > a1) {
        for (int i = 1; i <= 6; i++)
            table[i + 1] = ((7 - i) * a0 + i * a1) / 7;
    } else {
        for (int i = 1; i <= 4; i++)
            table[i + 1] = ((5 - i) * a0 + i * a1) / 5;
        table[6] = 0;
        table[7] = 255;
    }

    uint64_t bits = 0;
    for (int i = 0; i < 6; i++)
        bits |= (uint64_t)block[2 + i] << (8 * i);
    for (int i = 0; i < 16; i++)
        alpha[i] = table[(bits >> (3 * i)) & 7];
}

bool DecodeCompressed(const unsigned char* src, size_t available, uint32_t fourCC,
                      Image& out, std::string& error)
{
    const bool dxt1 = fourCC == FourCC("DXT1");
    const size_t blockSize = dxt1 ? 8 : 16;
    const size_t blocksWide = ((size_t)out.width + 3) / 4;
    const size_t blocksHigh = ((size_t)out.height + 3) / 4;
    if (blocksWide * blocksHigh * blockSize > available) {
        error = "DDS compressed data cut short";
        return false;
    }

    out.pixels.resize((size_t)out.width * out.height);
    for (size_t by = 0; by < blocksHigh; by++) {
        for (size_t bx = 0; bx < blocksWide; bx++) {
            const unsigned char* block = src + (by * blocksWide + bx) * blockSize;
            uint32_t colors[16];
            unsigned alpha[16];
            if (dxt1) {
                DecodeColorBlock(block, true, colors);
                for (int i = 0; i < 16; i++)
                    alpha[i] = colors[i] >> 24;
            } else {
                if (fourCC == FourCC("DXT5"))
                    DecodeInterpolatedAlpha(block, alpha);
                else
                    DecodeExplicitAlpha(block, alpha);
                DecodeColorBlock(block + 8, false, colors);
            }

            for (int i = 0; i < 16; i++) {
                size_t x = bx * 4 + (i & 3), y = by * 4 + (i >> 2);
                if (x < (size_t)out.width && y < (size_t)out.height)
                    out.pixels[y * out.width + x] = (colors[i] & 0x00FFFFFFu) | ((uint32_t)alpha[i] << 24);
            }
        }
    }
    return true;
}

// Position and width of a channel mask, for widening each channel to 8 bits.
unsigned MaskedChannel(uint32_t value, uint32_t mask)
{
    if (mask == 0)
        return 0;
    int shift = 0;
    while (!((mask >> shift) & 1))
        shift++;
    uint32_t maxValue = mask >> shift;
    uint32_t v = (value & mask) >> shift;
    return (unsigned)(((uint64_t)v * 255 + maxValue / 2) / maxValue);
}

bool DecodeUncompressed(const unsigned char* src, size_t available, const unsigned char* format,
                        Image& out, std::string& error)
{
    uint32_t flags = ReadLe32(format + 4);
    uint32_t bitCount = ReadLe32(format + 12);
    uint32_t rMask = ReadLe32(format + 16), gMask = ReadLe32(format + 20);
    uint32_t bMask = ReadLe32(format + 24), aMask = ReadLe32(format + 28);
    if (!(flags & DDPF_ALPHAPIXELS))
        aMask = 0;
    if (bitCount != 24 && bitCount != 32) {
        error = "unsupported DDS bit depth";
        return false;
    }

    const size_t bytesPerPixel = bitCount / 8;
    const size_t pitch = (size_t)out.width * bytesPerPixel;
    if (pitch * out.height > available) {
        error = "DDS pixel data cut short";
        return false;
    }

    out.pixels.resize((size_t)out.width * out.height);
    for (int y = 0; y < out.height; y++) {
        const unsigned char* row = src + pitch * y;
        for (int x = 0; x < out.width; x++) {
            const unsigned char* p = row + x * bytesPerPixel;
            uint32_t v = bytesPerPixel == 4 ? ReadLe32(p)
                                            : ((uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16));
            unsigned a = aMask ? MaskedChannel(v, aMask) : 255;
            out.pixels[(size_t)y * out.width + x] =
                PackArgb(a, MaskedChannel(v, rMask), MaskedChannel(v, gMask), MaskedChannel(v, bMask));
        }
    }
    return true;
}

}

bool DecodeDds(const unsigned char* data, size_t size, Image& out, std::string& error)
{
    out.Clear();
    if (size < DDS_HEADER_SIZE || memcmp(data, "DDS ", 4) != 0 || ReadLe32(data + 4) != 124) {
        error = "DDS header too short or damaged";
        return false;
    }

    uint32_t height = ReadLe32(data + 12);
    uint32_t width = ReadLe32(data + 16);
    if (width == 0 || height == 0 || width > (uint32_t)IMAGE_MAX_EDGE || height > (uint32_t)IMAGE_MAX_EDGE) {
        error = "DDS size out of range";
        return false;
    }

    const unsigned char* format = data + 76;   // the pixel-format block inside the header
    uint32_t flags = ReadLe32(format + 4);
    uint32_t fourCC = ReadLe32(format + 8);

    out.width = (int)width;
    out.height = (int)height;
    const unsigned char* src = data + DDS_HEADER_SIZE;
    size_t available = size - DDS_HEADER_SIZE;

    bool ok;
    if (flags & DDPF_FOURCC) {
        if (fourCC == FourCC("DXT1") || fourCC == FourCC("DXT3") || fourCC == FourCC("DXT5")) {
            ok = DecodeCompressed(src, available, fourCC, out, error);
        } else {
            error = "unsupported DDS compression";
            ok = false;
        }
    } else if (flags & DDPF_RGB) {
        ok = DecodeUncompressed(src, available, format, out, error);
    } else {
        error = "unsupported DDS pixel format";
        ok = false;
    }

    if (!ok)
        out.Clear();
    return ok;
}
