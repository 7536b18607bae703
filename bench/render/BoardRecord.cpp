#include "BoardRecord.h"

DWORD ReplayTexel(int t, int x, int y)
{
    if (t == REPLAY_FONT)
        return ((x / 16 + y / 16) % 5 == 0 && (x % 16) > 3 && (y % 16) > 3) ? 0xFFFFFFFF : 0x00FFFFFF;
    DWORD base = 0xFF000000 | (DWORD)(t * 0x1D3B57 & 0xFFFFFF);
    return ((x / 32 + y / 32) & 1) ? base : (base ^ 0x303030);
}

const std::vector<OverlayQuad>& OverlayQuads()
{
    static const std::vector<OverlayQuad> quads = {
        // The right panel and its frame of four one-pixel lines.
        {840, 15, 1004, 630, 0x33000000, false},
        {840, 15, 1004, 16, 0x66FFFF33, false},
        {840, 629, 1004, 630, 0x66FFFF33, false},
        {840, 15, 841, 630, 0x66FFFF33, false},
        {1003, 15, 1004, 630, 0x66FFFF33, false},
        // The bottom panel and its frame.
        {20, 645, 1004, 753, 0x33000000, false},
        {20, 645, 1004, 646, 0x66FFFF33, false},
        {20, 752, 1004, 753, 0x66FFFF33, false},
        {20, 645, 21, 753, 0x66FFFF33, false},
        {1003, 645, 1004, 753, 0x66FFFF33, false},
        // Four button faces.
        {857, 477, 988, 502, 0x66FFFF33, false},
        {857, 508, 988, 533, 0x66FFFF33, false},
        {857, 539, 988, 564, 0x66FFFF33, false},
        {857, 570, 988, 595, 0x66FFFF33, false},
    };
    return quads;
}

const std::vector<OverlayText>& OverlayTexts()
{
    static const std::vector<OverlayText> texts = {
        {857, 85, 26, "Level 1"},   {857, 146, 26, "Moves"},   {857, 176, 26, "0000"},
        {890, 480, 18, "ziehen"},   {895, 511, 18, "Reset"},   {877, 542, 18, "Optionen"},
        {905, 573, 18, "Exit"},
    };
    return texts;
}
