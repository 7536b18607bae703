// Whole game frames: a shipped level as the player sees it through the game
// camera, the slab reflecting the sky and the stones' stencil shadows darkened
// after the scene, at two turns of the board. The pictures stay in the build
// folder for people to look at.
#include <gtest/gtest.h>

#include "C3DSkyBox.h"
#include "CGameController.h"
#include "CGameData.h"
#include "CGrid.h"
#include "CGridView.h"
#include "CLevelLoader.h"
#include "CStoneInfo.h"
#include "GameTestApp.h"
#include "Image.h"
#include "TestFiles.h"
#include "TestGeometry.h"

namespace {

// The game frame with the sky's cube map for the slab and the shadow pass after
// the scene, as the application draws them.
class ShadedGameApp : public GameTestApp {
public:
    // Closed here, while the cube map's clean-up below still runs.
    ~ShadedGameApp() { Close(); }

    HRESULT RestoreDeviceObjects() override
    {
        GameTestApp::RestoreDeviceObjects();
        if (FAILED(D3DXCreateRenderToEnvMap(device, 256, backBufferDesc.Format, TRUE, D3DFMT_D16, &envMapRenderer)))
            return S_OK;
        device->CreateCubeTexture(256, 1, 0, backBufferDesc.Format, D3DPOOL_MANAGED, &envCubeTexture);
        C3DSkyBox sky(device, ".//media//env_skybox.x");
        const D3DXVECTOR3 targets[6] = { { 1, 0, 0 }, { -1, 0, 0 }, { 0, 1, 0 }, { 0, -1, 0 }, { 0, 0, 1 }, { 0, 0, -1 } };
        const D3DXVECTOR3 ups[6] = { { 0, 1, 0 }, { 0, 1, 0 }, { 0, 0, -1 }, { 0, 0, 1 }, { 0, 1, 0 }, { 0, 1, 0 } };
        D3DXVECTOR3 origin(0, 0, 0);
        envMapRenderer->BeginCube(envCubeTexture);
        for (int face = 0; face < 6; face++) {
            D3DXMATRIX look;
            D3DXMatrixLookAtLH(&look, &origin, &targets[face], &ups[face]);
            device->SetTransform(D3DTS_VIEW, &look);
            envMapRenderer->Face((D3DCUBEMAP_FACES)face);
            sky.Render();
        }
        envMapRenderer->End();
        renderEffects |= R_EFFECT_ENVMAP;
        return S_OK;
    }

    void RenderAfterScene() override
    {
        if (!controller || !controller->gridView || !(renderEffects & R_EFFECT_SHADOW))
            return;
        if (exposedOff) {
            CGrid* grid = controller->gameData->board;
            for (int i = 0; i < grid->stoneCount; i++)
                grid->sortedStones[i]->sideExposed = 0;
        }
        controller->gridView->RenderShadows();

        // Half-black over every pixel whose stencil count is 1 or more.
        device->SetRenderState(D3DRS_STENCILENABLE, TRUE);
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
        device->SetTexture(0, NULL);
        device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
        SetStencilShadeStates(device);
        DrawScreenQuad(device, 0, 0, (float)backBufferDesc.Width, (float)backBufferDesc.Height, 0, 0x7F000000);
        device->SetRenderState(D3DRS_ZENABLE, TRUE);
        device->SetRenderState(D3DRS_STENCILENABLE, FALSE);
    }

    HRESULT DeleteDeviceObjects() override
    {
        GameTestApp::DeleteDeviceObjects();
        if (envMapRenderer)
            envMapRenderer->Release();
        if (envCubeTexture)
            envCubeTexture->Release();
        envMapRenderer = 0;
        envCubeTexture = 0;
        return S_OK;
    }

    bool exposedOff = false;   // every stone's side-exposed flag cleared before the shadow pass
};

int Brightness(uint32_t pixel)
{
    return (int)((pixel >> 16) & 0xFF) + (int)((pixel >> 8) & 0xFF) + (int)(pixel & 0xFF);
}

const BYTE ALL = CD3DApplication::R_EFFECT_ENVMAP | CD3DApplication::R_EFFECT_SHADOW | CD3DApplication::R_EFFECT_PARTICLES;

}

TEST(BoardFrame, ShippedLevelWithShadowsAndReflectionsFromTwoTurns)
{
    ShadedGameApp app;
    ASSERT_TRUE(app.Open());
    app.controller->StartGame();
    app.controller->StartLevel(app.controller->levelLoader->GetLevel(22));
    // Every stone drops in, the level's banner goes.
    app.StepSeconds(0.3f + 0.1f * app.controller->gameData->board->GetStoneCount() + 3.5f);
    ASSERT_EQ(0, app.controller->pendingDrops);
    ASSERT_GT(app.controller->gameData->board->GetStoneCount(), 10);

    struct Shot { const char* name; float yaw; BYTE effects; bool exposedOff; } shots[] = {
        { "board_yaw03_shadows.png", 0.3f, ALL, false },
        { "board_yaw03_noshadows.png", 0.3f, ALL & ~CD3DApplication::R_EFFECT_SHADOW, false },
        { "board_yaw35_shadows.png", 3.5f, ALL, false },
        { "board_yaw03_unexposed.png", 0.3f, ALL, true },
        { "board_yaw03_noreflection.png", 0.3f, ALL & ~CD3DApplication::R_EFFECT_ENVMAP, false },
    };
    Image pictures[5];
    for (int i = 0; i < 5; i++) {
        app.controller->gridView->yaw = shots[i].yaw;
        app.renderEffects = shots[i].effects;
        app.exposedOff = shots[i].exposedOff;
        app.Step(2);
        ASSERT_TRUE(app.Capture(BuildPath(shots[i].name), pictures[i])) << shots[i].name;
    }
    const Image& shaded = pictures[0];
    const Image& plain = pictures[1];
    const int pixels = shaded.width * shaded.height;

    // The shadow pass darkens a good part of the board and nothing else: each
    // pixel it changes is darker than without shadows.
    int darker = 0, lighter = 0;
    for (int i = 0; i < pixels; i++) {
        int difference = Brightness(plain.pixels[i]) - Brightness(shaded.pixels[i]);
        darker += difference > 30;
        lighter += difference < -3;
    }
    EXPECT_GT(darker, pixels / 100);
    EXPECT_EQ(0, lighter);

    // Stones without a side towards the camera throw no shadow.
    EXPECT_EQ(plain.pixels, pictures[3].pixels);

    // The sky's reflection brightens the slab; half a turn shows another face
    // of the level.
    long reflected = 0, matt = 0;
    int turned = 0;
    for (int i = 0; i < pixels; i++) {
        reflected += Brightness(shaded.pixels[i]);
        matt += Brightness(pictures[4].pixels[i]);
        turned += Brightness(shaded.pixels[i]) != Brightness(pictures[2].pixels[i]);
    }
    EXPECT_GT(reflected, matt + 10L * pixels);
    EXPECT_GT(turned, pixels / 10);
}
