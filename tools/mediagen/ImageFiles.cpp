#include "ImageFiles.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

Pixel ReadPixel(cairo_surface_t* surface, int x, int y)
{
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const uint32_t argb = *reinterpret_cast<const uint32_t*>(data + y * stride + x * 4);
    Pixel p;
    p.a = (unsigned char)(argb >> 24);
    unsigned r = (argb >> 16) & 0xff, g = (argb >> 8) & 0xff, b = argb & 0xff;
    if (p.a > 0 && p.a < 255) {
        // undo cairo's premultiplication, rounding to nearest
        r = (r * 255 + p.a / 2) / p.a;
        g = (g * 255 + p.a / 2) / p.a;
        b = (b * 255 + p.a / 2) / p.a;
    } else if (p.a == 0) {
        r = g = b = 0;
    }
    p.r = (unsigned char)(r > 255 ? 255 : r);
    p.g = (unsigned char)(g > 255 ? 255 : g);
    p.b = (unsigned char)(b > 255 ? 255 : b);
    return p;
}

static void PutLE32(std::vector<unsigned char>& out, uint32_t v)
{
    for (int i = 0; i < 4; i++)
        out.push_back((unsigned char)(v >> (8 * i)));
}

static void PutLE16(std::vector<unsigned char>& out, uint16_t v)
{
    out.push_back((unsigned char)(v & 0xff));
    out.push_back((unsigned char)(v >> 8));
}

static bool SaveBytes(const std::vector<unsigned char>& bytes, const std::string& path)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}

bool WriteJpeg(cairo_surface_t* surface, const std::string& path, int quality)
{
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);

    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return false;

    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, f);
    cinfo.image_width = w;
    cinfo.image_height = h;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);

    // JPEG has no alpha: pixels are laid over black, as the premultiplied colour already is
    std::vector<unsigned char> row(w * 3);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    while (cinfo.next_scanline < cinfo.image_height) {
        const uint32_t* src = reinterpret_cast<const uint32_t*>(data + cinfo.next_scanline * stride);
        for (int x = 0; x < w; x++) {
            row[x * 3 + 0] = (unsigned char)(src[x] >> 16);
            row[x * 3 + 1] = (unsigned char)(src[x] >> 8);
            row[x * 3 + 2] = (unsigned char)(src[x]);
        }
        JSAMPROW rows[1] = { row.data() };
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return fclose(f) == 0;
}

// DDS: "DDS " magic, a 124-byte surface description, then the top row first,
// each pixel as the bytes B, G, R, A (A8R8G8B8 in little-endian order), no mipmaps.
bool WriteDds(cairo_surface_t* surface, const std::string& path)
{
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);

    const uint32_t DDSD_CAPS = 0x1, DDSD_HEIGHT = 0x2, DDSD_WIDTH = 0x4, DDSD_PITCH = 0x8,
                   DDSD_PIXELFORMAT = 0x1000;
    const uint32_t DDPF_ALPHAPIXELS = 0x1, DDPF_RGB = 0x40;
    const uint32_t DDSCAPS_TEXTURE = 0x1000;

    std::vector<unsigned char> out;
    out.reserve(128 + w * h * 4);
    out.push_back('D'); out.push_back('D'); out.push_back('S'); out.push_back(' ');
    PutLE32(out, 124);
    PutLE32(out, DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH | DDSD_PIXELFORMAT);
    PutLE32(out, h);
    PutLE32(out, w);
    PutLE32(out, w * 4);   // pitch of one row in bytes
    PutLE32(out, 0);       // depth
    PutLE32(out, 0);       // mipmap count
    for (int i = 0; i < 11; i++)
        PutLE32(out, 0);   // reserved
    PutLE32(out, 32);      // pixel format size
    PutLE32(out, DDPF_RGB | DDPF_ALPHAPIXELS);
    PutLE32(out, 0);       // no FourCC: uncompressed
    PutLE32(out, 32);      // bits per pixel
    PutLE32(out, 0x00ff0000);
    PutLE32(out, 0x0000ff00);
    PutLE32(out, 0x000000ff);
    PutLE32(out, 0xff000000);
    PutLE32(out, DDSCAPS_TEXTURE);
    PutLE32(out, 0);
    PutLE32(out, 0);
    PutLE32(out, 0);
    PutLE32(out, 0);       // reserved

    for (int y = 0; y < h; y++) {
        for (int x = 0; x < w; x++) {
            const Pixel p = ReadPixel(surface, x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
            out.push_back(p.a);
        }
    }
    return SaveBytes(out, path);
}

// BMP: 24-bit, bottom row first, rows padded to four bytes; colour laid over black.
bool WriteBmp(cairo_surface_t* surface, const std::string& path)
{
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    const int rowBytes = (w * 3 + 3) & ~3;
    const uint32_t imageBytes = rowBytes * h;

    std::vector<unsigned char> out;
    out.reserve(54 + imageBytes);
    out.push_back('B'); out.push_back('M');
    PutLE32(out, 54 + imageBytes);
    PutLE32(out, 0);
    PutLE32(out, 54);      // offset of the pixels
    PutLE32(out, 40);      // BITMAPINFOHEADER
    PutLE32(out, w);
    PutLE32(out, h);       // positive: bottom-up
    PutLE16(out, 1);       // planes
    PutLE16(out, 24);      // bits per pixel
    PutLE32(out, 0);       // BI_RGB
    PutLE32(out, imageBytes);
    PutLE32(out, 2835);    // 72 dpi
    PutLE32(out, 2835);
    PutLE32(out, 0);
    PutLE32(out, 0);

    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = h - 1; y >= 0; y--) {
        const uint32_t* src = reinterpret_cast<const uint32_t*>(data + y * stride);
        for (int x = 0; x < w; x++) {
            out.push_back((unsigned char)(src[x]));
            out.push_back((unsigned char)(src[x] >> 8));
            out.push_back((unsigned char)(src[x] >> 16));
        }
        for (int pad = w * 3; pad < rowBytes; pad++)
            out.push_back(0);
    }
    return SaveBytes(out, path);
}

bool WritePng(cairo_surface_t* surface, const std::string& path)
{
    return cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}
