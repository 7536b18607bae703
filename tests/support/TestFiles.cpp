#include "TestFiles.h"

#include <png.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

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

bool WriteFile(const std::string& path, const void* data, size_t size)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = fwrite(data, 1, size, f) == size;
    fclose(f);
    return ok;
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

bool WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& argb)
{
    std::vector<unsigned char> raw;
    for (size_t i = 0; i < argb.size(); i++) {
        uint32_t p = argb[i];
        raw.push_back((p >> 16) & 0xFF);
        raw.push_back((p >> 8) & 0xFF);
        raw.push_back(p & 0xFF);
        raw.push_back(p >> 24);
    }
    png_image image;
    memset(&image, 0, sizeof(image));
    image.version = PNG_IMAGE_VERSION;
    image.width = width;
    image.height = height;
    image.format = PNG_FORMAT_RGBA;
    return png_image_write_to_file(&image, path.c_str(), 0, raw.data(), width * 4, NULL) != 0;
}
