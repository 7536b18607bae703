// Whole game frames: a shipped level as the player sees it through the game
// camera, with the slab reflecting the sky, the stones' stencil shadows
// darkened after the scene, at two turns of the board. The pictures stay in the
// build folder for people to look at.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "C3DSkyBox.h"
#include "CCameraView.h"
#include "CD3DApplication.h"
#include "CGameController.h"
#include "CGameData.h"
#include "CGrid.h"
#include "CGridView.h"
#include "CLevel.h"
#include "CLevelLoader.h"
#include "CObjQueue.h"
#include "CResourceManager.h"
#include "CStoneInfo.h"
#include "Image.h"
#include "TestFiles.h"

namespace {

const int kWidth = 500;
const int kHeight = 375;
const int kFramesPerShot = 3;

// One picture: the board's turn and the render effects in use.
struct Shot
{
    const char* name;
    float yaw;
    BYTE effects;
    bool exposedOff;    // every stone's side-exposed flag cleared before the shadow pass
};

const BYTE ALL = CD3DApplication::R_EFFECT_ENVMAP | CD3DApplication::R_EFFECT_SHADOW | CD3DApplication::R_EFFECT_PARTICLES;
const BYTE NO_SHADOW = ALL & ~CD3DApplication::R_EFFECT_SHADOW;

const Shot SHOTS[] = {
    { "board_yaw03_shadows.png", 0.3f, ALL, false },
    { "board_yaw03_noshadows.png", 0.3f, NO_SHADOW, false },
    { "board_yaw35_shadows.png", 3.5f, ALL, false },
    { "board_yaw03_unexposed.png", 0.3f, ALL, true },
    { "board_yaw03_noenv.png", 0.3f, CD3DApplication::R_EFFECT_SHADOW, false },
};
const int SHOT_COUNT = sizeof(SHOTS) / sizeof(SHOTS[0]);

struct ScreenVertex
{
    float x, y, z, rhw;
    DWORD color;
};

// The game's frame for one level: camera, light, sky reflection, the board
// view in the queue and the shadow pass after the scene.
class BoardFrameApp : public CD3DApplication {
public:
    explicit BoardFrameApp(int levelNumber) : level(levelNumber)
    {
        windowTitle = "board";
        creationWidth = kWidth;
        creationHeight = kHeight;
        useDepthBuffer = 1;
        useStencilBuffer = 1;
        settingsFile = "";
    }

    HRESULT InitDeviceObjects() override
    {
        controller = CGameController::GetInstance();
        controller->gameData = new CGameData(6);
        cameraView = new CCameraView(D3DXVECTOR3(3.2f, 24.0f, -27.0f), controller, D3DXVECTOR3(0, 0, 1), device,
                                     D3DXVECTOR3(0, 1, 0));
        cameraView->target = D3DXVECTOR3(3.2f, 0.0f, -2.0f);
        cameraView->lookAtTarget = 1;
        camera = cameraView;

        view = new CGridView(controller, device, 6);
        controller->gridView = view;
        CResourceManager::GetObjectQueue()->AddObject(view, 2, 0);
        controller->running = 1;

        CLevelLoader loader;
        if (loader.Load(".//media//levels.xml") < 1 || !loader.GetLevel(level))
            return E_FAIL;
        CLevel* shown = loader.GetLevel(level);
        // Effects are chosen before the stones are made, as in the game: a stone
        // learns at birth whether it throws a shadow.
        renderEffects = ALL;
        CGrid* grid = controller->gameData->board;
        for (int i = 0; i < shown->fieldCount; i++)
            grid->SetField(shown->fields[i].x, shown->fields[i].y, shown->fields[i].type);
        for (int i = 0; i < shown->stoneCount; i++)
            grid->PlaceStone(shown->stones[i]->x, shown->stones[i]->y, shown->stones[i]->type, 0.0f);
        stones = grid->GetStoneCount();
        view->UpdateFields();
        return S_OK;
    }

    HRESULT RestoreDeviceObjects() override
    {
        D3DMATERIAL8 material = {};
        material.Diffuse = material.Ambient = { 1.0f, 1.0f, 1.0f, 1.0f };
        device->SetMaterial(&material);
        for (DWORD stage = 0; stage < 2; stage++) {
            device->SetTextureStageState(stage, D3DTSS_COLOROP, D3DTOP_MODULATE);
            device->SetTextureStageState(stage, D3DTSS_COLORARG1, D3DTA_TEXTURE);
            device->SetTextureStageState(stage, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
            device->SetTextureStageState(stage, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
            device->SetTextureStageState(stage, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
            device->SetTextureStageState(stage, D3DTSS_MIPFILTER, D3DTEXF_LINEAR);
        }
        // Stage 1 holds no texture until the slab's reflection uses it; left on
        // it would replace everything drawn before that with its white.
        device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
        device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
        device->SetRenderState(D3DRS_ZENABLE, TRUE);
        device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
        device->SetRenderState(D3DRS_AMBIENT, 0x0F0F0F);

        D3DXMATRIX projection;
        D3DXMatrixPerspectiveFovLH(&projection, 0.3f * D3DX_PI, (float)kWidth / kHeight, 1.0f, 1000.0f);
        device->SetTransform(D3DTS_PROJECTION, &projection);

        D3DLIGHT8 light = {};
        light.Type = D3DLIGHT_DIRECTIONAL;
        light.Diffuse = { 1.0f, 1.0f, 1.0f, 0.0f };
        D3DXVECTOR3 direction(-1.0f, -1.0f, 1.0f);
        D3DXVec3Normalize((D3DXVECTOR3*)&light.Direction, &direction);
        light.Range = 1000.0f;
        device->SetLight(0, &light);
        device->LightEnable(0, TRUE);
        device->SetRenderState(D3DRS_LIGHTING, TRUE);

        RenderSky();
        return S_OK;
    }

    // The sky box drawn once into the six faces of the cube the slab reflects.
    void RenderSky()
    {
        if (FAILED(D3DXCreateRenderToEnvMap(device, 256, backBufferDesc.Format, TRUE, D3DFMT_D16, &envMapRenderer)))
            return;
        device->CreateCubeTexture(256, 1, 0, backBufferDesc.Format, D3DPOOL_MANAGED, &envCubeTexture);
        C3DSkyBox sky(device, ".//media//env_skybox.x");
        device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
        device->SetRenderState(D3DRS_LIGHTING, FALSE);
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
        device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
        device->SetRenderState(D3DRS_LIGHTING, TRUE);
    }

    HRESULT FrameMove(float seconds) override
    {
        const Shot& shot = SHOTS[(GetFrameCount() / kFramesPerShot) % SHOT_COUNT];
        renderEffects = shot.effects;
        exposedOff = shot.exposedOff;
        view->yaw = shot.yaw;
        return CD3DApplication::FrameMove(seconds);
    }

    HRESULT Render() override
    {
        device->Clear(0, NULL, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, 0xFF203048, 1.0f, 0);
        if (FAILED(device->BeginScene()))
            return S_OK;
        CD3DApplication::Render();
        device->EndScene();
        return S_OK;
    }

    void RenderAfterScene() override
    {
        if (!(renderEffects & R_EFFECT_SHADOW))
            return;
        if (exposedOff) {
            CGrid* grid = controller->gameData->board;
            for (int i = 0; i < grid->stoneCount; i++)
                grid->sortedStones[i]->sideExposed = 0;
        }
        view->RenderShadows();
        DarkenStencilledPixels();
    }

    // Half-black over every pixel whose stencil count is 1 or more.
    void DarkenStencilledPixels()
    {
        device->SetRenderState(D3DRS_ZENABLE, FALSE);
        device->SetRenderState(D3DRS_STENCILENABLE, TRUE);
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
        device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
        device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
        device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
        device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
        device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
        device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
        device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
        device->SetTexture(0, NULL);
        device->SetRenderState(D3DRS_STENCILREF, 1);
        device->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_LESSEQUAL);
        device->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_KEEP);
        float w = (float)backBufferDesc.Width, h = (float)backBufferDesc.Height;
        ScreenVertex quad[4] = { { 0, h, 0, 1, 0x7F000000 }, { 0, 0, 0, 1, 0x7F000000 },
                                 { w, h, 0, 1, 0x7F000000 }, { w, 0, 0, 1, 0x7F000000 } };
        device->SetVertexShader(D3DFVF_XYZRHW | D3DFVF_DIFFUSE);
        device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(ScreenVertex));
        device->SetRenderState(D3DRS_ZENABLE, TRUE);
        device->SetRenderState(D3DRS_STENCILENABLE, FALSE);
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    }

    HRESULT DeleteDeviceObjects() override
    {
        controller->gridView = nullptr;
        CD3DApplication::DeleteDeviceObjects();
        CGameController::DestroyInstance();
        if (envMapRenderer)
            envMapRenderer->Release();
        if (envCubeTexture)
            envCubeTexture->Release();
        envMapRenderer = 0;
        envCubeTexture = 0;
        return S_OK;
    }

    HRESULT FinalCleanup() override
    {
        delete cameraView;
        camera = 0;
        return S_OK;
    }

    int level;
    int stones = 0;
    bool exposedOff = false;
    CGameController* controller = nullptr;
    CCameraView* cameraView = nullptr;
    CGridView* view = nullptr;
};

int Brightness(uint32_t pixel)
{
    return (int)((pixel >> 16) & 0xFF) + (int)((pixel >> 8) & 0xFF) + (int)(pixel & 0xFF);
}

}

TEST(BoardFrame, ShippedLevelWithShadowsAndReflectionsFromTwoTurns)
{
    BoardFrameApp app(22);
    std::vector<std::string> paths;
    for (int i = 0; i < SHOT_COUNT; i++) {
        paths.push_back(BuildPath(SHOTS[i].name));
        remove(paths.back().c_str());
        app.AddSnapshot((i + 1) * kFramesPerShot, paths.back().c_str());
    }
    app.SetHeadlessRun(SHOT_COUNT * kFramesPerShot, 1.0f / 30.0f);
    ASSERT_GE(app.Create(NULL), 0);
    app.Run();
    EXPECT_GT(app.stones, 10);

    Image shots[SHOT_COUNT];
    for (int i = 0; i < SHOT_COUNT; i++) {
        std::string error;
        ASSERT_TRUE(LoadImageFile(paths[i], shots[i], error)) << paths[i] << ": " << error;
        ASSERT_EQ(kWidth, shots[i].width);
    }
    const Image& shaded = shots[0];
    const Image& plain = shots[1];
    const Image& turned = shots[2];
    const Image& unexposed = shots[3];
    const Image& unreflected = shots[4];

    // The shadow pass darkens a good part of the board and nothing else: each
    // pixel it changes is darker than without shadows.
    int darker = 0, lighter = 0;
    for (size_t i = 0; i < shaded.pixels.size(); i++) {
        int difference = Brightness(plain.pixels[i]) - Brightness(shaded.pixels[i]);
        darker += difference > 30;
        lighter += difference < -3;
    }
    EXPECT_GT(darker, kWidth * kHeight / 100);
    EXPECT_EQ(0, lighter);

    // The sky's reflection brightens the slab.
    long reflected = 0, matt = 0;
    for (size_t i = 0; i < shaded.pixels.size(); i++) {
        reflected += Brightness(shaded.pixels[i]);
        matt += Brightness(unreflected.pixels[i]);
    }
    EXPECT_GT(reflected, matt + (long)kWidth * kHeight * 10);

    // Stones without a side towards the camera throw no shadow.
    EXPECT_EQ(plain.pixels, unexposed.pixels);

    // Turned half way round the board shows another face of the level.
    int changed = 0;
    for (size_t i = 0; i < shaded.pixels.size(); i++)
        changed += Brightness(shaded.pixels[i]) != Brightness(turned.pixels[i]);
    EXPECT_GT(changed, kWidth * kHeight / 10);

    // The board fills the middle of the window: little of the clear colour shows there.
    int background = 0;
    for (int y = kHeight / 3; y < 2 * kHeight / 3; y++)
        for (int x = kWidth / 3; x < 2 * kWidth / 3; x++)
            background += (shaded.Pixel(x, y) & 0xFFFFFF) == 0x203048;
    EXPECT_LT(background, kWidth * kHeight / 90);
}
