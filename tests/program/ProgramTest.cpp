// The whole program, driven by an input script: intro, menu ring, questions,
// a game started and left again, and the end.
#include <gtest/gtest.h>

#include <fstream>

#include <sys/stat.h>
#include <utime.h>

#include "ProgramRun.h"

namespace {

// Places on the 500 x 375 window.
const char* const FRONT_CUBE = "0.5 0.55";   // the selected cube of the ring
const char* const START_BUTTON = "0.5 0.49";  // "Start" in the start submenu
const char* const OK_BUTTON = "0.5 0.57";     // "OK" in the question submenus
// Frame by which the intro has handed over to the menu (two logos of 3 s).
const int MENU_FRAME = 200;

std::string At(int frame, const std::string& command)
{
    return std::to_string(frame) + " " + command + "\n";
}

TEST(Program, IntroMenuRingAndTheQuitQuestionThatEndsIt)
{
    ProgramRun run("ring");
    ASSERT_TRUE(run.IsReady());
    int f = MENU_FRAME;
    std::string script = At(45, "snapshot logo1.png") + At(135, "snapshot logo2.png") + At(f, "snapshot menu.png") +
                         At(f + 1, "key Right") + At(f + 40, "snapshot right.png") + At(f + 41, "key Left") +
                         At(f + 80, "snapshot left.png") + At(f + 81, "key Escape") + At(f + 85, "snapshot quit.png") +
                         At(f + 86, "key Escape") + At(f + 90, "snapshot closed.png") +
                         At(f + 91, "click left 0.045 0.92") +   // the exit button asks the same question
                         At(f + 95, "snapshot quit2.png") + At(f + 96, std::string("click left ") + OK_BUTTON) +
                         At(f + 110, "snapshot after.png");
    ASSERT_EQ(0, run.Run(script, f + 200)) << run.Log();
    Image logo1, logo2, menu, right, left, quit, closed, quit2, after;
    ASSERT_TRUE(run.Snapshot("logo1.png", logo1));
    ASSERT_TRUE(run.Snapshot("logo2.png", logo2));
    ASSERT_TRUE(run.Snapshot("menu.png", menu));
    ASSERT_TRUE(run.Snapshot("right.png", right));
    ASSERT_TRUE(run.Snapshot("left.png", left));
    ASSERT_TRUE(run.Snapshot("quit.png", quit));
    ASSERT_TRUE(run.Snapshot("closed.png", closed));
    ASSERT_TRUE(run.Snapshot("quit2.png", quit2));
    run.Keep("logo1.png", "program_intro.png");
    run.Keep("menu.png", "program_menu.png");
    run.Keep("quit.png", "program_quit_question.png");

    // Each logo lights the middle of a black screen; the corners stay black.
    for (const Image* logo : { &logo1, &logo2 }) {
        MeanColour middle = Mean(*logo, 150, 100, 200, 175);
        MeanColour corner = Mean(*logo, 0, 360, 40, 15);
        EXPECT_GT(middle.r + middle.g + middle.b, 150.0);
        EXPECT_LT(corner.r + corner.g + corner.b, 10.0);
    }
    EXPECT_GT(DifferentPixels(logo1, logo2, 100, 50, 300, 275, 40), 5000);

    // The menu: a dark blue background and the textured start cube in front.
    MeanColour background = Mean(menu, 0, 0, 100, 60);
    EXPECT_GT(background.b, background.r + 10);
    EXPECT_GT(GoldPixels(menu, 215, 170, 70, 70), 60);   // the cube's golden rim

    // Right brings the next cube to the front; Left brings the start cube back.
    EXPECT_GT(DifferentPixels(menu, right, 225, 180, 50, 50, 40), 250);
    EXPECT_LT(DifferentPixels(menu, left, 225, 180, 50, 50, 40), 100);

    EXPECT_FALSE(QuestionFrameShows(menu));
    EXPECT_TRUE(QuestionFrameShows(quit));
    EXPECT_FALSE(QuestionFrameShows(closed));
    EXPECT_TRUE(QuestionFrameShows(quit2));
    // "OK" ended the program before the frame of the last snapshot.
    EXPECT_FALSE(run.Snapshot("after.png", after));
}

// Sets a file's time far into the past, so that a save shows in it.
void Age(const std::string& path)
{
    struct utimbuf old = { 946684800, 946684800 };   // 2000-01-01
    utime(path.c_str(), &old);
}

bool Saved(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && info.st_mtime > 946684800;
}

TEST(Program, StartShowsTheStoredLevelAndEscapeOkSavesAndReturnsToTheMenu)
{
    ProgramRun run("game");
    ASSERT_TRUE(run.IsReady());
    Age(run.MediaFile("levels.xml"));
    Age(run.MediaFile("highscore.xml"));
    int f = MENU_FRAME;
    std::string script = At(f, "snapshot menu.png") + At(f + 1, std::string("click left ") + FRONT_CUBE) +
                         At(f + 15, std::string("click left ") + START_BUTTON) +
                         // Pressing again while the screen fades starts no second game.
                         At(f + 17, "key Return") + At(f + 18, std::string("click left ") + START_BUTTON) +
                         At(f + 19, "key Escape") + At(f + 130, "snapshot game.png") + At(f + 140, "key Escape") +
                         At(f + 145, "snapshot endgame.png") + At(f + 150, std::string("click left ") + OK_BUTTON) +
                         At(f + 180, "snapshot menu2.png");
    ASSERT_EQ(0, run.Run(script, f + 181)) << run.Log();
    Image menu, game, endgame, menu2;
    ASSERT_TRUE(run.Snapshot("menu.png", menu));
    ASSERT_TRUE(run.Snapshot("game.png", game));
    ASSERT_TRUE(run.Snapshot("endgame.png", endgame));
    ASSERT_TRUE(run.Snapshot("menu2.png", menu2));
    run.Keep("game.png", "program_game.png");

    // The game of the stored level (the first): the bright board slab where
    // the menu had its dark background, the special stone on it, and the
    // overlay's olive buttons on the right.
    MeanColour board = Mean(game, 100, 230, 250, 40);
    EXPECT_GT(board.r + board.g + board.b, 450.0);
    EXPECT_GT(GoldPixels(game, 120, 150, 50, 50), 100);
    EXPECT_GT(OlivePixels(game, 418, 232, 64, 60), 1000);
    EXPECT_LT(OlivePixels(menu, 418, 232, 64, 60), 50);
    EXPECT_TRUE(QuestionFrameShows(endgame));

    // "OK": both files written, the menu back with the start cube in front.
    EXPECT_TRUE(Saved(run.MediaFile("levels.xml")));
    EXPECT_TRUE(Saved(run.MediaFile("highscore.xml")));
    // (The pointer rests over the cube now and lights it.)
    EXPECT_LT(DifferentPixels(menu, menu2, 225, 180, 50, 50, 80), 250);
    EXPECT_GT(DifferentPixels(game, menu2, 225, 180, 50, 50, 40), 1000);
    EXPECT_FALSE(QuestionFrameShows(menu2));
}

// A display mode the game stored (640 x 480, windowed) opens the game in it;
// the editor opens at its own size all the same.
TEST(Program, EditorOpensAtItsOwnSizeWhateverModeTheGameStored)
{
    struct Case {
        const char* argument;
        int width, height;
    };
    const Case cases[] = { { nullptr, 640, 480 }, { "-editor", 1024, 768 } };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.argument ? c.argument : "game");
        ProgramRun run("mode");
        ASSERT_TRUE(run.IsReady());
        std::ofstream(run.File("display.cfg")) << "640 480 22 1\n";
        ASSERT_EQ(0, run.Run(At(2, "snapshot first.png"), 3, 1.0f / 30.0f, c.argument)) << run.Log();
        Image first;
        ASSERT_TRUE(run.Snapshot("first.png", first));
        EXPECT_EQ(c.width, first.width);
        EXPECT_EQ(c.height, first.height);
    }
}

// Pixels of the warnings' light warm text in a rectangle (x, y, width, height).
int WarningTextPixels(const Image& picture, int x0, int y0, int width, int height)
{
    int count = 0;
    for (int y = y0; y < y0 + height; y++) {
        for (int x = x0; x < x0 + width; x++) {
            uint32_t p = picture.Pixel(x, y);
            if (R(p) > 200 && G(p) > 170 && B(p) < 200)
                count++;
        }
    }
    return count;
}

TEST(Program, AnUnreadableLevelFileIsToldOnTheMessageLineUntilReadAndStartKeepsTheMenu)
{
    ProgramRun run("warning");
    ASSERT_TRUE(run.IsReady());
    {
        std::ofstream damaged(run.MediaFile("levels.xml"), std::ios::trunc);
        damaged << "<levels completed=\"1\"><level nr=\"1\"";
    }
    // The start fades out by frame f + 60 and the warning comes up; a key
    // before it has stood 5 s leaves it, the first key after ends it.
    int f = MENU_FRAME;
    std::string script = At(f, "snapshot menu.png") + At(f + 1, std::string("click left ") + FRONT_CUBE) +
                         At(f + 15, std::string("click left ") + START_BUTTON) + At(f + 100, "key Right") +
                         At(f + 200, "snapshot warned.png") + At(f + 215, "key Left") +
                         At(f + 240, "snapshot read.png");
    ASSERT_EQ(0, run.Run(script, f + 241)) << run.Log();
    Image menu, warned, read;
    ASSERT_TRUE(run.Snapshot("menu.png", menu));
    ASSERT_TRUE(run.Snapshot("warned.png", warned));
    ASSERT_TRUE(run.Snapshot("read.png", read));
    run.Keep("warned.png", "program_warning.png");

    EXPECT_NE(run.Log().find("Die Level konnten nicht gelesen werden: .//media//levels.xml"), std::string::npos)
        << run.Log();
    // No board: the menu is back, with the warning over its bottom, wrapped
    // before the right edge.
    EXPECT_TRUE(MenuShows(warned));
    EXPECT_LT(OlivePixels(warned, 418, 232, 64, 60), 50);
    EXPECT_EQ(0, WarningTextPixels(menu, 0, 300, 500, 75));
    EXPECT_GT(WarningTextPixels(warned, 0, 300, 500, 75), 300);
    EXPECT_EQ(0, WarningTextPixels(warned, 492, 300, 8, 75));
    MeanColour band = Mean(warned, 0, 330, 500, 45);
    EXPECT_LT(band.r + band.g + band.b, 120.0);
    EXPECT_EQ(0, WarningTextPixels(read, 0, 300, 500, 75));
}

} // namespace
