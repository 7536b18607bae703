// The effects in a running game. Goal stones on their target fields pulse in
// step, the pulse's peak is clipped to opaque white in their vertices, and the
// light rays over them show only with particle effects on; bursting stones throw
// sparkles and shards only with particle effects on. The frames are kept as
// effects_goal_light.png and effects_burst.png in the build folder.
#include <string>

#include <unistd.h>

#include <gtest/gtest.h>

#include "CGameController.h"
#include "CGameData.h"
#include "CGrid.h"
#include "CGridView.h"
#include "CObjQueue.h"
#include "CPulsateModifier.h"
#include "CResourceManager.h"
#include "CStone.h"
#include "CStoneInfo.h"
#include "CStoneTypes.h"
#include "GameTestApp.h"
#include "GameTestFolder.h"
#include "HeadlessDevice.h"
#include "Image.h"

namespace {

// Two goal stones on two of three target fields (lit, and the level not yet won)
// and two red stones to burst.
const char* kLevels =
    "<levels completed=\"0\" last=\"1\"><level nr=\"1\" name=\"Licht\"><grid size=\"6\">"
    "<field type=\"1001\"><position x=\"1\" y=\"3\" z=\"0\"/></field>"
    "<field type=\"1001\"><position x=\"4\" y=\"3\" z=\"0\"/></field>"
    "<field type=\"1001\"><position x=\"2\" y=\"5\" z=\"0\"/></field>"
    "</grid><placeable mode=\"0\"/><stones>"
    "<stone type=\"0\"><position x=\"1\" y=\"3\" z=\"0\"/></stone>"
    "<stone type=\"0\"><position x=\"4\" y=\"3\" z=\"0\"/></stone>"
    "<stone type=\"4\"><position x=\"2\" y=\"1\" z=\"0\"/></stone>"
    "<stone type=\"4\"><position x=\"3\" y=\"1\" z=\"0\"/></stone>"
    "</stones></level></levels>\n";

// Pixels of on that are brighter than the same pixel of off in every channel by
// more than minGain in sum; *darker (when given) counts those darker in any channel.
int BrighterPixels(const Image& on, const Image& off, int minGain, int* darker = nullptr)
{
    int brighter = 0, dimmer = 0;
    for (size_t i = 0; i < on.pixels.size() && i < off.pixels.size(); i++) {
        DWORD now = on.pixels[i], was = off.pixels[i];
        bool noneDarker = Red(now) >= Red(was) && Green(now) >= Green(was) && Blue(now) >= Blue(was);
        int gain = (Red(now) - Red(was)) + (Green(now) - Green(was)) + (Blue(now) - Blue(was));
        dimmer += !noneDarker;
        brighter += noneDarker && gain > minGain;
    }
    if (darker)
        *darker = dimmer;
    return brighter;
}

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

// Saves the frame into the build folder and reads it back; a picture that is
// only compared with (no name given) is not kept.
Image Capture(GameTestApp& app, const char* keep = nullptr)
{
    Image picture;
    std::string path = std::string(EFFECTS_BUILD_DIR) + "/" + (keep ? keep : "effects_" + std::to_string(getpid()) + ".png");
    std::string error;
    EXPECT_EQ(D3D_OK, D3D8SaveBackBufferPNG(app.device, path.c_str()));
    EXPECT_TRUE(LoadImageFile(path, picture, error)) << error;
    if (!keep)
        remove(path.c_str());
    return picture;
}

// A game of the level above, past its start: every stone in, the banner gone.
class GameEffects : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.IsReady());
        ASSERT_TRUE(app.Open());
        ASSERT_TRUE(app.renderEffects & CD3DApplication::R_EFFECT_PARTICLES);
        app.StartGameAtCurrentLevel();
        controller = app.controller;
        ASSERT_TRUE(app.StepUntil([&] { return controller->pendingDrops <= 0 && controller->running == 1; }, 10.0f));
        app.StepSeconds(3.2f);
    }

    GameTestFolder folder { kLevels };
    GameTestApp app { 320, 240 };
    CGameController* controller = nullptr;
};

TEST_F(GameEffects, GoalStonesPulseUnderRaysAndBurstsThrowSparksAndShardsOnlyWithParticleEffectsOn)
{
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
    Image plain = Capture(app);
    ASSERT_EQ(lit.pixels.size(), plain.pixels.size());
    ASSERT_FALSE(lit.pixels.empty());

    // The rays only add light: nothing darker, and a good many pixels brighter.
    int darker = -1;
    EXPECT_GT(BrighterPixels(lit, plain, 30, &darker), 300);
    EXPECT_EQ(0, darker);

    // Bursts, while the board still stands (no input); the queue still moves the effects.
    CObjQueue* queue = CResourceManager::GetObjectQueue();
    auto burstReds = [&] {
        grid->RemoveStone(3, 1, 0);
        grid->RemoveStone(2, 1, 0);
    };

    // Off: the stones go with their sound alone.
    int before = queue->GetObjectCount();
    burstReds();
    EXPECT_EQ(before, queue->GetObjectCount());
    app.Step(5);
    plain = Capture(app);

    // On: the same two stones again, and a sparkle shower and debris for each.
    grid->PlaceStone(2, 1, STONE_RED, 0.0f);
    grid->PlaceStone(3, 1, STONE_RED, 0.0f);
    app.renderEffects |= CD3DApplication::R_EFFECT_PARTICLES;
    before = queue->GetObjectCount();
    burstReds();
    EXPECT_EQ(before + 4, queue->GetObjectCount());
    app.Step(5);
    Image burst = Capture(app, "effects_burst.png");
    EXPECT_GT(BrighterPixels(burst, plain, 60), 100);
    controller->running = 1;
}

}
