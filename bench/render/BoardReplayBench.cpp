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

} // namespace

BENCHMARK(BM_BoardThroughLayer)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
BENCHMARK(BM_BoardPlainOpenGL)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
