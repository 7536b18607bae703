// A real headless frame: the frame's camera, a textured mesh, a lit mesh, an animated
// billboard and a particle, checked by pixels. The picture is saved in the build
// folder as assets_render.png.

#include "C3DBillboard.h"
#include "C3DParticleSystem.h"
#include "C3DXObject.h"
#include "CCamera.h"
#include "CObjQueue.h"
#include "CResourceManager.h"
#include "CTexMgr.h"
#include "HeadlessScene.h"
#include "TestFiles.h"
#include "TestGeometry.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// A mesh object that draws with lighting switched on or off.
class LitXObject : public C3DXObject {
public:
    LitXObject(IDirect3DDevice8* device, const char* file, D3DXVECTOR3 position, bool lighting)
        : C3DXObject(device, file, position, D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 0)), lit(lighting)
    {
    }
    void Render() override
    {
        device->SetRenderState(D3DRS_LIGHTING, lit ? TRUE : FALSE);
        C3DXObject::Render();
    }
    bool lit;
};

// One blue particle that stays where it starts, drawn with the default texture.
class BlueParticle : public C3DParticleSystem {
public:
    BlueParticle(IDirect3DDevice8* device, D3DXVECTOR3 position) : C3DParticleSystem(device, 1, 1.0f, position) {}
    void InitParticle(int i) override
    {
        C3DParticleSystem::InitParticle(i);
        particles[i].color = D3DXCOLOR(0, 0, 1, 1);
    }
    void Render() override
    {
        device->SetTexture(0, CResourceManager::GetTextures()->GetTexture("DEFAULT_MATERIAL"));
        C3DParticleSystem::Render();
    }
};

class AssetScene : public HeadlessScene {
public:
    AssetScene() : HeadlessScene("assets test", 160, 120, 0xFF000000) {}

    HRESULT InitDeviceObjects() override
    {
        camera = new CCamera(D3DXVECTOR3(0, 0, -5), D3DXVECTOR3(0, 0, 1), device, D3DXVECTOR3(0, 1, 0));
        CObjQueue* queue = CResourceManager::GetObjectQueue();

        C3DXObject* textured = new LitXObject(device, ".//media//assets_render_quad.x", D3DXVECTOR3(-1.8f, 0.8f, 0), false);
        textured->scale = 0.6f;
        queue->AddObject(textured, 2, 0);

        C3DXObject* lit = new LitXObject(device, ".//media//assets_render_plain.x", D3DXVECTOR3(1.8f, 0.8f, 0), true);
        lit->scale = 0.6f;
        queue->AddObject(lit, 2, 0);

        // Four frames of 32 x 32 pixels on a 2 x 2 sheet, one frame a second.
        C3DBillboard* sprite = new C3DBillboard(device, 1.0f, 1.0f, D3DXVECTOR3(-1.8f, -1.2f, 0), 4, 32, 32, 2, 2, 1);
        sprite->SetTexture(".//media//assets_render_sheet.png");
        queue->AddObject(sprite, 2, 0);

        BlueParticle* particle = new BlueParticle(device, D3DXVECTOR3(1.8f, -1.2f, 0));
        particle->ResetSystem();
        queue->AddObject(particle, 2, 0);
        return S_OK;
    }

    HRESULT RestoreDeviceObjects() override
    {
        D3DXMATRIX projection;
        D3DXMatrixPerspectiveFovLH(&projection, 0.3f * D3DX_PI, 160.0f / 120.0f, 1.0f, 100.0f);
        device->SetTransform(D3DTS_PROJECTION, &projection);
        device->SetRenderState(D3DRS_ZENABLE, TRUE);
        device->SetRenderState(D3DRS_AMBIENT, 0);

        D3DLIGHT8 light = WhiteLight(0, 0, 1);   // shining away from the camera onto the meshes' front
        device->SetLight(0, &light);
        device->LightEnable(0, TRUE);
        return S_OK;
    }
};

// A unit quad facing the camera; textured with quadrant colours, or plain white.
void WriteQuad(const std::string& path, const char* texture)
{
    std::string text = std::string("xof 0302txt 0032\n")
        + "Mesh { 4; -1;-1;0;, -1;1;0;, 1;1;0;, 1;-1;0;; 1; 4; 0,1,2,3;;\n"
          " MeshNormals { 1; 0;0;-1;; 1; 4; 0,0,0,0;; }\n"
          " MeshTextureCoords { 4; 0;1;, 0;0;, 1;0;, 1;1;; }\n"
          " MeshMaterialList { 1; 1; 0;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;;";
    if (texture)
        text += std::string(" TextureFilename { \"") + texture + "\"; }";
    text += " } } }\n";
    ASSERT_TRUE(WriteText(path, text));
}

// Fills a width x height picture with four coloured quadrants.
std::vector<uint32_t> Quadrants(int size, uint32_t tl, uint32_t tr, uint32_t bl, uint32_t br)
{
    std::vector<uint32_t> px((size_t)size * size);
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++)
            px[(size_t)y * size + x] = y < size / 2 ? (x < size / 2 ? tl : tr) : (x < size / 2 ? bl : br);
    return px;
}

// Each channel within a tolerance.
::testing::AssertionResult ColorNear(uint32_t actual, uint32_t expected, int tolerance)
{
    for (int shift = 0; shift < 24; shift += 8) {
        int a = (actual >> shift) & 0xFF, e = (expected >> shift) & 0xFF;
        if (abs(a - e) > tolerance)
            return ::testing::AssertionFailure() << std::hex << "pixel " << (actual & 0xFFFFFF) << " expected "
                                                 << expected;
    }
    return ::testing::AssertionSuccess();
}

}

TEST(AssetRendering, MeshesBillboardAndParticleAppearWhereTheCameraSeesThem)
{
    // The frame runs in the build folder and opens ".//media//NAME".
    ASSERT_EQ(0, chdir(BuildPath("").c_str()));
    MediaFolder();
    WriteQuad("media/assets_render_quad.x", "assets_render_quad.png");
    WriteQuad("media/assets_render_plain.x", nullptr);
    ASSERT_TRUE(WritePng("media/assets_render_quad.png", 2, 2, Quadrants(2, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF)));
    ASSERT_TRUE(WritePng("media/assets_render_sheet.png", 64, 64,
                         Quadrants(64, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00)));

    Image image;
    {
        AssetScene app;
        // 45 frames of 1/30 s: the billboard shows its second frame.
        ASSERT_TRUE(app.RunAndCapture(45, "assets_render.png", image));
    }
    ASSERT_EQ(160, image.width);
    ASSERT_EQ(120, image.height);

    // Camera at z -5 looking along +z: world (x, y) on z = 0 lands near
    // (80 + x * 23.55, 60 - y * 23.55) pixels.
    EXPECT_TRUE(ColorNear(image.Pixel(2, 2), 0x000000, 0));
    // The textured quad keeps its picture upright: red top left, white bottom right.
    EXPECT_TRUE(ColorNear(image.Pixel(31, 34), 0xFF0000, 12));
    EXPECT_TRUE(ColorNear(image.Pixel(45, 34), 0x00FF00, 12));
    EXPECT_TRUE(ColorNear(image.Pixel(31, 48), 0x0000FF, 12));
    EXPECT_TRUE(ColorNear(image.Pixel(45, 48), 0xFFFFFF, 12));
    // The lit quad faces the light: its normals point at the viewer.
    EXPECT_TRUE(ColorNear(image.Pixel(122, 41), 0xFFFFFF, 12));
    // The billboard's second frame (green), added on black.
    EXPECT_TRUE(ColorNear(image.Pixel(38, 88), 0x00FF00, 12));
    // The particle: blue times the light grey default texture.
    EXPECT_TRUE(ColorNear(image.Pixel(122, 88), 0x0000C0, 12));

    CResourceManager::GetObjectQueue()->ReleaseAllObjects(CObjQueue::RELEASE_EVERYTHING);
    CResourceManager::GetObjectQueue()->DeleteMarkedObjects();
    for (const char* name : { "quad.x", "plain.x", "quad.png", "sheet.png" })
        remove((std::string("media/assets_render_") + name).c_str());
}
