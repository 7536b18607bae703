// Speed of the board's group search and visibility tests, of reading a level
// file, and of the level checker's search.
#include <cstdio>
#include <string>

#include <unistd.h>

#include <benchmark/benchmark.h>

#include "CGrid.h"
#include "CLevel.h"
#include "CLevelLoader.h"
#include "CLevelSolver.h"
#include "CStoneInfo.h"
#include "CStoneTypes.h"

namespace {

// Fills all 15 layers of a 6 x 6 board. With groups, every layer holds nine
// 2 x 2 squares of one colour, neighbouring squares and the squares above
// and below in other colours: 135 groups of four. Without, no two touching
// stones share a colour.
void FillBoard(CGrid& grid, bool groups)
{
    for (int z = 0; z < 15; z++) {
        for (int y = 0; y < 6; y++) {
            for (int x = 0; x < 6; x++) {
                int colour;
                if (groups)
                    colour = STONE_BLUE + (x / 2 + y / 2) % 2 + 2 * (z % 2);
                else
                    colour = STONE_BLUE + (x + y + z) % 2;
                grid.PlaceStone(x, y, colour, 0.0f);
            }
        }
    }
}

void BM_RemoveCombosFullBoardManyGroups(benchmark::State& state)
{
    CGrid grid(6, 6, 6);
    int removedStones = 0;
    for (auto _ : state) {
        state.PauseTiming();
        grid.Clear();
        FillBoard(grid, true);
        state.ResumeTiming();
        benchmark::DoNotOptimize(grid.RemoveCombos());
        removedStones = 540 - grid.GetStoneCount();
    }
    state.counters["removed"] = removedStones;
}
BENCHMARK(BM_RemoveCombosFullBoardManyGroups)->Unit(benchmark::kMicrosecond);

// The whole chain of passes that the game runs after a move, until a pass
// removes nothing.
void BM_RemoveCombosFullBoardUntilSettled(benchmark::State& state)
{
    CGrid grid(6, 6, 6);
    int removedStones = 0;
    int passes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        grid.Clear();
        FillBoard(grid, true);
        state.ResumeTiming();
        passes = 1;
        while (grid.RemoveCombos())
            passes++;
        removedStones = 540 - grid.GetStoneCount();
    }
    state.counters["removed"] = removedStones;
    state.counters["passes"] = passes;
}
BENCHMARK(BM_RemoveCombosFullBoardUntilSettled)->Unit(benchmark::kMicrosecond);

void BM_RemoveCombosFullBoardNoGroup(benchmark::State& state)
{
    CGrid grid(6, 6, 6);
    FillBoard(grid, false);
    for (auto _ : state)
        benchmark::DoNotOptimize(grid.RemoveCombos());
}
BENCHMARK(BM_RemoveCombosFullBoardNoGroup)->Unit(benchmark::kMicrosecond);

// Both visibility tests for every cell of a full board. The tests look only
// at whether a stone has a 3D object, so a stand-in address serves as one.
void BM_VisibilityAllCells(benchmark::State& state)
{
    static char standIn;
    CGrid grid(6, 6, 6);
    FillBoard(grid, false);
    for (int i = 0; i < grid.cellCount; i++)
        grid.cells[i]->stone = reinterpret_cast<CStone*>(&standIn);

    for (auto _ : state) {
        int sum = 0;
        for (int z = 0; z < 15; z++) {
            for (int y = 0; y < 6; y++) {
                for (int x = 0; x < 6; x++) {
                    sum += grid.IsOpenTowardsCamera(x, y, z, 0.7853982f);
                    sum += grid.IsVisibleTowardsCamera(x, y, z);
                }
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    for (int i = 0; i < grid.cellCount; i++)
        grid.cells[i]->stone = nullptr;
}
BENCHMARK(BM_VisibilityAllCells)->Unit(benchmark::kMicrosecond);

// A level file of 100 levels, each with 4 fields, 30 stones and 20 placeable stones.
std::string WriteHundredLevels()
{
    std::string path = "puzzle_bench_levels.xml";
    CLevelLoader loader;
    for (int n = 0; n < 100; n++) {
        CLevel* level = new CLevel();
        level->SetName("Level " + std::to_string(n + 1));
        level->size = 6;
        CStoneInfo* fields = new CStoneInfo[4];
        for (int i = 0; i < 4; i++)
            fields[i] = CStoneInfo(i, 5 - i, 0, FIELD_SPECIAL_TARGET, "");
        level->SetFields(fields, 4);
        CStoneInfo** stones = new CStoneInfo*[30];
        for (int i = 0; i < 30; i++)
            stones[i] = new CStoneInfo(i % 6, (i / 6) % 6, i / 36, STONE_BLUE + (i + n) % 7, "");
        level->SetStones(stones, 30);
        level->placeableCount = 20;
        level->placeableTypes = new int[20];
        for (int i = 0; i < 20; i++)
            level->placeableTypes[i] = i % 9;
        loader.levels.push_back(level);
    }
    loader.Save(path.c_str());
    return path;
}

void BM_LoadHundredLevels(benchmark::State& state)
{
    std::string path = WriteHundredLevels();
    for (auto _ : state) {
        CLevelLoader loader;
        benchmark::DoNotOptimize(loader.Load(path.c_str()));
        if (loader.GetLevelCount() != 100)
            state.SkipWithError("level file not read");
    }
    remove(path.c_str());
}
BENCHMARK(BM_LoadHundredLevels)->Unit(benchmark::kMillisecond);

// One level of 100,000 stones whose layers run from the top down, so that
// ordering them by layer has the most to do; loading must stay well under a
// second.
void BM_LoadLevelOf100000Stones(benchmark::State& state)
{
    const int count = 100000;
    std::string path = "puzzle_bench_big_level_" + std::to_string(getpid()) + ".xml";
    {
        CLevelLoader loader;
        CLevel* level = new CLevel();
        CStoneInfo* fields = new CStoneInfo[1];
        fields[0] = CStoneInfo(0, 0, 0, FIELD_SPECIAL_TARGET, "");
        level->SetFields(fields, 1);
        CStoneInfo** stones = new CStoneInfo*[count];
        for (int i = 0; i < count; i++)
            stones[i] = new CStoneInfo(i % 6, (i / 6) % 6, 14 - i % 15, STONE_BLUE + i % 7, "");
        level->SetStones(stones, count);
        loader.levels.push_back(level);
        if (!loader.Save(path.c_str()))
            state.SkipWithError("level file not written");
    }
    for (auto _ : state) {
        CLevelLoader loader;
        benchmark::DoNotOptimize(loader.Load(path.c_str()));
        if (loader.GetLevelCount() != 1 || loader.GetLevel(1)->stoneCount != count)
            state.SkipWithError("level file not read");
    }
    remove(path.c_str());
}
BENCHMARK(BM_LoadLevelOf100000Stones)->Unit(benchmark::kMillisecond);

// The level checker on a level with several stones to slide and a stack of
// four stones: reports the states searched per second.
void BM_LevelCheckerSearch(benchmark::State& state)
{
    CLevel level;
    CStoneInfo* fields = new CStoneInfo[2];
    fields[0] = CStoneInfo(2, 2, 0, FIELD_SPECIAL_TARGET, "");
    fields[1] = CStoneInfo(3, 4, 0, FIELD_SPECIAL_TARGET, "");
    level.SetFields(fields, 2);
    const int layout[][4] = {
        { 0, 0, 0, STONE_SPECIAL }, { 5, 5, 0, STONE_SPECIAL }, { 2, 3, 0, STONE_BLOCK },
        { 4, 1, 0, STONE_RED }, { 1, 4, 0, STONE_RED }, { 4, 4, 0, STONE_GREEN }, { 0, 3, 0, STONE_GREEN },
    };
    const int count = sizeof(layout) / sizeof(layout[0]);
    CStoneInfo** stones = new CStoneInfo*[count];
    for (int i = 0; i < count; i++)
        stones[i] = new CStoneInfo(layout[i][0], layout[i][1], layout[i][2], layout[i][3], "");
    level.SetStones(stones, count);
    level.placeableCount = 4;
    level.placeableTypes = new int[4] { STONE_RED, STONE_GREEN, STONE_RED, STONE_GREEN };

    long states = 0;
    for (auto _ : state) {
        CLevelSolver solver(200000);
        states += solver.Solve(&level).states;
    }
    state.counters["states"] = benchmark::Counter((double)states, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LevelCheckerSearch)->Unit(benchmark::kMillisecond);

} // namespace
