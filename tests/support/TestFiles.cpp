#include "TestFiles.h"

#include <png.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

std::string BuildPath(const std::string& name)
{
    const char* dir = getenv("ZARUL_BUILD_DIR");
    return std::string(dir && *dir ? dir : ".") + "/" + name;
}

std::string MediaFolder()
{
    std::string path = BuildPath("media");
    mkdir(path.c_str(), 0755);
    return path;
}

bool FileExists(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

// ctest runs the tests of one fixture in parallel processes that write the
// same fixture files: each writes a file of its own and renames it into
// place, so a reader sees the old file or the new one, never a half-written one.
static std::string TemporaryFor(const std::string& path)
{
    return path + ".tmp-" + std::to_string((long)getpid());
}

static bool MoveIntoPlace(const std::string& temporary, const std::string& path, bool written)
{
    if (written && rename(temporary.c_str(), path.c_str()) == 0)
        return true;
    unlink(temporary.c_str());
    return false;
}

bool WriteFile(const std::string& path, const void* data, size_t size)
{
    std::string temporary = TemporaryFor(path);
    FILE* f = fopen(temporary.c_str(), "wb");
    if (!f)
        return false;
    bool ok = fwrite(data, 1, size, f) == size;
    ok = fclose(f) == 0 && ok;
    return MoveIntoPlace(temporary, path, ok);
}

bool WriteText(const std::string& path, const std::string& text)
{
    return WriteFile(path, text.data(), text.size());
}

std::vector<unsigned char> ReadBytes(const std::string& path)
{
    std::vector<unsigned char> data;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f)
        return data;
    unsigned char chunk[4096];
    size_t got;
    while ((got = fread(chunk, 1, sizeof(chunk), f)) > 0)
        data.insert(data.end(), chunk, chunk + got);
    fclose(f);
    return data;
}

bool WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& argb, bool withAlpha)
{
    std::vector<unsigned char> raw;
    for (size_t i = 0; i < argb.size(); i++) {
        uint32_t p = argb[i];
        raw.push_back((p >> 16) & 0xFF);
        raw.push_back((p >> 8) & 0xFF);
        raw.push_back(p & 0xFF);
        if (withAlpha)
            raw.push_back(p >> 24);
    }
    png_image image;
    memset(&image, 0, sizeof(image));
    image.version = PNG_IMAGE_VERSION;
    image.width = width;
    image.height = height;
    image.format = withAlpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    std::string temporary = TemporaryFor(path);
    bool ok = png_image_write_to_file(&image, temporary.c_str(), 0, raw.data(), width * (withAlpha ? 4 : 3), nullptr) != 0;
    return MoveIntoPlace(temporary, path, ok);
}

static void PutLe32(std::vector<unsigned char>& out, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; i++)
        out[at + i] = (unsigned char)(value >> (8 * i));
}

std::vector<unsigned char> DdsHeader(int width, int height, uint32_t formatFlags, const char* fourCC, uint32_t bits,
                                     uint32_t red, uint32_t green, uint32_t blue, uint32_t alpha)
{
    std::vector<unsigned char> b(128, 0);
    memcpy(b.data(), "DDS ", 4);
    PutLe32(b, 4, 124);        // header size
    PutLe32(b, 8, 0x1007);     // caps, height, width, pixel format
    PutLe32(b, 12, height);
    PutLe32(b, 16, width);
    PutLe32(b, 76, 32);        // pixel format size
    PutLe32(b, 80, formatFlags);
    if (fourCC)
        memcpy(b.data() + 84, fourCC, 4);
    PutLe32(b, 88, bits);
    PutLe32(b, 92, red);
    PutLe32(b, 96, green);
    PutLe32(b, 100, blue);
    PutLe32(b, 104, alpha);
    PutLe32(b, 108, 0x1000);   // a texture
    return b;
}

bool WriteDds(const std::string& path, int width, int height, const std::vector<uint32_t>& argb)
{
    // 0x41: RGB with an alpha mask.
    std::vector<unsigned char> file = DdsHeader(width, height, 0x41, nullptr, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000);
    size_t at = file.size();
    file.resize(at + argb.size() * 4);
    for (size_t i = 0; i < argb.size(); i++)
        PutLe32(file, at + i * 4, argb[i]);
    return WriteFile(path, file.data(), file.size());
}
