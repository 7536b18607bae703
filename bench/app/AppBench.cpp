// The program as a player meets it, on the software renderer: the time from
// the start of the process to its first frame, and the peak resident memory
// over a minute of scripted play (intro, menu, a game with moves, back to the
// menu and into another game). Each run is the real zarul in a folder of its own.
//
// Compared with another build of zarul named by ZARUL_BENCH_A (B is this
// build), runs alternating A, B, A, B ...: the peak resident memory and wall
// time of winning the first eight shipped levels (the input script the
// whole-program win test leaves in the build folder), the processor time of
// a frame of level 1, and the resident memory over ten minutes of game time in
// a level. Medians, with the smallest and largest ratio A / B of the pairs.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "PrivateMedia.h"
#include "ProgramRun.h"

extern char** environ;

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
        waitpid(child.pid, nullptr, 0);
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

// ---------------------------------------------------------------------------
// A against B

struct RunResult {
    bool ok = false;
    double wallSeconds = 0.0;
    double cpuSeconds = 0.0;
    double peakMB = 0.0;
    std::vector<double> residentMB; // sampled once a wall second
};

// Runs exe headless in folder with the script and frame count, at 15 frames a
// second of game time.
RunResult RunProgram(const std::string& exe, const PrivateMedia& media, const std::string& script, int frames,
                     bool sample)
{
    RunResult result;
    std::string scriptPath = media.File("input.txt");
    std::ofstream(scriptPath) << script;
    std::string command = "cd '" + media.Folder() + "' && exec env ZARUL_FRAMES=" + std::to_string(frames) +
                          " ZARUL_TIMESTEP=0.0666667 ZARUL_INPUT='" + scriptPath +
                          "' SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy '" + exe + "' > /dev/null 2>&1";
    char sh[] = "/bin/sh", dashC[] = "-c";
    char* argv[] = { sh, dashC, &command[0], nullptr };
    Clock::time_point started = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, argv, environ) != 0)
        return result;
    int status = 0;
    struct rusage usage;
    memset(&usage, 0, sizeof(usage));
    for (;;) {
        pid_t done = wait4(pid, &status, sample ? WNOHANG : 0, &usage);
        if (done == pid)
            break;
        if (done < 0)
            return result;
        std::ifstream statusFile("/proc/" + std::to_string(pid) + "/status");
        std::string line;
        while (std::getline(statusFile, line))
            if (line.compare(0, 6, "VmRSS:") == 0)
                result.residentMB.push_back(atof(line.c_str() + 6) / 1024.0);
        usleep(1000000);
    }
    result.wallSeconds = std::chrono::duration<double>(Clock::now() - started).count();
    result.cpuSeconds = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
                        usage.ru_stime.tv_usec / 1e6;
    result.peakMB = usage.ru_maxrss / 1024.0;
    result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return result;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
}

// Median of each side and the median, smallest and largest ratio A / B.
void ReportPairs(benchmark::State& state, const char* name, const std::vector<double>& a,
                 const std::vector<double>& b)
{
    std::vector<double> ratios;
    for (size_t i = 0; i < a.size() && i < b.size(); i++)
        if (b[i] > 0.0)
            ratios.push_back(a[i] / b[i]);
    state.counters[std::string(name) + "_A"] = Median(a);
    state.counters[std::string(name) + "_B"] = Median(b);
    state.counters[std::string(name) + "_AB"] = Median(ratios);
    if (!ratios.empty()) {
        state.counters[std::string(name) + "_AB_min"] = *std::min_element(ratios.begin(), ratios.end());
        state.counters[std::string(name) + "_AB_max"] = *std::max_element(ratios.begin(), ratios.end());
    }
}

// The two programs; false (and the benchmark skipped) without an A.
bool Programs(benchmark::State& state, std::string* a, std::string* b)
{
    const char* other = getenv("ZARUL_BENCH_A");
    if (!other || !*other) {
        state.SkipWithError("set ZARUL_BENCH_A to the zarul to compare with");
        return false;
    }
    *a = other;
    *b = ZARUL_EXECUTABLE;
    return true;
}

// The media an A build made beside itself, so that each side runs with its
// own art; this build's media when A has none.
std::string MediaOf(const std::string& exe)
{
    std::string folder = exe.substr(0, exe.find_last_of('/') + 1) + "media";
    struct stat info;
    return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) ? folder : std::string(ZARUL_MEDIA_DIR);
}

// The first eight levels of the win test's script: up to the eighth name
// entry, and the fade into the ninth level.
bool EightLevelScript(std::string* script, int* frames)
{
    std::ifstream in(std::string(ZARUL_BUILD_DIR) + "/program_winall_input.txt");
    std::string line;
    int returns = 0, last = 0;
    while (returns < 8 && std::getline(in, line)) {
        if (line.find("snapshot") != std::string::npos)
            continue;
        *script += line + "\n";
        last = atoi(line.c_str());
        if (line.find("key Return") != std::string::npos)
            returns++;
    }
    *frames = last + 100;
    return returns == 8;
}

void BM_EightLevelsAB(benchmark::State& state)
{
    std::string a, b, script;
    int frames = 0;
    if (!Programs(state, &a, &b))
        return;
    if (!EightLevelScript(&script, &frames)) {
        state.SkipWithError("no eight-level script: run the WinAllLevels program test first");
        return;
    }
    PrivateMedia mediaA("bench_eight_a", MediaOf(a).c_str()), mediaB("bench_eight_b");
    std::vector<double> peakA, peakB, wallA, wallB;
    for (auto _ : state) {
        for (int side = 0; side < 2; side++) {
            remove((side ? mediaB : mediaA).MediaFile("highscore.xml").c_str());
            RunResult run = RunProgram(side ? b : a, side ? mediaB : mediaA, script, frames, false);
            if (!run.ok) {
                state.SkipWithError("a run did not end normally");
                return;
            }
            (side ? peakB : peakA).push_back(run.peakMB);
            (side ? wallB : wallA).push_back(run.wallSeconds);
        }
        state.SetIterationTime(wallA.back() + wallB.back());
    }
    ReportPairs(state, "peak_MB", peakA, peakB);
    ReportPairs(state, "wall_s", wallA, wallB);
}
BENCHMARK(BM_EightLevelsAB)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(5);

// Processor time of a frame of level 1 standing still: the difference between
// runs of two lengths, so that start-up and the intro drop out.
void BM_LevelFrameCpuAB(benchmark::State& state)
{
    std::string a, b;
    if (!Programs(state, &a, &b))
        return;
    const std::string script = "98 click left 0.5 0.55\n105 click left 0.5 0.49\n";
    const int shortRun = 400, longRun = 1400;
    PrivateMedia mediaA("bench_frame_a", MediaOf(a).c_str()), mediaB("bench_frame_b");
    std::vector<double> frameA, frameB;
    for (auto _ : state) {
        double cpu[2][2];
        for (int length = 0; length < 2; length++) {
            for (int side = 0; side < 2; side++) {
                RunResult run = RunProgram(side ? b : a, side ? mediaB : mediaA, script, length ? longRun : shortRun, false);
                if (!run.ok) {
                    state.SkipWithError("a run did not end normally");
                    return;
                }
                cpu[side][length] = run.cpuSeconds;
            }
        }
        frameA.push_back((cpu[0][1] - cpu[0][0]) * 1000.0 / (longRun - shortRun));
        frameB.push_back((cpu[1][1] - cpu[1][0]) * 1000.0 / (longRun - shortRun));
        state.SetIterationTime(1.0);
    }
    ReportPairs(state, "frame_cpu_ms", frameA, frameB);
}
BENCHMARK(BM_LevelFrameCpuAB)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(5);

// Ten minutes of game time in level 1 (9000 frames): resident memory after
// the first minute's worth of the run and at its end, per side.
void BM_LevelSoakAB(benchmark::State& state)
{
    std::string a, b;
    if (!Programs(state, &a, &b))
        return;
    const std::string script = "98 click left 0.5 0.55\n105 click left 0.5 0.49\n";
    PrivateMedia mediaA("bench_soak_a", MediaOf(a).c_str()), mediaB("bench_soak_b");
    std::vector<double> growthA, growthB, endA, endB;
    for (auto _ : state) {
        for (int side = 0; side < 2; side++) {
            RunResult run = RunProgram(side ? b : a, side ? mediaB : mediaA, script, 9000, true);
            if (!run.ok || run.residentMB.size() < 4) {
                state.SkipWithError("a soak run did not end normally");
                return;
            }
            size_t n = run.residentMB.size();
            double atTenth = run.residentMB[n / 10];
            double end = run.residentMB[n - 1];
            (side ? growthB : growthA).push_back(end - atTenth);
            (side ? endB : endA).push_back(end);
        }
        state.SetIterationTime(1.0);
    }
    state.counters["growth_MB_A"] = Median(growthA);
    state.counters["growth_MB_B"] = Median(growthB);
    ReportPairs(state, "end_MB", endA, endB);
}
BENCHMARK(BM_LevelSoakAB)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(2);

} // namespace
