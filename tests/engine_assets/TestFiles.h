#ifndef TESTFILES_H
#define TESTFILES_H

// Small helpers for tests that need files on disk: paths in the build folder (where
// the tests run and media/ lies), writing bytes and a PNG made with libpng.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include <png.h>
#include <sys/stat.h>

inline std::string BuildPath(const std::string& name)
{
    const char* dir = getenv("ZARUL_BUILD_DIR");
    return std::string(dir ? dir : ".") + "/" + name;
}

// The media folder in the build folder, made when missing.
inline std::string MediaFolder()
{
    std::string path = BuildPath("media");
    mkdir(path.c_str(), 0755);
    return path;
}

inline bool WriteFile(const std::string& path, const void* data, size_t size)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = fwrite(data, 1, size, f) == size;
    fclose(f);
    return ok;
}

// Writes an RGBA PNG from 0xAARRGGBB pixels.
inline bool WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& argb)
{
    std::vector<unsigned char> raw;
    for (uint32_t p : argb) {
        raw.push_back((p >> 16) & 0xFF);
        raw.push_back((p >> 8) & 0xFF);
        raw.push_back(p & 0xFF);
        raw.push_back(p >> 24);
    }
    png_image img;
    memset(&img, 0, sizeof(img));
    img.version = PNG_IMAGE_VERSION;
    img.width = width;
    img.height = height;
    img.format = PNG_FORMAT_RGBA;
    return png_image_write_to_file(&img, path.c_str(), 0, raw.data(), width * 4, NULL) != 0;
}

#endif
