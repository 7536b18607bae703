#include "ReplayGeometry.h"

#include <string.h>

namespace {

struct ScreenVertex {
    float x, y, z, rhw;
    DWORD color;
    float u, v;
};

struct ShadeVertex {
    float x, y, z, rhw;
    DWORD color;
};

template <typename Vertex> void Append(std::vector<BYTE>& bytes, const Vertex& v)
{
    size_t at = bytes.size();
    bytes.resize(at + sizeof(Vertex));
    memcpy(&bytes[at], &v, sizeof(Vertex));
}

// Corners in strip order: bottom left, top left, bottom right, top right.
void AppendStrip(std::vector<BYTE>& bytes, float x1, float y1, float x2, float y2, DWORD color, float u1, float v1,
                 float u2, float v2)
{
    Append(bytes, ScreenVertex{x1, y2, 0, 1, color, u1, v2});
    Append(bytes, ScreenVertex{x1, y1, 0, 1, color, u1, v1});
    Append(bytes, ScreenVertex{x2, y2, 0, 1, color, u2, v2});
    Append(bytes, ScreenVertex{x2, y1, 0, 1, color, u2, v1});
}

} // namespace

DWORD ReplayCubeTexel(int face, int x, int y)
{
    return 0xFF000000 | (DWORD)((40 + face * 30) << 16) | (DWORD)((80 + y / 2) << 8) | (DWORD)(160 + x / 4);
}

std::vector<BYTE> ShadowQuadVertices(int width, int height)
{
    std::vector<BYTE> bytes;
    Append(bytes, ShadeVertex{0, (float)height, 0, 1, 0x7F000000});
    Append(bytes, ShadeVertex{0, 0, 0, 1, 0x7F000000});
    Append(bytes, ShadeVertex{(float)width, (float)height, 0, 1, 0x7F000000});
    Append(bytes, ShadeVertex{(float)width, 0, 0, 1, 0x7F000000});
    return bytes;
}

std::vector<BYTE> BackgroundVertices(int width, int height)
{
    std::vector<BYTE> bytes;
    AppendStrip(bytes, 0, 0, (float)width, (float)height, 0xFFFFFFFF, 0, 0, 1, 1);
    return bytes;
}

std::vector<BYTE> QuadStrip(const OverlayQuad& quad)
{
    std::vector<BYTE> bytes;
    AppendStrip(bytes, quad.x1, quad.y1, quad.x2, quad.y2, quad.color, 0, 0, 1, 1);
    return bytes;
}

std::vector<BYTE> TextTriangles(const OverlayText& text, bool shadow)
{
    std::vector<BYTE> bytes;
    DWORD color = shadow ? 0xFF000000 : 0xFF171AA8;
    float offset = shadow ? 2.0f : 0.0f;
    float x = text.x + offset;
    for (const char* c = text.text; *c; c++) {
        float u = (float)(*c % 16) / 16.0f;
        float v = (float)(*c / 16 % 16) / 16.0f;
        std::vector<BYTE> strip;
        AppendStrip(strip, x, text.y + offset, x + text.size * 0.8f, text.y + offset + text.size, color, u, v,
                    u + 1.0f / 16, v + 1.0f / 16);
        // Strip corners 0 1 2 3 as the triangles 0 1 2 and 2 1 3.
        static const int order[6] = {0, 1, 2, 2, 1, 3};
        for (int i = 0; i < 6; i++)
            bytes.insert(bytes.end(), strip.begin() + order[i] * REPLAY_SCREEN_STRIDE,
                         strip.begin() + (order[i] + 1) * REPLAY_SCREEN_STRIDE);
        x += text.size * 0.7f;
    }
    return bytes;
}
