// Frames of the game's own board scene, offscreen at 1024 x 768: the game's
// board view, stones, shadow volumes, overlay and controller, driven by the
// game's frame at a fixed time step. Each frame is finished by the renderer
// before the next starts. Also the processor time of the board view's Move
// pass (visibility, snapping, shadow-volume builds) over a full board.
#include "BenchGameApp.h"
#include "GameTestFolder.h"

#include "CGameController.h"
#include "CGridView.h"

#include <benchmark/benchmark.h>

#include <stdlib.h>

namespace {

// A game frame in a private working folder; null when there is no device.
struct GameBench {
    GameBench()
    {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        if (folder.IsReady() && app.Open())
            ready = true;
    }
    GameTestFolder folder;
    BenchGameApp app;
    bool ready = false;
};

// Stone counts, and the last frame as a picture in the working folder the
// benchmark was started from, for people to look at.
void Report(benchmark::State& state, GameBench& bench, const char* pictureName)
{
    state.counters["stones"] = bench.app.StoneCount();
    state.counters["drawn"] = bench.app.DrawnStoneCount();
    Image picture;
    bench.app.Capture(bench.folder.GetPreviousFolder() + "/" + pictureName, picture);
}

// The frame without a game: clear, the pointer, present.
void BM_EmptyFrame(benchmark::State& state)
{
    GameBench bench;
    if (!bench.ready) {
        state.SkipWithError("no game frame");
        return;
    }
    bench.app.DrawFrame();
    for (auto _ : state)
        bench.app.DrawFrame();
}

void BM_Level22Frame(benchmark::State& state)
{
    GameBench bench;
    if (!bench.ready || !bench.app.StartLevel(22)) {
        state.SkipWithError("level 22 did not start");
        return;
    }
    for (auto _ : state)
        bench.app.DrawFrame();
    Report(state, bench, "render_bench_level22.png");
}

void BM_FullBoardFrame(benchmark::State& state)
{
    GameBench bench;
    if (!bench.ready || !bench.app.StartLevel(1) || !bench.app.FillBoard()) {
        state.SkipWithError("the full board could not be set up");
        return;
    }
    for (auto _ : state)
        bench.app.DrawFrame();
    Report(state, bench, "render_bench_full_board.png");
}

// The board view's Move alone, as the object queue calls it every frame.
void BM_FullBoardMovePass(benchmark::State& state)
{
    GameBench bench;
    if (!bench.ready || !bench.app.StartLevel(1) || !bench.app.FillBoard()) {
        state.SkipWithError("the full board could not be set up");
        return;
    }
    CGridView* view = bench.app.controller->gridView;
    float step = bench.app.GetTimeStep();
    for (auto _ : state)
        view->Move(step);
    state.counters["stones"] = bench.app.StoneCount();
}

} // namespace

BENCHMARK(BM_EmptyFrame)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
BENCHMARK(BM_Level22Frame)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
BENCHMARK(BM_FullBoardFrame)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
BENCHMARK(BM_FullBoardMovePass)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
