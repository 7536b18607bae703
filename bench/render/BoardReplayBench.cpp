// The layer's cost: one frame of the full board, taken from the running game,
// drawn again through the Direct3D layer and straight in OpenGL with the same
// vertices, textures, passes and states. The ratio of the two times is what
// the layer adds.
#include "BenchGameApp.h"
#include "GameTestFolder.h"
#include "LayerBoard.h"
#include "PlainGLBoard.h"

#include <benchmark/benchmark.h>

#include <stdlib.h>

namespace {

// The full board's frame, recorded once per run: as the game draws it, and
// with every stone and every volume drawn. Empty when the game could not set
// the board up.
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
        if (folder.IsReady() && app.Open() && app.StartLevel(1) && app.FillBoard()) {
            app.CaptureBoard(&records[0], false);
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

// Argument 0: the frame as the game draws it; 1: every stone and volume.
void BM_FullBoardThroughLayer(benchmark::State& state)
{
    const BoardRecord& record = FullBoardRecord(state.range(0) != 0);
    if (record.stones.empty()) {
        state.SkipWithError("the full board could not be recorded");
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

void BM_FullBoardPlainOpenGL(benchmark::State& state)
{
    const BoardRecord& record = FullBoardRecord(state.range(0) != 0);
    if (record.stones.empty()) {
        state.SkipWithError("the full board could not be recorded");
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

} // namespace

BENCHMARK(BM_FullBoardThroughLayer)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
BENCHMARK(BM_FullBoardPlainOpenGL)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
