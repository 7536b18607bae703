// The generated media in a real headless frame: every texture reaches the device through
// the texture cache (none falls back to the grey stand-in), the sky surrounds the eye and
// the two slide markers show in their colours at the game's scale. The frame is saved as
// media_scene.png in the build folder for people to look at.
#include "MediaTestSupport.h"

#include "C3DSkyBox.h"
#include "C3DXObject.h"
#include "CCamera.h"
#include "CObjQueue.h"
#include "CResourceManager.h"
#include "CTexMgr.h"
#include "HeadlessDevice.h"
#include "HeadlessScene.h"
#include "TestGeometry.h"

#include <unistd.h>

#include <gtest/gtest.h>

namespace {


// Draws the sky as the environment map does: unlit, around the eye.
class Sky : public C3DSkyBox {
public:
    explicit Sky(IDirect3DDevice8* device) : C3DSkyBox(device, ".//media//env_skybox.x") {}
};

class MediaSceneApp : public HeadlessScene {
public:
    std::vector<std::string> fallbacks;

    MediaSceneApp() : HeadlessScene("media test", 200, 150, 0xFF000000) {}

    HRESULT InitDeviceObjects() override
    {
        CTexMgr* textures = CResourceManager::GetTextures();
        IDirect3DTexture8* fallback = textures->GetTexture("DEFAULT_MATERIAL");
        for (int i = 0; i < kTextureCount; i++)
            if (textures->GetTexture(std::string(".//media//") + kTextures[i].name) == fallback)
                fallbacks.push_back(kTextures[i].name);

        camera = new CCamera(D3DXVECTOR3(0, 0, -20), D3DXVECTOR3(0, 0, 1), device, D3DXVECTOR3(0, 1, 0));
        CObjQueue* queue = CResourceManager::GetObjectQueue();
        queue->AddObject(new Sky(device), 1, 0);
        // the markers at the game's scale (one board cell is 4 units), tilted towards the camera
        C3DXObject* cross = new C3DXObject(device, ".//media//cross.x", D3DXVECTOR3(-4, 0, 0), D3DXVECTOR3(0, 0, 0),
                                           D3DXVECTOR3(0, 0, 0));
        C3DXObject* arrow = new C3DXObject(device, ".//media//arrow.x", D3DXVECTOR3(4, 0, 0), D3DXVECTOR3(0, 0, 0),
                                           D3DXVECTOR3(0, 0, 0));
        for (C3DXObject* marker : { cross, arrow }) {
            marker->scale = 4.0f;
            marker->pitch = -1.2f;
            queue->AddObject(marker, 2, 0);
        }
        return S_OK;
    }

    HRESULT RestoreDeviceObjects() override
    {
        D3DXMATRIX projection;
        D3DXMatrixPerspectiveFovLH(&projection, D3DX_PI / 4, 200.0f / 150.0f, 1.0f, 1000.0f);
        device->SetTransform(D3DTS_PROJECTION, &projection);
        device->SetRenderState(D3DRS_ZENABLE, TRUE);
        device->SetRenderState(D3DRS_LIGHTING, TRUE);
        device->SetRenderState(D3DRS_AMBIENT, 0xFF404040);
        D3DLIGHT8 light = WhiteLight(0, 0, 1);
        device->SetLight(0, &light);
        device->LightEnable(0, TRUE);
        return S_OK;
    }
};

TEST(MediaScene, TexturesSkyAndMarkersReachTheScreen)
{
    ASSERT_EQ(0, chdir(BuildPath("").c_str()));
    std::vector<std::string> fallbacks;
    Image frame;
    {
        MediaSceneApp app;
        ASSERT_TRUE(app.RunAndCapture(3, "media_scene.png", frame));
        fallbacks = app.fallbacks;
    }
    for (const std::string& name : fallbacks)
        ADD_FAILURE() << name << " did not load as a texture";
    ASSERT_EQ(200, frame.width);

    // the eye looks at the horizon: the sky's light band, bluish, not the grey stand-in
    const uint32_t horizon = frame.Pixel(100, 62);
    EXPECT_GT(Blue(horizon), Red(horizon)) << std::hex << horizon;
    EXPECT_GT(Blue(horizon), 60) << std::hex << horizon;
    // cross (red) left of the middle, arrow (gold) right of it: world x = +-4 at distance 20
    // lands about 39 pixels from the centre
    const uint32_t cross = frame.Pixel(100 - 39, 75);
    EXPECT_GT(Red(cross), 2 * Green(cross)) << std::hex << cross;
    EXPECT_GT(Red(cross), 120) << std::hex << cross;
    const uint32_t arrow = frame.Pixel(100 + 39, 75);
    EXPECT_GT(Red(arrow), 150) << std::hex << arrow;
    EXPECT_GT(Green(arrow), Blue(arrow) + 40) << std::hex << arrow;
}

} // namespace
