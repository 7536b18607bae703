// The goal stones' pulse and the volume light's rays.
#include "CPulsateModifier.h"
#include "CVolumeLightEffect.h"

#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "CModEvent.h"
#include "EffectsTestSupport.h"

namespace {

TEST(Pulse, SwingsFromHalfToOnePointOneEveryQuarterTurnOfPi)
{
    // Two periods of pi/2 s in frames of 10 ms: one grey for all four channels.
    CPulsateModifier pulse;
    float low = 10.0f, high = -10.0f;
    for (int frame = 0; frame < 315; frame++) {
        pulse.apply(CModEvent(nullptr, 0.01f));
        ASSERT_TRUE(pulse.r == pulse.g && pulse.r == pulse.b && pulse.r == pulse.a);
        low = std::min(low, pulse.r);
        high = std::max(high, pulse.r);
    }
    EXPECT_NEAR(0.5f, low, 1e-3f);
    EXPECT_NEAR(1.1f, high, 1e-3f);
    float before = pulse.r;
    pulse.apply(CModEvent(nullptr, 0.0f));
    EXPECT_EQ(before, pulse.r);
}

struct RayVertex {
    float x, y, z;
    DWORD color;
    float u, v;
};

std::vector<RayVertex> Rays(CVolumeLightEffect& light)
{
    std::vector<RayVertex> rays(CVolumeLightEffect::VERTEX_COUNT);
    BYTE* data = nullptr;
    EXPECT_EQ(D3D_OK, light.vertexBuffer->Lock(0, 0, &data, 0));
    memcpy(rays.data(), data, rays.size() * sizeof(RayVertex));
    light.vertexBuffer->Unlock();
    return rays;
}

class VolumeLight : public EffectsDeviceTest {
};

TEST_F(VolumeLight, RaysRiseFromTheFootprintAndStreamOnlyWhileTimePasses)
{
    srand(3);
    CVolumeLightEffect* made = new CVolumeLightEffect(device, D3DXVECTOR3(0.0f, -2.0f, 0.0f), 4.0f);
    CVolumeLightEffect& light = *made;
    // Each ray from the stone's 4 x 4 footprint up to the 10 x 10 area above.
    std::vector<RayVertex> start = Rays(light);
    for (int i = 0; i < CVolumeLightEffect::VERTEX_COUNT; i++) {
        bool foot = i % 3 == 0;
        EXPECT_FLOAT_EQ(foot ? -2.0f : 25.0f, start[i].y);
        EXPECT_LE(std::fabs(start[i].x), foot ? 2.0f : 5.0f);
        EXPECT_EQ(foot ? 0x80FFFFFFu : 0x00FFFFFFu, start[i].color);
    }

    light.Move(0.0f);
    std::vector<RayVertex> still = Rays(light);
    EXPECT_EQ(0, memcmp(start.data(), still.data(), start.size() * sizeof(RayVertex)));

    light.Move(0.4f);
    std::vector<RayVertex> moved = Rays(light);
    for (size_t i = 0; i < moved.size(); i++) {
        EXPECT_FLOAT_EQ(start[i].v + 0.1f, moved[i].v);
        EXPECT_EQ(start[i].x, moved[i].x);
    }
    EXPECT_FLOAT_EQ(0.4f, light.time);

    // The light's state block goes with it.
    DWORD block = light.stateBlock;
    EXPECT_EQ(D3D_OK, device->ApplyStateBlock(block));
    delete made;
    EXPECT_EQ(D3DERR_INVALIDCALL, device->ApplyStateBlock(block));
}

// Every render state, the states of the first two texture stages, the stage-0
// texture, stream 0, the vertex shader and the world transform, as one list.
std::vector<uintptr_t> DeviceState(IDirect3DDevice8* device)
{
    std::vector<uintptr_t> state;
    DWORD value = 0;
    for (DWORD s = D3DRS_ZENABLE; s <= D3DRS_BLENDOP; s++) {
        device->GetRenderState((D3DRENDERSTATETYPE)s, &value);
        state.push_back(value);
    }
    for (DWORD stage = 0; stage < 2; stage++)
        for (DWORD t = D3DTSS_COLOROP; t <= D3DTSS_RESULTARG; t++) {
            device->GetTextureStageState(stage, (D3DTEXTURESTAGESTATETYPE)t, &value);
            state.push_back(value);
        }
    IDirect3DBaseTexture8* texture = nullptr;
    IDirect3DVertexBuffer8* stream = nullptr;
    UINT stride = 0;
    device->GetTexture(0, &texture);
    device->GetStreamSource(0, &stream, &stride);
    device->GetVertexShader(&value);
    state.insert(state.end(), { (uintptr_t)texture, (uintptr_t)stream, stride, value });
    // Only who they are matters, not a reference.
    if (texture)
        texture->Release();
    if (stream)
        stream->Release();
    D3DMATRIX world;
    device->GetTransform(D3DTS_WORLD, &world);
    for (int i = 0; i < 16; i++) {
        uint32_t bits;
        memcpy(&bits, &world.m[i / 4][i % 4], sizeof(bits));
        state.push_back(bits);
    }
    return state;
}

TEST_F(VolumeLight, DrawsAdditiveRaysAndLeavesTheDeviceAsItFoundIt)
{
    srand(5);
    CVolumeLightEffect light(device, D3DXVECTOR3(0.0f, -4.0f, 0.0f), 4.0f);
    light.Move(0.1f);

    // A state another pass left behind: lit, opaque, culling, a texture and a stream.
    IDirect3DVertexBuffer8* other = nullptr;
    ASSERT_EQ(D3D_OK, device->CreateVertexBuffer(72, D3DUSAGE_WRITEONLY, D3DFVF_XYZ | D3DFVF_DIFFUSE,
                                                 D3DPOOL_MANAGED, &other));
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(D3D_OK, device->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture));
    device->SetStreamSource(0, other, 16);
    device->SetVertexShader(D3DFVF_XYZ | D3DFVF_DIFFUSE);
    device->SetTexture(0, texture);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    D3DXMATRIX shifted;
    D3DXMatrixTranslation(&shifted, 1.0f, 2.0f, 3.0f);
    device->SetTransform(D3DTS_WORLD, &shifted);

    std::vector<uintptr_t> before = DeviceState(device);
    EXPECT_GT(LitPixels([&] { light.Render(); }), 20);     // the rays show
    EXPECT_EQ(before, DeviceState(device));

    device->SetStreamSource(0, nullptr, 0);
    device->SetTexture(0, nullptr);
    other->Release();
    texture->Release();
}

}
