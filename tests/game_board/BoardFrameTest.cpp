// Whole game frames drawn by the game's application: a shipped level as the
// player sees it through the game camera, the slab reflecting the sky's cube
// map and the stones' stencil shadows darkened after the scene, at two turns
// of the board. The pictures stay in the build folder for people to look at.
#include <gtest/gtest.h>

#include "CGameController.h"
#include "CGameData.h"
#include "CGrid.h"
#include "CGridView.h"
#include "CLevelLoader.h"
#include "CStoneInfo.h"
#include "CStoneTypes.h"
#include "GameTestApp.h"
#include "Image.h"
#include "TestFiles.h"

namespace {

// The game's application, with a switch that clears every stone's side-exposed
// flag just before its shadow pass, and one that draws the application's shadow
// quad over a stencil buffer filled with one count in place of the pass.
class ShadedGameApp : public GameTestApp {
public:
    void RenderAfterScene() override
    {
        if (stencilFill >= 0) {
            device->Clear(0, nullptr, D3DCLEAR_STENCIL, 0, 1.0f, (DWORD)stencilFill);
            RenderShadowQuad();
            return;
        }
        if (exposedOff && controller && controller->gameData) {
            CGrid* grid = controller->gameData->board;
            for (int i = 0; i < grid->stoneCount; i++)
                grid->sortedStones[i]->sideExposed = 0;
        }
        GameTestApp::RenderAfterScene();
    }

    bool exposedOff = false;
    int stencilFill = -1;
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
    app.StartGame();
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

    // The shadow quad darkens a pixel by half from a stencil count of 1 on
    // the stencil buffer filled with 0, 1 and 2 under the application's quad.
    Image filled[3];
    app.renderEffects = ALL;
    for (int count = 0; count < 3; count++) {
        app.stencilFill = count;
        ASSERT_TRUE(app.Capture(BuildPath("board_stencil_fill.png"), filled[count]));
    }
    int halved[3] = { 0, 0, 0 }, bright = 0;
    for (int i = 0; i < pixels; i++) {
        int unshaded = Brightness(filled[0].pixels[i]);
        if (unshaded < 60)
            continue;
        bright++;
        for (int count = 0; count < 3; count++)
            halved[count] += abs(2 * Brightness(filled[count].pixels[i]) - unshaded) <= 12;
    }
    EXPECT_GT(bright, pixels / 10);
    EXPECT_EQ(0, halved[0]);
    // What the frame draws after the pass (pointer, overlay) is not darkened.
    EXPECT_GT(halved[1], bright * 9 / 10);
    EXPECT_EQ(halved[1], halved[2]);

    // The application's light falls from above, from the left and from the
    // camera's side: a stone's top and its side towards +x are lit, its side
    // towards -x has the ambient light alone. Stones at both ends of a row
    // show the camera those two sides.
    app.stencilFill = -1;
    app.renderEffects = ALL & ~CD3DApplication::R_EFFECT_SHADOW;
    app.controller->gridView->yaw = 0.0f;
    CGrid* board = app.controller->gameData->board;
    board->Clear();
    board->PlaceStone(0, 2, STONE_RED, 0.0f);
    board->PlaceStone(5, 2, STONE_RED, 0.0f);
    app.Step(2);
    Image lit;
    ASSERT_TRUE(app.Capture(BuildPath("board_lit_sides.png"), lit));
    CGridView* view = app.controller->gridView;
    float half = view->cellSize * 0.5f, quarter = view->cellSize * 0.25f;
    D3DXVECTOR3 left = view->CellPosition(0, 2, 0), right = view->CellPosition(5, 2, 0);
    struct Face { const char* name; D3DXVECTOR3 point; } faces[] = {
        { "top", left + D3DXVECTOR3(0.0f, quarter * 0.99f, 0.0f) },
        { "+x side", left + D3DXVECTOR3(half * 0.99f, 0.0f, 0.0f) },
        { "-x side", right - D3DXVECTOR3(half * 0.99f, 0.0f, 0.0f) },
    };
    int light[3];
    for (int i = 0; i < 3; i++) {
        float x, y;
        ASSERT_TRUE(app.BoardPointToWindow(faces[i].point, &x, &y)) << faces[i].name;
        light[i] = Brightness(lit.Pixel((int)(x * lit.width), (int)(y * lit.height)));
    }
    EXPECT_GT(light[0], light[2] + 90) << light[0] << " " << light[2];
    EXPECT_GT(light[1], light[2] + 90) << light[1] << " " << light[2];
}
