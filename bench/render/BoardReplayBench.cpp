// The layer's cost: board frames taken from the running game,
// drawn again through the Direct3D layer and straight in OpenGL with the same
// vertices, textures, passes and states. The ratio of the two times is what
// the layer adds.
#include "BenchGameApp.h"
#include "GameTestFolder.h"
#include "LayerBoard.h"
#include "PlainGLBoard.h"

#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

// Recorded once per run: level 22's frame as the game draws it (its stones
// and the shadow volumes of their exposed sides), and the full board with
// every stone and every volume drawn. Empty when the game could not set the
// board up.
const BoardRecord& FullBoardRecord(bool everything)
{
    static BoardRecord records[2];
    static bool taken = false;
    if (!taken) {
        taken = true;
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        GameTestFolder folder;
        BenchGameApp app;
        if (folder.IsReady() && app.Open() && app.StartLevel(22)) {
            app.CaptureBoard(&records[0], false);
            if (app.FillBoard())
                app.CaptureBoard(&records[1], true);
        }
    }
    return records[everything ? 1 : 0];
}

void ReportRecord(benchmark::State& state, const BoardRecord& record)
{
    state.counters["stones"] = (double)record.stones.size();
    state.counters["volumes"] = (double)record.volumes.size();
}

// Argument 0: level 22 as the game draws it; 1: the full board, every stone and volume.
void BM_BoardThroughLayer(benchmark::State& state)
{
    const BoardRecord& record = FullBoardRecord(state.range(0) != 0);
    if (record.stones.empty()) {
        state.SkipWithError("the board could not be recorded");
        return;
    }
    LayerBoard board(record);
    if (!board.Ready()) {
        state.SkipWithError("no Direct3D device");
        return;
    }
    board.DrawFrame();
    for (auto _ : state)
        board.DrawFrame();
    ReportRecord(state, record);
    board.headless.SavePicture(state.range(0) ? "render_bench_layer_replay_all.png" : "render_bench_layer_replay.png");
}

void BM_BoardPlainOpenGL(benchmark::State& state)
{
    const BoardRecord& record = FullBoardRecord(state.range(0) != 0);
    if (record.stones.empty()) {
        state.SkipWithError("the board could not be recorded");
        return;
    }
    PlainGLBoard board(record);
    if (!board.Ready()) {
        state.SkipWithError("no OpenGL target");
        return;
    }
    board.DrawFrame();
    for (auto _ : state)
        board.DrawFrame();
    ReportRecord(state, record);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n == 0 ? 0.0 : n % 2 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
}

// The layer's back buffer, top row first, as 0x..RRGGBB; empty when it cannot be read.
std::vector<DWORD> LayerPixels(LayerBoard& layer)
{
    std::vector<DWORD> pixels;
    IDirect3DSurface8* surface = nullptr;
    if (FAILED(layer.headless.device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &surface)))
        return pixels;
    D3DLOCKED_RECT locked;
    if (SUCCEEDED(surface->LockRect(&locked, nullptr, D3DLOCK_READONLY))) {
        UINT width = layer.headless.width, height = layer.headless.height;
        pixels.resize((size_t)width * height);
        for (UINT y = 0; y < height; y++)
            memcpy(&pixels[(size_t)y * width], (const BYTE*)locked.pBits + y * locked.Pitch, width * 4);
        surface->UnlockRect();
    }
    surface->Release();
    return pixels;
}

// Pixels of the two pictures where red, green or blue differ by more than 8
// levels; every pixel when the pictures cannot be compared.
double DifferingPixels(const std::vector<DWORD>& a, const std::vector<DWORD>& b, size_t total)
{
    if (a.size() != total || b.size() != total)
        return (double)total;
    size_t differing = 0;
    for (size_t i = 0; i < total; i++)
        if (abs(Red(a[i]) - Red(b[i])) > 8 || abs(Green(a[i]) - Green(b[i])) > 8 || abs(Blue(a[i]) - Blue(b[i])) > 8)
            differing++;
    return (double)differing;
}

// The layer (A) and plain OpenGL (B) taking turns frame by frame, so that a
// change in the machine's load falls on both: wall time of each frame, the
// medians, and the median, smallest and largest ratio A / B of the pairs.
// Both pictures are compared first: differing_px should stay near 0.
void BM_BoardLayerAgainstPlainOpenGL(benchmark::State& state)
{
    const BoardRecord& record = FullBoardRecord(state.range(0) != 0);
    if (record.stones.empty()) {
        state.SkipWithError("the board could not be recorded");
        return;
    }
    LayerBoard layer(record);
    PlainGLBoard plain(record);
    if (!layer.Ready() || !plain.Ready()) {
        state.SkipWithError("no Direct3D device or OpenGL target");
        return;
    }
    layer.DrawFrame();
    std::vector<DWORD> layerPicture = LayerPixels(layer);
    plain.DrawFrame();
    double differing = DifferingPixels(layerPicture, plain.Pixels(), (size_t)record.width * record.height);
    typedef std::chrono::steady_clock Clock;
    std::vector<double> layerMs, plainMs, ratios;
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        layer.DrawFrame();
        Clock::time_point middle = Clock::now();
        plain.DrawFrame();
        Clock::time_point end = Clock::now();
        double a = std::chrono::duration<double, std::milli>(middle - start).count();
        double b = std::chrono::duration<double, std::milli>(end - middle).count();
        layerMs.push_back(a);
        plainMs.push_back(b);
        ratios.push_back(a / b);
        state.SetIterationTime((a + b) / 1000.0);
    }
    ReportRecord(state, record);
    state.counters["layer_ms"] = Median(layerMs);
    state.counters["plain_ms"] = Median(plainMs);
    state.counters["ratio"] = Median(ratios);
    state.counters["ratio_min"] = *std::min_element(ratios.begin(), ratios.end());
    state.counters["ratio_max"] = *std::max_element(ratios.begin(), ratios.end());
    state.counters["differing_px"] = differing;
}

} // namespace

BENCHMARK(BM_BoardThroughLayer)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
BENCHMARK(BM_BoardPlainOpenGL)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
BENCHMARK(BM_BoardLayerAgainstPlainOpenGL)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseManualTime();
