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

int ProgramRun::Run(const std::string& script, int frames, float step, const char* argument)
{
    const std::string& folder = media.Folder();
    std::string scriptPath = folder + "/input.txt";
    std::ofstream(scriptPath) << script;

    char framesText[32], stepText[32];
    snprintf(framesText, sizeof(framesText), "%d", frames);
    snprintf(stepText, sizeof(stepText), "%.6f", step);
    std::vector<std::string> env;
    for (char** e = environ; *e; e++) {
        if (strncmp(*e, "ZARUL_", 6) != 0 && strncmp(*e, "SDL_VIDEODRIVER=", 16) != 0)
            env.push_back(*e);
    }
    env.push_back(std::string("ZARUL_FRAMES=") + framesText);
    env.push_back(std::string("ZARUL_TIMESTEP=") + stepText);
    env.push_back("ZARUL_INPUT=" + scriptPath);
    env.push_back("SDL_VIDEODRIVER=offscreen");
    if (!getenv("SDL_AUDIODRIVER"))
        env.push_back("SDL_AUDIODRIVER=dummy");
    std::vector<char*> envp;
    for (size_t i = 0; i < env.size(); i++)
        envp.push_back(&env[i][0]);
    envp.push_back(0);

    std::string exe = ZARUL_EXECUTABLE;
    std::vector<char*> argv;
    argv.push_back(&exe[0]);
    std::string arg = argument ? argument : "";
    if (argument)
        argv.push_back(&arg[0]);
    argv.push_back(0);

    std::string logPath = folder + "/stderr.txt";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    // The program runs in the folder: its media/ is the folder's.
    std::string command = "cd '" + folder + "' && exec \"$0\" \"$@\"";
    std::vector<char*> shellArgv;
    std::string sh = "/bin/sh", dashC = "-c";
    shellArgv.push_back(&sh[0]);
    shellArgv.push_back(&dashC[0]);
    shellArgv.push_back(&command[0]);
    for (size_t i = 0; argv[i]; i++)
        shellArgv.push_back(argv[i]);
    shellArgv.push_back(0);

    pid_t pid = 0;
    int spawned = posix_spawn(&pid, "/bin/sh", &actions, 0, shellArgv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid)
        return -1;
    std::ifstream logFile(logPath);
    std::stringstream text;
    text << logFile.rdbuf();
    log = text.str();
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
