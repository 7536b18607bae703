// Goal stones on their target fields in a running game: they pulse in step, the
// pulse's peak is clipped to opaque white in their vertices, and the light rays
// over them show only with particle effects on. The lit frame is kept as
// effects_goal_light.png in the build folder.
#include <string>

#include <unistd.h>

#include <gtest/gtest.h>

#include "CGameController.h"
#include "CGameData.h"
#include "CGrid.h"
#include "CGridView.h"
#include "CPulsateModifier.h"
#include "CStone.h"
#include "CStoneInfo.h"
#include "GameTestApp.h"
#include "GameTestFolder.h"
#include "EffectsTestSupport.h"

namespace {

// Two goal stones on two of three target fields: lit, and the level not yet won.
const char* kLevels =
    "<levels completed=\"0\" last=\"1\">\n"
    "<level nr=\"1\" name=\"Licht\">\n"
    "<grid size=\"6\">\n"
    "<field type=\"1001\">\n<position x=\"1\" y=\"3\" z=\"0\"/>\n</field>\n"
    "<field type=\"1001\">\n<position x=\"4\" y=\"3\" z=\"0\"/>\n</field>\n"
    "<field type=\"1001\">\n<position x=\"2\" y=\"5\" z=\"0\"/>\n</field>\n"
    "</grid>\n"
    "<placeable mode=\"0\"/>\n"
    "<stones>\n"
    "<stone type=\"0\">\n<position x=\"1\" y=\"3\" z=\"0\"/>\n</stone>\n"
    "<stone type=\"0\">\n<position x=\"4\" y=\"3\" z=\"0\"/>\n</stone>\n"
    "</stones>\n"
    "</level>\n"
    "</levels>\n";

DWORD FirstVertexColor(CStone* stone)
{
    BYTE* data = nullptr;
    DWORD color = 0;
    if (SUCCEEDED(stone->vertexBuffer->Lock(0, 0, &data, 0)) && data) {
        memcpy(&color, data + 24, sizeof(color));   // after position and normal
        stone->vertexBuffer->Unlock();
    }
    return color;
}

// Saves the frame into the build folder and reads it back.
Image Capture(GameTestApp& app, const std::string& name)
{
    Image picture;
    std::string path = std::string(EFFECTS_BUILD_DIR) + "/" + name;
    std::string error;
    EXPECT_EQ(D3D_OK, D3D8SaveBackBufferPNG(app.device, path.c_str()));
    EXPECT_TRUE(LoadImageFile(path, picture, error)) << error;
    return picture;
}

TEST(GoalLight, LitGoalStonesPulseInStepUnderRaysThatOnlyParticleEffectsShow)
{
    GameTestFolder folder(kLevels);
    ASSERT_TRUE(folder.IsReady());
    GameTestApp app(320, 240);
    ASSERT_TRUE(app.Open());
    ASSERT_TRUE(app.renderEffects & CD3DApplication::R_EFFECT_PARTICLES);
    app.StartGameAtCurrentLevel();
    CGameController* controller = app.controller;
    ASSERT_TRUE(app.StepUntil([&] { return controller->pendingDrops <= 0 && controller->running == 1; }, 10.0f));
    app.StepSeconds(3.2f);  // past the level banner

    CGrid* grid = controller->gameData->board;
    CStone* left = grid->GetStoneInfo(1, 3, 0).stone;
    CStone* right = grid->GetStoneInfo(4, 3, 0).stone;
    ASSERT_TRUE(left && right);
    CPulsateModifier* pulse = controller->gridView->pulsation;

    // Over a whole swing: one colour for both, clipped at the top, half grey at the bottom.
    bool clipped = false, low = false;
    for (int frame = 0; frame < 100; frame++) {
        app.Step(1);
        SCOPED_TRACE(frame);
        ASSERT_EQ(pulse->r, left->color.r);
        ASSERT_TRUE(left->color == right->color);
        DWORD packed = FirstVertexColor(left);
        ASSERT_EQ(packed, FirstVertexColor(right));
        if (pulse->r >= 1.0f) {
            EXPECT_EQ(0xFFFFFFFFu, packed);
            clipped = true;
        }
        if (pulse->r < 0.55f) {
            EXPECT_LE(packed & 0xFF, 0x8Cu);
            EXPECT_EQ(packed & 0xFF, packed >> 24);
            low = true;
        }
    }
    EXPECT_TRUE(clipped);
    EXPECT_TRUE(low);
    EXPECT_EQ(1, grid->GetStoneInfo(1, 3, 0).targetState);
    EXPECT_EQ(1, grid->GetStoneInfo(4, 3, 0).targetState);

    // Frozen (no input, nothing moves), once with the rays and once without.
    controller->running = 0;
    app.Step(1);
    Image lit = Capture(app, "effects_goal_light.png");
    app.renderEffects &= (BYTE)~CD3DApplication::R_EFFECT_PARTICLES;
    app.Step(1);
    std::string plainName = "effects_goal_plain_" + std::to_string(getpid()) + ".png";
    Image plain = Capture(app, plainName);
    remove((std::string(EFFECTS_BUILD_DIR) + "/" + plainName).c_str());
    ASSERT_EQ(lit.pixels.size(), plain.pixels.size());
    ASSERT_FALSE(lit.pixels.empty());

    // The rays only add light: nothing darker, and a good many pixels brighter.
    int darker = -1;
    EXPECT_GT(BrighterPixels(lit, plain, 30, &darker), 300);
    EXPECT_EQ(0, darker);
    controller->running = 1;
}

}
