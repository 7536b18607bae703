// Speed of the board's group search and visibility tests, of reading a level
// file, and of the level checker's search.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <unistd.h>

#include <benchmark/benchmark.h>

#include "CGrid.h"
#include "CLevel.h"
#include "CLevelLoader.h"
#include "CLevelSolver.h"
#include "CStoneInfo.h"
#include "CStoneTypes.h"
#include "PairedTimes.h"

#ifdef ZARUL_BENCH_PUGIXML
#include <pugixml.hpp>
#endif

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
    std::string path = "puzzle_bench_levels_" + std::to_string(getpid()) + ".xml";
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
BENCHMARK(BM_LoadHundredLevels)->Unit(benchmark::kMillisecond)->UseRealTime();

// One level of 100,000 stones whose layers run from the top down, so that
// ordering them by layer has the most to do.
const int BIG_LEVEL_STONES = 100000;

bool WriteBigLevel(const std::string& path)
{
    CLevelLoader loader;
    CLevel* level = new CLevel();
    CStoneInfo* fields = new CStoneInfo[1];
    fields[0] = CStoneInfo(0, 0, 0, FIELD_SPECIAL_TARGET, "");
    level->SetFields(fields, 1);
    CStoneInfo** stones = new CStoneInfo*[BIG_LEVEL_STONES];
    for (int i = 0; i < BIG_LEVEL_STONES; i++)
        stones[i] = new CStoneInfo(i % 6, (i / 6) % 6, 14 - i % 15, STONE_BLUE + i % 7, "");
    level->SetStones(stones, BIG_LEVEL_STONES);
    loader.levels.push_back(level);
    return loader.Save(path.c_str());
}

std::string BigLevelPath()
{
    return "puzzle_bench_big_level_" + std::to_string(getpid()) + ".xml";
}

bool LoadedBigLevel(CLevelLoader& loader)
{
    return loader.GetLevelCount() == 1 && loader.GetLevel(1)->stoneCount == BIG_LEVEL_STONES;
}

// Loading is what a player waits for: wall time. It must stay well under a second.
void BM_LoadLevelOf100000Stones(benchmark::State& state)
{
    std::string path = BigLevelPath();
    if (!WriteBigLevel(path))
        state.SkipWithError("level file not written");
    for (auto _ : state) {
        CLevelLoader loader;
        benchmark::DoNotOptimize(loader.Load(path.c_str()));
        if (!LoadedBigLevel(loader))
            state.SkipWithError("level file not read");
    }
    remove(path.c_str());
}
BENCHMARK(BM_LoadLevelOf100000Stones)->Unit(benchmark::kMillisecond)->UseRealTime();

#ifdef ZARUL_BENCH_PUGIXML
int PugiInt(const pugi::xml_node& node, const char* name)
{
    return atoi(node.attribute(name).value());
}

void PugiPosition(const pugi::xml_node& node, int* x, int* y, int* z)
{
    pugi::xml_node position = node.child("position");
    *x = PugiInt(position, "x");
    *y = PugiInt(position, "y");
    *z = PugiInt(position, "z");
}

int PugiCount(const pugi::xml_node& node, const char* name)
{
    int count = 0;
    for (pugi::xml_node child = node.child(name); child; child = child.next_sibling(name))
        count++;
    return count;
}

// The level file read with pugixml into the same records the level loader
// builds, in the same steps: the yardstick for the loader's own reading.
bool PugiLoad(const char* path, std::vector<CLevel*>& levels)
{
    pugi::xml_document doc;
    if (!doc.load_file(path))
        return false;
    pugi::xml_node root = doc.child("levels");
    benchmark::DoNotOptimize(PugiInt(root, "completed") + PugiInt(root, "last"));
    for (pugi::xml_node node = root.child("level"); node; node = node.next_sibling("level")) {
        CLevel* level = new CLevel();
        levels.push_back(level);
        level->SetName(node.attribute("name").value());
        level->number = PugiInt(node, "nr");

        pugi::xml_node grid = node.child("grid");
        if (grid) {
            level->size = PugiInt(grid, "size");
            int count = PugiCount(grid, "field");
            CStoneInfo* fields = count > 0 ? new CStoneInfo[count] : nullptr;
            int i = 0;
            for (pugi::xml_node field = grid.child("field"); i < count; field = field.next_sibling("field"), i++) {
                fields[i].type = PugiInt(field, "type");
                PugiPosition(field, &fields[i].x, &fields[i].y, &fields[i].z);
            }
            level->SetFields(fields, count);
        }

        pugi::xml_node placeable = node.child("placeable");
        if (placeable) {
            level->placeableMode = PugiInt(placeable, "mode");
            int count = PugiCount(placeable, "stone");
            if (count > 0) {
                int* types = new int[count]();
                int i = 0;
                for (pugi::xml_node stone = placeable.child("stone"); i < count; stone = stone.next_sibling("stone"), i++)
                    types[i] = PugiInt(stone, "type");
                delete[] level->placeableTypes;
                level->placeableTypes = types;
                level->placeableCount = count;
            }
        }

        pugi::xml_node stonesNode = node.child("stones");
        if (stonesNode) {
            int count = PugiCount(stonesNode, "stone");
            CStoneInfo** stones = count > 0 ? new CStoneInfo*[count] : nullptr;
            int i = 0;
            for (pugi::xml_node stone = stonesNode.child("stone"); i < count; stone = stone.next_sibling("stone"), i++) {
                stones[i] = new CStoneInfo();
                stones[i]->type = PugiInt(stone, "type");
                PugiPosition(stone, &stones[i]->x, &stones[i]->y, &stones[i]->z);
            }
            level->SetStones(stones, count);
        }
    }
    return true;
}

// The level loader against the pugixml reader on the level of 100,000 stones,
// in turn. "ratio" is the loader's time over pugixml's (below 1: the loader
// is faster), with its quartiles as the spread.
void BM_LoadLevelOf100000StonesAgainstPugixml(benchmark::State& state)
{
    std::string path = BigLevelPath();
    if (!WriteBigLevel(path))
        state.SkipWithError("level file not written");
    PairedTimes times;
    for (auto _ : state) {
        PairedTimes::Clock::time_point a = PairedTimes::Clock::now();
        bool ours;
        {
            CLevelLoader loader;
            loader.Load(path.c_str());
            ours = LoadedBigLevel(loader);
        }
        PairedTimes::Clock::time_point b = PairedTimes::Clock::now();
        bool theirs;
        {
            std::vector<CLevel*> levels;
            theirs = PugiLoad(path.c_str(), levels) && levels.size() == 1 &&
                     levels[0]->stoneCount == BIG_LEVEL_STONES;
            for (CLevel* level : levels)
                delete level;
        }
        PairedTimes::Clock::time_point c = PairedTimes::Clock::now();
        if (!ours || !theirs) {
            state.SkipWithError("a reader failed on the level file");
            break;
        }
        times.Add(b - a, c - b);
    }
    remove(path.c_str());
    times.Report(state, "loader", "pugixml");
}
BENCHMARK(BM_LoadLevelOf100000StonesAgainstPugixml)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(40);
#endif

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
BENCHMARK(BM_LevelCheckerSearch)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
