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
            waitpid(pid, 0, 0);
        }
    }

    bool Start()
    {
        std::vector<std::string> env;
        for (char** e = environ; *e; e++) {
            if (strncmp(*e, "ZARUL_", 6) != 0 && strncmp(*e, "SDL_VIDEODRIVER=", 16) != 0)
                env.push_back(*e);
        }
        env.push_back("SDL_VIDEODRIVER=x11");
        if (!getenv("SDL_AUDIODRIVER"))
            env.push_back("SDL_AUDIODRIVER=dummy");
        std::vector<char*> envp;
        for (size_t i = 0; i < env.size(); i++)
            envp.push_back(&env[i][0]);
        envp.push_back(0);
        std::string command = "cd '" + media.Folder() + "' && exec '" ZARUL_EXECUTABLE "' 2> stderr.txt";
        char sh[] = "/bin/sh", dashC[] = "-c";
        char* argv[] = { sh, dashC, &command[0], 0 };
        if (posix_spawn(&pid, "/bin/sh", 0, 0, argv, envp.data()) != 0) {
            pid = 0;
            return false;
        }
        std::string found = Shell("timeout 20 xdotool search --sync --onlyvisible --name '^Zarul$' 2>/dev/null | head -1");
        window = strtoul(found.c_str(), 0, 10);
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
    Image intro, menu, before, after;
    usleep(1500000);
    ASSERT_TRUE(program.Screenshot(build + "/xvfb_intro.png", intro));
    usleep(6000000);   // both logos
    ASSERT_TRUE(program.Screenshot(build + "/xvfb_menu.png", menu));
    EXPECT_GT(DifferentPixels(intro, menu, 100, 50, 300, 275, 40), 5000);

    program.Click(250, 206);   // the start cube
    usleep(800000);
    program.Click(250, 184);   // "Start"
    usleep(2500000);           // the fade, the stones of the level drop in
    ASSERT_TRUE(program.Screenshot(build + "/xvfb_game_before.png", before));

    // The stone goes on the empty cell at column 4, row 4 (away from the
    // level's stones, so the level goes on).
    int x = 0, y = 0;
    BoardPointToPixel(D3DXVECTOR3(-12.0f + 4.5f * 4.0f, 0.5f, -12.0f + 4.5f * 4.0f), &x, &y);
    program.Click(x, y);
    usleep(1500000);
    ASSERT_TRUE(program.Screenshot(build + "/xvfb_game.png", after));
    // A stone stands where the empty cell was (its top above the cell's middle).
    EXPECT_GT(DifferentPixels(before, after, x - 20, y - 30, 40, 40, 40), 200);

    // Out: the end-game question and "OK", then the quit question and "OK".
    program.Key("Escape");
    usleep(500000);
    program.Click(250, 214);
    usleep(1500000);
    program.Key("Escape");
    usleep(500000);
    program.Click(250, 214);
    EXPECT_EQ(0, program.WaitForExit(10));
    EXPECT_NE(std::string::npos, ReadFileText(media.MediaFile("levels.xml")).find("last="));
}

} // namespace
