// BoardRecord: one frame of the game's board scene as data, taken from the
// running game, so that the same frame can be drawn again through the Direct3D
// layer and straight in OpenGL: the camera, the light, the slab, the stones
// the game draws (in its order) with their boxes and world matrices, and the
// shadow volumes it draws. Textures are not taken: both replays make the same
// made-up ones.
#ifndef ZARUL_BOARDRECORD_H
#define ZARUL_BOARDRECORD_H

#include <d3d8.h>

#include <vector>

struct BoardRecord {
    // 36 vertices of 36 bytes: position, normal, colour, texture coordinates.
    enum { BOX_VERTICES = 36, BOX_STRIDE = 36, BOX_FORMAT = 0x152 };

    struct Stone {
        D3DMATRIX world;
        int type;
        std::vector<BYTE> box; // BOX_VERTICES * BOX_STRIDE bytes
    };
    struct Volume {
        D3DMATRIX world;
        std::vector<float> positions; // x, y, z per vertex; a triangle list
    };

    int width = 0;
    int height = 0;
    D3DMATRIX view;
    D3DMATRIX projection;
    D3DLIGHT8 light;
    D3DMATERIAL8 material;
    DWORD ambient = 0;
    D3DMATRIX slabWorld;
    std::vector<BYTE> slab;
    std::vector<Stone> stones;
    std::vector<Volume> volumes;
};

// Texture types of the replays: stone types 0..8, then the slab, the font and
// the background picture.
enum { REPLAY_STONE_TEXTURES = 9, REPLAY_SLAB = 9, REPLAY_FONT = 10, REPLAY_BACKGROUND = 11, REPLAY_TEXTURES = 12 };
enum { REPLAY_TEXTURE_SIZE = 256 };

// Texel (x, y) of replay texture t, as 0xAARRGGBB; the font is mostly clear.
DWORD ReplayTexel(int t, int x, int y);

// The heads-up overlay of the replays, in screen pixels of a 1024 x 768 frame:
// translucent panels with thin frames, button faces, and lines of text whose
// glyphs are quads cut from the font texture. Each line is drawn twice (its
// shadow, then itself).
struct OverlayQuad {
    float x1, y1, x2, y2;
    DWORD color;
    bool textured;
};
struct OverlayText {
    float x, y, size;
    const char* text;
};
const std::vector<OverlayQuad>& OverlayQuads();
const std::vector<OverlayText>& OverlayTexts();

#endif
