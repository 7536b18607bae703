// The real program under a real X server with real X input (xdotool): start,
// the start cube, "Start", a stone placed by a click on its cell, and the way
// out through both questions. Screenshots of intro, menu and game stay in the
// build folder as PNG.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <d3dx8.h>

#include "Image.h"
#include "PrivateMedia.h"
#include "ProgramRun.h"

extern char** environ;

namespace {

const int WIDTH = 500;
const int HEIGHT = 375;

// Runs a tool of the system (xdotool, import); without the libraries a
// sanitizer run preloads, which are meant for the program alone.
std::string Shell(const std::string& command)
{
    std::string output;
    FILE* pipe = popen(("env -u LD_PRELOAD " + command).c_str(), "r");
    if (!pipe)
        return output;
    char buffer[256];
    while (fgets(buffer, sizeof(buffer), pipe))
        output += buffer;
    pclose(pipe);
    return output;
}

// Window pixel of a board point seen through the game camera (board not turned).
void BoardPointToPixel(D3DXVECTOR3 point, int* x, int* y)
{
    D3DXVECTOR3 eye(3.2f, 24.0f, -27.0f), target(3.2f, 0.0f, -2.0f), up(0.0f, 1.0f, 0.0f);
    D3DXMATRIX view, projection, both;
    D3DXMatrixLookAtLH(&view, &eye, &target, &up);
    D3DXMatrixPerspectiveFovLH(&projection, 0.3f * D3DX_PI, (float)WIDTH / (float)HEIGHT, 1.0f, 1000.0f);
    D3DXMatrixMultiply(&both, &view, &projection);
    D3DXVECTOR3 clip;
    D3DXVec3TransformCoord(&clip, &point, &both);
    *x = (int)((clip.x + 1.0f) * 0.5f * WIDTH);
    *y = (int)((1.0f - clip.y) * 0.5f * HEIGHT);
}

class XProgram {
public:
    explicit XProgram(PrivateMedia& media) : media(media), pid(0), window(0) {}
    ~XProgram()
    {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }

    bool Start()
    {
        pid = StartProgram(media.Folder(), "x11", std::vector<std::string>());
        if (pid == 0)
            return false;
        std::string found = Shell("timeout 20 xdotool search --sync --onlyvisible --name '^Zarul$' 2>/dev/null | head -1");
        window = strtoul(found.c_str(), nullptr, 10);
        if (window)
            Shell("xdotool windowfocus --sync " + Id() + " 2>/dev/null");
        return window != 0;
    }

    std::string Id() const { return std::to_string(window); }
    void Click(int x, int y)
    {
        Shell("xdotool mousemove --window " + Id() + " " + std::to_string(x) + " " + std::to_string(y) +
              " sleep 0.2 click 1");
    }
    void Key(const char* name) { Shell("xdotool key --window " + Id() + " " + name); }
    bool Screenshot(const std::string& path, Image& picture)
    {
        Shell("import -window " + Id() + " '" + path + "' 2>/dev/null");
        std::string error;
        return LoadImageFile(path, picture, error);
    }
    // Screenshots every half second until one shows what is wanted, at most
    // for the seconds; the last one stays at path.
    template <class Wanted>
    bool WaitFor(const std::string& path, Image& picture, int seconds, Wanted wanted)
    {
        for (int i = 0; i < seconds * 2; i++) {
            if (Screenshot(path, picture) && picture.width == WIDTH && picture.height == HEIGHT && wanted(picture))
                return true;
            usleep(500000);
        }
        return false;
    }
    // Exit status once the program has ended within the seconds; -1 otherwise.
    int WaitForExit(int seconds)
    {
        for (int i = 0; i < seconds * 10; i++) {
            int status = 0;
            if (waitpid(pid, &status, WNOHANG) == pid) {
                pid = 0;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            usleep(100000);
        }
        return -1;
    }

private:
    PrivateMedia& media;
    pid_t pid;
    unsigned long window;
};

TEST(Xvfb, PlayerStartsAGamePlacesAStoneAndQuits)
{
    if (!getenv("DISPLAY"))
        GTEST_SKIP() << "needs an X display (test.sh runs these under xvfb-run)";
    if (Shell("which xdotool").empty() || Shell("which import").empty())
        GTEST_SKIP() << "needs xdotool and ImageMagick's import";

    PrivateMedia media("xvfb");
    ASSERT_TRUE(media.IsReady());
    // Start at the level that gives a stone to place.
    std::string levels = ReadFileText(media.MediaFile("levels.xml"));
    size_t last = levels.find("last=\"1\"");
    ASSERT_NE(std::string::npos, last);
    levels.replace(last, 8, "last=\"4\"");
    FILE* file = fopen(media.MediaFile("levels.xml").c_str(), "w");
    ASSERT_NE(nullptr, file);
    fputs(levels.c_str(), file);
    fclose(file);

    XProgram program(media);
    ASSERT_TRUE(program.Start());
    std::string build = ZARUL_BUILD_DIR;
    Image intro, menu, submenu, before, after;
    usleep(1500000);
    ASSERT_TRUE(program.Screenshot(build + "/xvfb_intro.png", intro));

    // The screens come in real time: each step waits for its picture (a slow
    // machine draws fewer frames, and the game's clock slows with them).
    ASSERT_TRUE(program.WaitFor(build + "/xvfb_menu.png", menu, 40, MenuShows));
    EXPECT_GT(DifferentPixels(intro, menu, 100, 50, 300, 275, 40), 5000);

    program.Click(250, 206);   // the start cube
    ASSERT_TRUE(program.WaitFor(build + "/xvfb_start.png", submenu, 10, [](const Image& p) {
        return YellowFrame(p, 126, 100, 2, 170);   // the start submenu has grown
    }));
    program.Click(250, 184);   // "Start"
    ASSERT_TRUE(program.WaitFor(build + "/xvfb_game_before.png", before, 15, [](const Image& p) {
        MeanColour board = Mean(p, 100, 230, 250, 40);
        return board.r + board.g + board.b > 450.0;   // the board is on screen
    }));
    usleep(1500000);   // the level's stones drop in
    ASSERT_TRUE(program.Screenshot(build + "/xvfb_game_before.png", before));

    // The stone goes on the empty cell at column 4, row 4 (away from the
    // level's stones, so the level goes on).
    int x = 0, y = 0;
    BoardPointToPixel(D3DXVECTOR3(-12.0f + 4.5f * 4.0f, 0.5f, -12.0f + 4.5f * 4.0f), &x, &y);
    program.Click(x, y);
    // A stone stands where the empty cell was (its top above the cell's middle).
    EXPECT_TRUE(program.WaitFor(build + "/xvfb_game.png", after, 10, [&](const Image& p) {
        return DifferentPixels(before, p, x - 20, y - 30, 40, 40, 40) > 200;
    }));

    // Out: the end-game question and "OK", then the quit question and "OK".
    // Each "OK" is clicked once its window stands, however slow the machine.
    Image question;
    program.Key("Escape");
    ASSERT_TRUE(program.WaitFor(build + "/xvfb_question.png", question, 15, QuestionFrameShows));
    program.Click(250, 214);
    ASSERT_TRUE(program.WaitFor(build + "/xvfb_menu_again.png", menu, 15, MenuShows));
    program.Key("Escape");
    ASSERT_TRUE(program.WaitFor(build + "/xvfb_question.png", question, 15, QuestionFrameShows));
    program.Click(250, 214);
    EXPECT_EQ(0, program.WaitForExit(20));
    EXPECT_NE(std::string::npos, ReadFileText(media.MediaFile("levels.xml")).find("last="));
    remove((build + "/xvfb_start.png").c_str());
    remove((build + "/xvfb_menu_again.png").c_str());
    remove((build + "/xvfb_question.png").c_str());
}

} // namespace
