// What the effect tests share: a small headless device looking at the origin from
// the front, and a clean scene afterwards.
#ifndef EFFECTSTESTSUPPORT_H
#define EFFECTSTESTSUPPORT_H

#include <d3dx8.h>

#include <gtest/gtest.h>

#include "HeadlessDevice.h"
#include "Image.h"

// Pixels of on that are brighter than the same pixel of off in every channel by
// more than minGain in sum; *darker (when given) counts those darker in any channel.
int BrighterPixels(const Image& on, const Image& off, int minGain, int* darker = nullptr);

class EffectsDeviceTest : public ::testing::Test {
protected:
    void SetUp() override;
    // Empties the object queue and the texture cache before the device goes.
    void TearDown() override;

    // Clears to black, draws, and answers how many pixels are not black.
    template <class Draw>
    int LitPixels(Draw draw)
    {
        device->Clear(0, NULL, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
        device->BeginScene();
        draw();
        device->EndScene();
        int lit = 0;
        for (int y = 0; y < kSize; y++)
            for (int x = 0; x < kSize; x++)
                lit += (headless.Pixel(x, y) & 0xFFFFFF) != 0;
        return lit;
    }

    static const int kSize = 64;
    HeadlessDevice headless;
    IDirect3DDevice8* device = nullptr;
};

#endif
