// PNG decoding through libpng's simplified reading interface.

#include "Image.h"

#include <png.h>
#include <cstring>

bool DecodePng(const unsigned char* data, size_t size, Image& out, std::string& error)
{
    out.Clear();

    png_image png;
    memset(&png, 0, sizeof(png));
    png.version = PNG_IMAGE_VERSION;

    if (!png_image_begin_read_from_memory(&png, data, size)) {
        error = std::string("bad PNG: ") + png.message;
        png_image_free(&png);
        return false;
    }
    if (png.width == 0 || png.height == 0 || png.width > (png_uint_32)IMAGE_MAX_EDGE
        || png.height > (png_uint_32)IMAGE_MAX_EDGE) {
        error = "PNG size out of range";
        png_image_free(&png);
        return false;
    }

    // BGRA bytes in memory are 0xAARRGGBB values on a little-endian machine; the bytes are
    // written into the pixel array and then read back as values, so this holds as long
    // as the host is little-endian (every platform this program targets).
    png.format = PNG_FORMAT_BGRA;
    std::vector<uint32_t> pixels((size_t)png.width * png.height);
    if (!png_image_finish_read(&png, nullptr, pixels.data(), (png_int_32)(png.width * 4), nullptr)) {
        error = std::string("bad PNG data: ") + png.message;
        png_image_free(&png);
        return false;
    }

    out.width = (int)png.width;
    out.height = (int)png.height;
    out.pixels.swap(pixels);
    return true;
}
