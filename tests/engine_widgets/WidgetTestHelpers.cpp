#include "WidgetTestHelpers.h"

#include "TestFiles.h"

#include <cstring>

static void PutLe32(std::vector<unsigned char>& out, unsigned value)
{
    for (int i = 0; i < 4; i++)
        out.push_back((unsigned char)(value >> (8 * i)));
}

void WriteTestDds(const std::string& path, int width, int height, const std::vector<uint32_t>& argb)
{
    std::vector<unsigned char> file;
    file.insert(file.end(), { 'D', 'D', 'S', ' ' });
    PutLe32(file, 124);                           // header size
    PutLe32(file, 0x1 | 0x2 | 0x4 | 0x8 | 0x1000); // caps, height, width, pitch, pixel format
    PutLe32(file, height);
    PutLe32(file, width);
    PutLe32(file, width * 4);                     // pitch
    PutLe32(file, 0);                             // depth
    PutLe32(file, 0);                             // mip levels
    for (int i = 0; i < 11; i++)
        PutLe32(file, 0);
    PutLe32(file, 32);                            // pixel format size
    PutLe32(file, 0x40 | 0x1);                    // RGB with alpha
    PutLe32(file, 0);                             // no FourCC
    PutLe32(file, 32);
    PutLe32(file, 0x00FF0000);
    PutLe32(file, 0x0000FF00);
    PutLe32(file, 0x000000FF);
    PutLe32(file, 0xFF000000);
    PutLe32(file, 0x1000);                        // a texture
    for (int i = 0; i < 4; i++)
        PutLe32(file, 0);
    for (size_t i = 0; i < argb.size(); i++)
        PutLe32(file, argb[i]);

    WriteFile(path, file.data(), file.size());
}

void WriteTestAtlas(const std::string& path, int cell, const int* ink)
{
    int size = cell * 16;
    std::vector<uint32_t> pixels((size_t)size * size, 0);
    for (int c = 0; c < 256; c++) {
        int left = (c % 16) * cell + 2;
        int top = (c / 16) * cell;
        for (int y = cell / 4; y < cell * 3 / 4; y++)
            for (int x = 0; x < ink[c] && 2 + x < cell; x++)
                pixels[(size_t)(top + y) * size + left + x] = 0xFFFFFFFF;
    }
    WriteTestDds(path, size, size, pixels);
}
