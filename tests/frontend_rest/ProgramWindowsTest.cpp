// The whole program: each of the four windows opened from the menu ring and
// closed again, driven by an input script, checked on its snapshots.
#include <gtest/gtest.h>

#include <string>

#include "ProgramRun.h"

namespace {

// Frame by which the intro has handed over to the menu.
const int MENU_FRAME = 200;
// Frames for the ring to settle after one turn.
const int TURN_FRAMES = 40;

std::string At(int frame, const std::string& command)
{
    return std::to_string(frame) + " " + command + "\n";
}

// Pixels of a rectangle in the submenus' text blue (23, 26, 168) or near it;
// the menu's dark blue background has none.
int TextBluePixels(const Image& picture, int x, int y, int width, int height)
{
    int count = 0;
    for (int j = y; j < y + height && j < picture.height; j++) {
        for (int i = x; i < x + width && i < picture.width; i++) {
            uint32_t p = picture.Pixel(i, j);
            if (R(p) < 60 && G(p) < 60 && B(p) > 130 && B(p) - R(p) > 90)
                count++;
        }
    }
    return count;
}

struct WindowCase {
    const char* name;
    const char* turn;    // key that turns the ring towards the cube
    int turns;
    int openFrames;      // frames from the click to the snapshot of the open window
    int textPixels;      // least text-blue pixels in the open window
};

class ProgramWindows : public ::testing::TestWithParam<WindowCase> {};

TEST_P(ProgramWindows, OpensFromTheRingAndClosesAgain)
{
    const WindowCase& c = GetParam();
    ProgramRun run(c.name);
    ASSERT_TRUE(run.IsReady());
    int f = MENU_FRAME;
    std::string script = At(f, "snapshot menu.png");
    for (int i = 0; i < c.turns; i++) {
        f += 1;
        script += At(f, std::string("key ") + c.turn);
        f += TURN_FRAMES;
    }
    // The pointer rests on the front cube before the click, as it does after the close.
    script += At(f - 5, "move 0.5 0.55") + At(f, "snapshot turned.png") + At(f + 1, "click left 0.5 0.55");
    f += 1 + c.openFrames;
    script += At(f, "snapshot open.png") + At(f + 1, "key Escape") + At(f + 30, "snapshot closed.png");
    ASSERT_EQ(0, run.Run(script, f + 31)) << run.Log();

    Image turned, open, closed;
    ASSERT_TRUE(run.Snapshot("turned.png", turned));
    ASSERT_TRUE(run.Snapshot("open.png", open));
    ASSERT_TRUE(run.Snapshot("closed.png", closed));
    run.Keep("open.png", (std::string("program_") + c.name + ".png").c_str());

    // Closed again: the front cube as before the click, no window over it.
    MeanColour before = Mean(turned, 225, 180, 50, 50), after = Mean(closed, 225, 180, 50, 50);
    EXPECT_NEAR(before.r, after.r, 12.0);
    EXPECT_NEAR(before.g, after.g, 12.0);
    EXPECT_NEAR(before.b, after.b, 12.0);
    EXPECT_FALSE(YellowFrame(closed, 126, 150, 2, 60));
    EXPECT_LT(TextBluePixels(closed, 50, 50, 400, 300), 10);

    std::string name = c.name;
    if (name == "credits") {
        // Black over the whole menu, blue lines in the middle.
        MeanColour corner = Mean(open, 0, 0, 60, 40);
        EXPECT_LT(corner.r + corner.g + corner.b, 30.0);
        EXPECT_GT(TextBluePixels(open, 50, 50, 400, 300), c.textPixels);
        return;
    }
    EXPECT_TRUE(YellowFrame(open, 126, 150, 2, 60));   // the submenu's left edge
    // Text in the window (x 125..375, y 94..281).
    EXPECT_GT(TextBluePixels(open, 130, 100, 240, 170), c.textPixels);
    if (name == "help") {
        // The first page's picture at the lower left of the text area.
        MeanColour picture = Mean(open, 155, 200, 45, 30);
        EXPECT_GT(picture.r + picture.g + picture.b, 120.0);
    }
    if (name == "highscores") {
        // The dark blue header bar at the top of the window.
        MeanColour header = Mean(open, 200, 106, 100, 6);
        EXPECT_GT(header.b, header.r + 40);
    }
}

INSTANTIATE_TEST_SUITE_P(Ring, ProgramWindows,
                         ::testing::Values(WindowCase{ "options", "Right", 1, 15, 200 },
                                           WindowCase{ "highscores", "Right", 2, 15, 10 },
                                           WindowCase{ "credits", "Left", 2, 150, 200 },
                                           WindowCase{ "help", "Left", 1, 15, 80 }),
                         [](const ::testing::TestParamInfo<WindowCase>& info) { return std::string(info.param.name); });

}
