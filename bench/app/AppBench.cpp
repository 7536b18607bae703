// The program as a player meets it, on the software renderer: the time from
// the start of the process to its first frame, and the peak resident memory
// over a minute of scripted play (intro, menu, a game with moves, back to the
// menu and into another game). Each run is the real zarul in a folder of its own.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "PrivateMedia.h"
#include "ProgramRun.h"

namespace {

typedef std::chrono::steady_clock Clock;

struct Child {
    pid_t pid = 0;
    Clock::time_point started;
};

// Starts zarul headless in the folder with the frames, frame time and script.
bool Spawn(const PrivateMedia& media, int frames, const char* step, const std::string& script, Child& child)
{
    std::string scriptPath = media.File("input.txt");
    std::ofstream(scriptPath) << script;
    std::vector<std::string> settings;
    settings.push_back("ZARUL_FRAMES=" + std::to_string(frames));
    settings.push_back(std::string("ZARUL_TIMESTEP=") + step);
    settings.push_back("ZARUL_INPUT=" + scriptPath);
    child.started = Clock::now();
    child.pid = StartProgram(media.Folder(), "offscreen", settings);
    return child.pid != 0;
}

// Start of the process to its first frame: the frame's snapshot file appears
// right after the frame is drawn, before it is presented.
void BM_FirstFrame(benchmark::State& state)
{
    PrivateMedia media("bench_first");
    double worst = 0.0;
    for (auto _ : state) {
        std::string shot = media.File("first.png");
        remove(shot.c_str());
        Child child;
        if (!Spawn(media, 1, "0.033333", "1 snapshot " + shot + "\n", child)) {
            state.SkipWithError("zarul cannot be started");
            return;
        }
        struct stat info;
        while (stat(shot.c_str(), &info) != 0) {
            int status = 0;
            if (waitpid(child.pid, &status, WNOHANG) == child.pid) {
                state.SkipWithError("zarul ended before its first frame");
                return;
            }
            usleep(200);
        }
        double seconds = std::chrono::duration<double>(Clock::now() - child.started).count();
        waitpid(child.pid, 0, 0);
        state.SetIterationTime(seconds);
        if (seconds > worst)
            worst = seconds;
    }
    state.counters["worst_ms"] = worst * 1000.0;
}
BENCHMARK(BM_FirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(8);

// A minute of play at 30 frames a second: the intro, the ring turned both
// ways, a game of the first level with moves tried on the board, the end-game
// question, the menu, and a second game.
std::string MinuteOfPlay()
{
    std::string script;
    auto at = [&](int frame, const std::string& command) { script += std::to_string(frame) + " " + command + "\n"; };
    at(200, "key Right");
    at(230, "key Left");
    at(260, "click left 0.5 0.55");
    at(275, "click left 0.5 0.49");
    for (int i = 0; i < 12; i++) {
        float x = 0.25f + 0.04f * (float)i;
        at(450 + 40 * i, "click left " + std::to_string(x) + " 0.5");
        at(460 + 40 * i, "drag right 0.5 0.5 0.55 0.45 5");
    }
    at(960, "key Escape");
    at(975, "click left 0.5 0.57");
    at(1100, "click left 0.5 0.55");
    at(1115, "click left 0.5 0.49");
    at(1300, "key Space");
    for (int i = 0; i < 10; i++)
        at(1320 + 40 * i, "click left " + std::to_string(0.3f + 0.04f * (float)i) + " 0.55");
    return script;
}

void BM_PeakMemoryOverAMinuteOfPlay(benchmark::State& state)
{
    PrivateMedia media("bench_minute");
    long peakKb = 0;
    for (auto _ : state) {
        Child child;
        if (!Spawn(media, 1800, "0.033333", MinuteOfPlay(), child)) {
            state.SkipWithError("zarul cannot be started");
            return;
        }
        int status = 0;
        struct rusage usage;
        memset(&usage, 0, sizeof(usage));
        wait4(child.pid, &status, 0, &usage);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - child.started).count());
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("zarul did not end normally");
            return;
        }
        if (usage.ru_maxrss > peakKb)
            peakKb = usage.ru_maxrss;
    }
    state.counters["peak_rss_MB"] = (double)peakKb / 1024.0;
}
BENCHMARK(BM_PeakMemoryOverAMinuteOfPlay)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
