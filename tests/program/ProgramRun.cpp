#include "ProgramRun.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

extern char** environ;

ProgramRun::ProgramRun(const char* name)
    : media(name)
{
}

ProgramRun::~ProgramRun()
{
}

pid_t StartProgram(const std::string& folder, const char* videoDriver, const std::vector<std::string>& settings,
                   const char* argument)
{
    std::vector<std::string> env;
    for (char** e = environ; *e; e++) {
        if (strncmp(*e, "ZARUL_", 6) != 0 && strncmp(*e, "SDL_VIDEODRIVER=", 16) != 0)
            env.push_back(*e);
    }
    env.insert(env.end(), settings.begin(), settings.end());
    env.push_back(std::string("SDL_VIDEODRIVER=") + videoDriver);
    if (!getenv("SDL_AUDIODRIVER"))
        env.push_back("SDL_AUDIODRIVER=dummy");
    std::vector<char*> envp;
    for (size_t i = 0; i < env.size(); i++)
        envp.push_back(&env[i][0]);
    envp.push_back(nullptr);

    // The program runs in the folder: its media/ is the folder's.
    std::string command = "cd '" + folder + "' && exec '" ZARUL_EXECUTABLE "' " + (argument ? argument : "") +
                          " 2> stderr.txt > /dev/null";
    char sh[] = "/bin/sh", dashC[] = "-c";
    char* argv[] = { sh, dashC, &command[0], nullptr };
    pid_t pid = 0;
    if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, argv, envp.data()) != 0)
        return 0;
    return pid;
}

int ProgramRun::Run(const std::string& script, int frames, float step, const char* argument)
{
    std::string scriptPath = media.File("input.txt");
    std::ofstream(scriptPath) << script;
    char stepText[32];
    snprintf(stepText, sizeof(stepText), "%.6f", step);
    std::vector<std::string> settings;
    settings.push_back("ZARUL_FRAMES=" + std::to_string(frames));
    settings.push_back(std::string("ZARUL_TIMESTEP=") + stepText);
    settings.push_back("ZARUL_INPUT=" + scriptPath);

    pid_t pid = StartProgram(media.Folder(), "offscreen", settings, argument);
    if (pid == 0)
        return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid)
        return -1;
    log = ReadFileText(media.File("stderr.txt"));
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool ProgramRun::Snapshot(const char* name, Image& picture) const
{
    std::string error;
    return LoadImageFile(media.File(name), picture, error);
}

void ProgramRun::Keep(const char* name, const char* keptName) const
{
    CopyFileBytes(media.File(name), std::string(ZARUL_BUILD_DIR) + "/" + keptName);
}

MeanColour Mean(const Image& picture, int x, int y, int width, int height)
{
    MeanColour mean = { 0, 0, 0 };
    int count = 0;
    for (int j = y; j < y + height && j < picture.height; j++) {
        for (int i = x; i < x + width && i < picture.width; i++) {
            uint32_t p = picture.Pixel(i, j);
            mean.r += R(p);
            mean.g += G(p);
            mean.b += B(p);
            count++;
        }
    }
    if (count) {
        mean.r /= count;
        mean.g /= count;
        mean.b /= count;
    }
    return mean;
}

int DifferentPixels(const Image& a, const Image& b, int x, int y, int width, int height, int tolerance)
{
    int count = 0;
    for (int j = y; j < y + height && j < a.height && j < b.height; j++) {
        for (int i = x; i < x + width && i < a.width && i < b.width; i++) {
            uint32_t p = a.Pixel(i, j), q = b.Pixel(i, j);
            if (abs(R(p) - R(q)) > tolerance || abs(G(p) - G(q)) > tolerance || abs(B(p) - B(q)) > tolerance)
                count++;
        }
    }
    return count;
}

// Pixels of a rectangle whose colour passes the test.
template <class Test>
static int CountPixels(const Image& picture, int x, int y, int width, int height, Test test)
{
    int count = 0;
    for (int j = y; j < y + height && j < picture.height; j++)
        for (int i = x; i < x + width && i < picture.width; i++)
            if (test(picture.Pixel(i, j)))
                count++;
    return count;
}

int GoldPixels(const Image& picture, int x, int y, int width, int height)
{
    return CountPixels(picture, x, y, width, height,
                       [](uint32_t p) { return R(p) > 120 && G(p) > 90 && B(p) < 100; });
}

int OlivePixels(const Image& picture, int x, int y, int width, int height)
{
    return CountPixels(picture, x, y, width, height,
                       [](uint32_t p) { return R(p) > 100 && G(p) > 100 && B(p) < 80; });
}

bool YellowFrame(const Image& picture, int x, int y, int width, int height)
{
    if (picture.width < x + width || picture.height < y + height)
        return false;
    MeanColour edge = Mean(picture, x, y, width, height);
    return edge.r > 150 && edge.g > 150 && edge.b < 120;
}

bool QuestionFrameShows(const Image& picture)
{
    return YellowFrame(picture, 151, 190, 2, 30);
}

bool MenuShows(const Image& picture)
{
    MeanColour corner = Mean(picture, 0, 0, 100, 60);
    return corner.b > corner.r + 10 && GoldPixels(picture, 215, 170, 70, 70) > 60;
}
