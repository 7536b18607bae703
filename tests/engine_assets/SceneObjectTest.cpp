// Camera, sky box, billboard and particle system on a stand-in device:
// what each puts on the device, and that each puts back the states it changed.

#include "C3DBillboard.h"
#include "C3DParticleSystem.h"
#include "C3DSkyBox.h"
#include "CCamera.h"
#include "CGlobForceModifier.h"
#include "CResourceManager.h"
#include "CTexMgr.h"
#include "CXObjectLoader.h"
#include "FakeDevice.h"
#include "SpriteQuads.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

D3DXMATRIX LookAt(D3DXVECTOR3 eye, D3DXVECTOR3 at, D3DXVECTOR3 up)
{
    D3DXMATRIX m;
    D3DXMatrixLookAtLH(&m, &eye, &at, &up);
    return m;
}

std::vector<SpriteVertex> SpriteVertices(const FakeDevice::Draw& draw)
{
    std::vector<SpriteVertex> v(draw.userVertices.size() / sizeof(SpriteVertex));
    memcpy(v.data(), draw.userVertices.data(), v.size() * sizeof(SpriteVertex));
    return v;
}

// Render states a drawing pass may change; all must be back afterwards.
void ExpectStatesBack(FakeDevice& device, const std::map<DWORD, DWORD>& before)
{
    for (const auto& s : before)
        EXPECT_EQ(s.second, device.renderStates[s.first]) << "render state " << s.first;
}

// Uses the service loaders with the stand-in device for one test.
class SceneObjects : public ::testing::Test {
protected:
    void SetUp() override
    {
        CResourceManager::GetTextures()->SetDevice(&device);
        CResourceManager::GetXObjLoader()->SetDevice(&device);
    }
    void TearDown() override
    {
        CResourceManager::GetXObjLoader()->SetDevice(0);
        CResourceManager::GetTextures()->SetDevice(0);
    }

    FakeDevice device;
};

}

TEST_F(SceneObjects, SkyBoxFollowsTheEyeUnlitWithoutDepthWrites)
{
    std::string mesh = BuildPath("assets_test_sky.x");
    const char text[] = "xof 0302txt 0032\nMesh { 3; 0;0;50;, 0;1;50;, 1;0;50;; 1; 3; 0,1,2;; }\n";
    ASSERT_TRUE(WriteFile(mesh, text, sizeof(text) - 1));

    D3DXMATRIX view = LookAt(D3DXVECTOR3(5, 6, 7), D3DXVECTOR3(5, 6, 8), D3DXVECTOR3(0, 1, 0));
    device.SetTransform(D3DTS_VIEW, &view);
    std::map<DWORD, DWORD> before = device.renderStates;

    C3DSkyBox sky(&device, mesh.c_str());
    sky.Render();
    ASSERT_EQ(1u, device.draws.size());
    const FakeDevice::Draw& draw = device.draws[0];
    EXPECT_EQ((DWORD)FALSE, draw.renderStates.at(D3DRS_LIGHTING));
    EXPECT_EQ((DWORD)FALSE, draw.renderStates.at(D3DRS_ZWRITEENABLE));
    EXPECT_NEAR(5.0f, draw.world._41, 1e-4);
    EXPECT_NEAR(6.0f, draw.world._42, 1e-4);
    EXPECT_NEAR(7.0f, draw.world._43, 1e-4);
    ExpectStatesBack(device, before);
    remove(mesh.c_str());
}

TEST_F(SceneObjects, BillboardPlaysSheetOnceThenEnds)
{
    // 36 frames of 256 x 256 pixels in a 6 x 6 grid, 64 frames a second.
    C3DBillboard boom(&device, 1.0f, 1.0f, D3DXVECTOR3(1, 2, 3), 36, 256, 256, 6, 6, 64);
    boom.SetTexture("DEFAULT_MATERIAL");
    EXPECT_EQ(0, boom.GetCurrentFrame());

    boom.Move(7.5f / 64.0f);   // frame 7: second row, second column
    EXPECT_EQ(7, boom.GetCurrentFrame());
    std::map<DWORD, DWORD> before = device.renderStates;
    boom.Render();
    ASSERT_EQ(1u, device.draws.size());
    std::vector<SpriteVertex> v = SpriteVertices(device.draws[0]);
    ASSERT_EQ(6u, v.size());
    EXPECT_NEAR(256.5f / 1536.0f, v[0].u, 1e-6);
    EXPECT_NEAR(256.5f / 1536.0f, v[0].v, 1e-6);
    EXPECT_NEAR(511.5f / 1536.0f, v[2].u, 1e-6);
    EXPECT_NEAR(511.5f / 1536.0f, v[2].v, 1e-6);
    // Facing the default camera (looking along +z): a unit square about the position.
    EXPECT_NEAR(0.5f, v[0].x, 1e-5);
    EXPECT_NEAR(2.5f, v[0].y, 1e-5);
    EXPECT_NEAR(1.5f, v[2].x, 1e-5);
    EXPECT_NEAR(1.5f, v[2].y, 1e-5);
    for (const SpriteVertex& s : v)
        EXPECT_NEAR(3.0f, s.z, 1e-5);
    EXPECT_EQ(CResourceManager::GetTextures()->GetTexture("DEFAULT_MATERIAL"), device.draws[0].texture);
    EXPECT_EQ((DWORD)TRUE, device.draws[0].renderStates.at(D3DRS_ALPHABLENDENABLE));
    ExpectStatesBack(device, before);

    // Still playing just before the last frame ends; ended after it.
    boom.Move(35.9f / 64.0f - 7.5f / 64.0f);
    EXPECT_EQ(35, boom.GetCurrentFrame());
    EXPECT_EQ(0, boom.markedForDeletion);
    boom.Move(0.2f / 64.0f);
    EXPECT_EQ(1, boom.markedForDeletion);
    EXPECT_EQ(35, boom.GetCurrentFrame());

    // Nonsense sheet sizes never divide by zero.
    C3DBillboard odd(&device, 1.0f, 1.0f, D3DXVECTOR3(0, 0, 0), 0, 0, 0, 0, 0, 0);
    odd.Move(1.5f);
    odd.Render();
    EXPECT_EQ(1, odd.markedForDeletion);
}

namespace {

// A system whose particles start moving along +x at 1 + index units a second and
// where particle 0 dies on its second update.
class TestSystem : public C3DParticleSystem {
public:
    TestSystem(IDirect3DDevice8* device, int count) : C3DParticleSystem(device, count, 0.5f, D3DXVECTOR3(10, 0, 0)) {}

    void InitParticle(int i) override
    {
        C3DParticleSystem::InitParticle(i);
        particles[i].velocity = D3DXVECTOR3(1.0f + i, 0, 0);
        initOrder.push_back(i);
    }
    void UpdateParticle(int i, float seconds) override
    {
        particles[i].age += seconds;
        updates++;
        if (i == 0 && particles[i].age > 1.5f)
            particles[i].alive = 0;
        particles[i].color = D3DXCOLOR(1.0f, 0.5f, 0.0f, 0.5f);
    }

    std::vector<int> initOrder;
    int updates = 0;
};

}
