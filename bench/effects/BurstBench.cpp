// A full 6 x 6 board, five layers high (180 stones), in a running game seen by the
// game camera at 1024 x 768 offscreen. One benchmark draws it at rest; the other
// bursts 30 stones at once, as a chain of groups does (layers 1 and 2 of fifteen
// columns, so the stones above them fall), and times every frame of the two
// seconds after each burst: 30 sparkle showers and 30 sets of tumbling shards
// with their flashes, besides the board; and the same bursts with particle
// effects off. Between bursts (not timed) the last effects run out and the board
// is filled again.
#include <algorithm>
#include <chrono>
#include <cstdlib>

#include <benchmark/benchmark.h>

#include "CGameController.h"
#include "CGameData.h"
#include "CGrid.h"
#include "CObjQueue.h"
#include "CResourceManager.h"
#include "CStoneTypes.h"
#include "GameTestApp.h"
#include "GameTestFolder.h"
#include "HeadlessDevice.h"
#include "PairedTimes.h"

#include <GL/gl.h>

namespace {

const int kSide = 6;
const int kLayers = 5;
const int kBurstColumns = 15;   // two stones each: 30
const int kBurstFrames = 120;   // two seconds at 60 frames a second

const char* kLevels =
    "<levels completed=\"0\" last=\"1\">\n"
    "<level nr=\"1\" name=\"Voll\">\n<grid size=\"6\">\n</grid>\n"
    "<placeable mode=\"0\">\n<stone type=\"2\"/>\n</placeable>\n<stones>\n</stones>\n</level>\n"
    "</levels>\n";

class BurstGame {
public:
    BurstGame() : folder(kLevels), app(1024, 768, 1.0f / 60.0f)
    {
        if (!folder.IsReady() || !app.Open())
            return;
        app.StartGameAtCurrentLevel();
        // Past the level banner, with input on.
        app.StepSeconds(3.5f);
        ready = app.controller && app.controller->gameData && app.controller->running == 1;
        if (ready)
            Fill();
    }

    bool Ready() const { return ready; }

    CGrid* Board() { return app.controller->gameData->board; }

    // 180 stones in five colours; none of them touch three of their own kind.
    void Fill()
    {
        const int colours[5] = { STONE_BLUE, STONE_GREEN, STONE_RED, STONE_YELLOW, STONE_ORANGE };
        CGrid* grid = Board();
        grid->Clear();
        for (int z = 0; z < kLayers; z++)
            for (int y = 0; y < kSide; y++)
                for (int x = 0; x < kSide; x++)
                    grid->PlaceStone(x, y, colours[(x + 2 * y + 3 * z) % 5], 0.0f);
        // New stones drop onto their cells under gravity first.
        Settle();
    }

    // Moves the scene without drawing until the effects of the last burst are gone.
    void Settle()
    {
        CObjQueue* queue = CResourceManager::GetObjectQueue();
        for (int i = 0; i < 100 && (i < 10 || queue->GetObjectCount() > restCount); i++)
            queue->MoveAll(0.1f);
    }

    void Burst()
    {
        CGrid* grid = Board();
        int columns = 0;
        for (int y = 0; y < kSide && columns < kBurstColumns; y++)
            for (int x = 0; x < kSide && columns < kBurstColumns; x++, columns++) {
                // Layer 2 comes down to layer 1 after the first removal.
                grid->RemoveStone(x, y, 1);
                grid->RemoveStone(x, y, 1);
            }
    }

    void Frame()
    {
        app.Step(1);
        glFinish();
    }

    GameTestFolder folder;
    GameTestApp app;
    bool ready = false;
    int restCount = 0;
};

BurstGame* game = nullptr;

// One game for every benchmark of the run; it goes at exit, and with it the
// game's private working folder.
BurstGame* Game()
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (!game) {
        game = new BurstGame();
        game->restCount = CResourceManager::GetObjectQueue()->GetObjectCount();
        std::atexit([] {
            delete game;
            game = nullptr;
        });
    }
    return game;
}

void BM_FullBoardAtRest(benchmark::State& state)
{
    BurstGame* game = Game();
    if (!game->Ready()) {
        state.SkipWithError("no game");
        return;
    }
    game->Frame();
    for (auto _ : state)
        game->Frame();
    state.counters["fps"] = benchmark::Counter((double)state.iterations(), benchmark::Counter::kIsRate);
}

// Frames of a burst with particle effects on (sparkles, shards, flashes); the
// fps and the worst frame.
void BM_FullBoardDuringBurstOf30Stones(benchmark::State& state)
{
    BurstGame* game = Game();
    if (!game->Ready()) {
        state.SkipWithError("no game");
        return;
    }
    BYTE effects = game->app.renderEffects;
    game->app.renderEffects |= CD3DApplication::R_EFFECT_PARTICLES;
    int frame = kBurstFrames;
    double worst = 0.0;
    int bursts = 0;
    for (auto _ : state) {
        if (frame == kBurstFrames) {
            state.PauseTiming();
            if (bursts > 0) {
                game->Settle();
                game->Fill();
            }
            game->Burst();
            bursts++;
            frame = 0;
            state.ResumeTiming();
        }
        auto start = std::chrono::steady_clock::now();
        game->Frame();
        double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        worst = std::max(worst, ms);
        frame++;
        if (bursts == 1 && frame == 20)
            D3D8SaveBackBufferPNG(game->app.device, (std::string(EFFECTS_BUILD_DIR) + "/effects_bench_burst.png").c_str());
    }
    state.counters["fps"] = benchmark::Counter((double)state.iterations(), benchmark::Counter::kIsRate);
    state.counters["worst_ms"] = worst;
    state.counters["bursts"] = bursts;
    game->Settle();
    game->Fill();
    game->app.renderEffects = effects;
}

// A whole burst with particle effects (A) and the same burst without them (B),
// in turn, so that a busy machine slows both alike: wall time of each burst's
// frames and the spread of the ratio.
void BM_BurstWithEffectsAgainstWithout(benchmark::State& state)
{
    BurstGame* game = Game();
    if (!game->Ready()) {
        state.SkipWithError("no game");
        return;
    }
    BYTE effects = game->app.renderEffects;
    PairedTimes pairs;
    for (auto _ : state) {
        PairedTimes::Clock::duration took[2];
        for (int side = 0; side < 2; side++) {
            state.PauseTiming();
            if (side == 0)
                game->app.renderEffects |= CD3DApplication::R_EFFECT_PARTICLES;
            else
                game->app.renderEffects &= (BYTE)~CD3DApplication::R_EFFECT_PARTICLES;
            game->Burst();
            state.ResumeTiming();
            PairedTimes::Clock::time_point start = PairedTimes::Clock::now();
            for (int frame = 0; frame < kBurstFrames; frame++)
                game->Frame();
            took[side] = PairedTimes::Clock::now() - start;
            state.PauseTiming();
            game->Settle();
            game->Fill();
            state.ResumeTiming();
        }
        pairs.Add(took[0], took[1]);
    }
    pairs.Report(state, "effects", "no_effects");
    game->app.renderEffects = effects;
}

}

BENCHMARK(BM_FullBoardAtRest)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();
BENCHMARK(BM_FullBoardDuringBurstOf30Stones)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(6.0)->UseRealTime();
BENCHMARK(BM_BurstWithEffectsAgainstWithout)->Unit(benchmark::kMillisecond)->Iterations(8)->UseRealTime();
