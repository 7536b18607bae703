// JPEG decoding through libjpeg. libjpeg reports fatal errors through a callback that
// must not return, so the callback jumps back here with longjmp; nothing with a
// destructor is created between the setjmp and the calls that may jump.

#include "Image.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace {

struct JpegError
{
    jpeg_error_mgr manager;
    jmp_buf jumpBack;
    char message[JMSG_LENGTH_MAX];
};

void OnJpegError(j_common_ptr cinfo)
{
    JpegError* err = (JpegError*)cinfo->err;
    (*cinfo->err->format_message)(cinfo, err->message);
    longjmp(err->jumpBack, 1);
}

// Warnings (such as data ending early) are still counted by libjpeg's own message
// routine; only their printing to stderr is dropped.
void OnJpegOutput(j_common_ptr) {}

}

bool DecodeJpeg(const unsigned char* data, size_t size, Image& out, std::string& error)
{
    out.Clear();

    jpeg_decompress_struct cinfo;
    JpegError err;
    cinfo.err = jpeg_std_error(&err.manager);
    err.manager.error_exit = OnJpegError;
    err.manager.output_message = OnJpegOutput;
    err.message[0] = 0;

    std::vector<unsigned char> row;
    std::vector<uint32_t> pixels;

    if (setjmp(err.jumpBack)) {
        jpeg_destroy_decompress(&cinfo);
        error = std::string("bad JPEG: ") + err.message;
        return false;
    }

    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, (unsigned char*)data, (unsigned long)size);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;   // grey pictures are widened to RGB too
    jpeg_start_decompress(&cinfo);

    if (cinfo.output_width == 0 || cinfo.output_height == 0
        || cinfo.output_width > (JDIMENSION)IMAGE_MAX_EDGE
        || cinfo.output_height > (JDIMENSION)IMAGE_MAX_EDGE || cinfo.output_components != 3) {
        jpeg_destroy_decompress(&cinfo);
        error = "JPEG size or colour layout out of range";
        return false;
    }

    const size_t width = cinfo.output_width;
    row.resize(width * 3);
    pixels.resize(width * cinfo.output_height);

    while (cinfo.output_scanline < cinfo.output_height) {
        size_t y = cinfo.output_scanline;
        JSAMPROW rows[1] = { row.data() };
        jpeg_read_scanlines(&cinfo, rows, 1);
        uint32_t* dst = &pixels[y * width];
        for (size_t x = 0; x < width; x++)
            dst[x] = PackArgb(255, row[x * 3], row[x * 3 + 1], row[x * 3 + 2]);
    }

    // A file that ended early or held damaged data decodes to a partly grey picture with
    // warnings; treat that as a broken file rather than showing the damage.
    bool damaged = err.manager.num_warnings > 0;
    jpeg_finish_decompress(&cinfo);
    damaged = damaged || err.manager.num_warnings > 0;
    jpeg_destroy_decompress(&cinfo);

    if (damaged) {
        error = "damaged JPEG data";
        return false;
    }

    out.width = (int)width;
    out.height = (int)(pixels.size() / width);
    out.pixels.swap(pixels);
    return true;
}
