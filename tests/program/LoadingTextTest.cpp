// The loading text: painted into the window before the first frame, where a
// snapshot of frame 0 finds it, then the device draws over it.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include "ProgramRun.h"

namespace {

bool Black(uint32_t p)
{
    return R(p) < 8 && G(p) < 8 && B(p) < 8;
}

TEST(Program, LoadingTextShowsCentredInTheWindowBeforeTheFirstFrame)
{
    ProgramRun run("loading");
    ASSERT_TRUE(run.IsReady());
    std::string script = run.File("loading_input.txt");
    FILE* file = fopen(script.c_str(), "w");
    ASSERT_TRUE(file != nullptr);
    fputs("1 snapshot first.png\n", file);
    fclose(file);
    pid_t pid = StartProgram(run.Folder(), "offscreen",
                             { "ZARUL_FRAMES=1", "ZARUL_SNAPSHOT=0:" + run.File("loading.png"),
                               "ZARUL_INPUT=" + script });
    ASSERT_NE(0, pid);
    int status = -1;
    ASSERT_EQ(pid, waitpid(pid, &status, 0));
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    Image loading, first;
    ASSERT_TRUE(run.Snapshot("loading.png", loading));
    ASSERT_TRUE(run.Snapshot("first.png", first));
    run.Keep("loading.png", "program_loading.png");
    ASSERT_EQ(500, loading.width);
    ASSERT_EQ(375, loading.height);

    // Black text on a white band, the band centred in the black window.
    int left = loading.width, right = -1, top = loading.height, bottom = -1;
    for (int y = 0; y < loading.height; y++) {
        for (int x = 0; x < loading.width; x++) {
            if (Black(loading.Pixel(x, y)))
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    ASSERT_GE(right, left) << "nothing painted";
    int width = right - left + 1;
    int height = bottom - top + 1;
    EXPECT_GT(width, 100);
    EXPECT_LT(width, 250);
    EXPECT_GE(height, 12);
    EXPECT_LE(height, 24);
    EXPECT_LE(std::abs(left - (loading.width - 1 - right)), 1);
    EXPECT_LE(std::abs(top - (loading.height - 1 - bottom)), 1);
    int white = 0, ink = 0;
    for (int y = top; y <= bottom; y++) {
        for (int x = left; x <= right; x++) {
            uint32_t p = loading.Pixel(x, y);
            white += R(p) > 245 && G(p) > 245 && B(p) > 245;
            ink += Black(p);
        }
    }
    EXPECT_GT(white, width * height / 2);
    EXPECT_GT(ink, 80) << "the glyphs";

    // The first frame is the device's: the intro's black screen, no band.
    EXPECT_TRUE(Black(first.Pixel(left + 2, top + 2)));
}

} // namespace
