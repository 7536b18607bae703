// A test with a headless window and Direct3D device, for tests that draw and read pixels.
#ifndef ZARUL_RENDERFIXTURE_H
#define ZARUL_RENDERFIXTURE_H

#include "HeadlessDevice.h"
#include "TestGeometry.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

class RenderFixture : public ::testing::Test {
protected:
    // The device must be left with no references but the fixture's own.
    void TearDown() override { EXPECT_EQ(0u, headless.Close()); }

    void CreateDevice(UINT w, UINT h)
    {
        ASSERT_TRUE(headless.Open(w, h));
        window = headless.window;
        device = headless.device;
        width = w;
        height = h;
    }

    DWORD Pixel(int x, int y) { return headless.Pixel(x, y); }

    void SavePicture(const char* name) { EXPECT_NE("", headless.SavePicture((std::string(name) + ".png").c_str())); }

    // Identity world, a camera at the origin looking down +z and a 90 degree
    // perspective projection with near 1 and far 100.
    void SetSimpleCamera()
    {
        D3DMATRIX identity = IdentityMatrix();
        D3DMATRIX projection = PerspectiveMatrix(1.5707964f, (float)width / height, 1.0f, 100.0f);
        device->SetTransform(D3DTS_WORLD, &identity);
        device->SetTransform(D3DTS_VIEW, &identity);
        device->SetTransform(D3DTS_PROJECTION, &projection);
    }

    // Sets render states from (state, value) pairs, in order.
    void SetStates(std::initializer_list<std::pair<D3DRENDERSTATETYPE, DWORD>> states)
    {
        for (const auto& s : states)
            device->SetRenderState(s.first, s.second);
    }

    void DrawScreenQuad(float x1, float y1, float x2, float y2, float z, D3DCOLOR color)
    {
        ASSERT_EQ(D3D_OK, ::DrawScreenQuad(device, x1, y1, x2, y2, z, color));
    }

    HeadlessDevice headless;
    HWND window = nullptr;
    IDirect3DDevice8* device = nullptr;
    UINT width = 0;
    UINT height = 0;
};

#endif
