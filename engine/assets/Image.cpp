// Signature dispatch and file reading for the image decoders.

#include "Image.h"

#include <cstdio>
#include <cstring>

bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& data)
{
    data.clear();
    FILE* f = fopen(path.c_str(), "rb");
    if (!f)
        return false;

    // Room for the whole file at once: grown by doubling, a large file would
    // pass through twice its size and end in a block larger than itself.
    if (fseek(f, 0, SEEK_END) == 0) {
        long size = ftell(f);
        if (size > 0)
            data.reserve((size_t)size);
        fseek(f, 0, SEEK_SET);
    }

    unsigned char buffer[65536];
    size_t got;
    while ((got = fread(buffer, 1, sizeof(buffer), f)) > 0)
        data.insert(data.end(), buffer, buffer + got);

    bool ok = !ferror(f);
    fclose(f);
    return ok;
}

bool DecodeImage(const unsigned char* data, size_t size, Image& out, std::string& error)
{
    out.Clear();
    if (size >= 8 && memcmp(data, "\x89PNG\r\n\x1a\n", 8) == 0)
        return DecodePng(data, size, out, error);
    if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF)
        return DecodeJpeg(data, size, out, error);
    if (size >= 2 && data[0] == 'B' && data[1] == 'M')
        return DecodeBmp(data, size, out, error);
    if (size >= 4 && memcmp(data, "DDS ", 4) == 0)
        return DecodeDds(data, size, out, error);

    error = size == 0 ? "empty file" : "unknown image format";
    return false;
}

bool LoadImageFile(const std::string& path, Image& out, std::string& error)
{
    out.Clear();
    std::vector<unsigned char> data;
    if (!ReadWholeFile(path, data)) {
        error = "cannot read file";
        return false;
    }
    return DecodeImage(data.data(), data.size(), out, error);
}
