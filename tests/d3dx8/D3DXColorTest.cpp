#include "D3DXTestHelpers.h"

TEST(D3DXColor, PackingClampsScalesAndRounds)
{
    EXPECT_EQ((DWORD)D3DXCOLOR(0.5f, 0.5f, 0.5f, 0.5f), 0x80808080u);
    EXPECT_EQ((DWORD)D3DXCOLOR(1.2f, -0.3f, 1.0f, 0.0f), 0x00FF00FFu);
    EXPECT_EQ((DWORD)D3DXCOLOR(0.09f, 0.1f, 0.66f, 1.0f), 0xFF171AA8u);
    EXPECT_EQ((DWORD)D3DXCOLOR(1.0f, 1.0f, 1.0f, 0.6f), 0x99FFFFFFu);
    // Just below one half step rounds down.
    EXPECT_EQ((DWORD)D3DXCOLOR(0.0f, 0.0f, 0.5f / 255.0f - 1e-4f, 0.0f), 0u);
}

// Packing is checked above, so a round trip also shows each channel unpacked in place.
TEST(D3DXColor, UnpacksFromArgbAndPacksBackUnchanged)
{
    EXPECT_NEAR(D3DXCOLOR(0xFF171AA8u).r, 0x17 / 255.0f, 1e-6f);
    for (DWORD argb : { 0x00000000u, 0xFFFFFFFFu, 0x7F000000u, 0x12345678u, 0x80FF01FEu })
        EXPECT_EQ((DWORD)D3DXCOLOR(argb), argb);
}

TEST(D3DXColor, ArithmeticBlendsPerChannelAndPackingClamps)
{
    D3DXCOLOR white(1, 1, 1, 1), red(1, 0, 0, 1);
    D3DXCOLOR blend = white + 0.25f * (red - white);
    EXPECT_EQ(blend, D3DXCOLOR(1, 0.75f, 0.75f, 1));

    // A blend weight below zero drives channels negative; packing clamps them.
    const float w = -1.0f;
    D3DXCOLOR pulse(0.3f + 0.7f * w, 0.3f + 0.7f * w, 0.5f, 0.5f);
    EXPECT_EQ((DWORD)pulse, 0x80000080u);
}
