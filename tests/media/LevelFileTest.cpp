// The shipped level file, read by the game's level loader: enough levels, a fresh
// player's start, and levels that play as they were meant to (goal stones for every
// target field, only stones that look different when they behave differently, stones
// stacked without gaps, nothing that bursts before the first move). The build installs
// it only where the player has none.
#include "MediaTestSupport.h"

#include "CLevel.h"
#include "CLevelLoader.h"
#include "CStoneInfo.h"
#include "CStoneTypes.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>

#include <gtest/gtest.h>

namespace {

const std::string kShippedLevels = std::string(ZARUL_SOURCE_DIR) + "/media/levels.xml";

// Colours whose textures tell them apart: "Orange" shares the yellow picture and
// "RedGrean" has none, so a level using them would show two kinds that look alike.
bool DistinctLooking(int type)
{
    return type == STONE_SPECIAL || type == STONE_BLOCK || type == STONE_BLUE || type == STONE_GREEN ||
           type == STONE_RED || type == STONE_YELLOW || type == STONE_BLUE_YELLOW;
}

class MediaShippedLevels : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(1, loader.Load(kShippedLevels.c_str())); }
    CLevelLoader loader;
};

TEST_F(MediaShippedLevels, StartAFreshPlayerAtLevelOne)
{
    EXPECT_GE(loader.GetLevelCount(), 20);
    EXPECT_EQ(0, loader.completed);
    EXPECT_EQ(1, loader.last);
    std::set<std::string> names;
    for (int n = 1; n <= loader.GetLevelCount(); n++) {
        CLevel* level = loader.GetLevel(n);
        EXPECT_EQ(n, level->number);
        EXPECT_EQ(6, level->size);
        EXPECT_FALSE(level->name.empty());
        EXPECT_TRUE(names.insert(level->name).second) << "two levels named " << level->name;
    }
}

TEST_F(MediaShippedLevels, EveryTargetFieldHasAGoalStone)
{
    int randomLevels = 0;
    for (int n = 1; n <= loader.GetLevelCount(); n++) {
        CLevel* level = loader.GetLevel(n);
        std::set<std::pair<int, int>> targets;
        for (int f = 0; f < level->fieldCount; f++) {
            EXPECT_EQ(FIELD_SPECIAL_TARGET, level->fields[f].type) << "level " << n;
            targets.insert({ level->fields[f].x, level->fields[f].y });
        }
        int goalStones = 0;
        std::set<int> colours;
        for (int s = 0; s < level->stoneCount; s++) {
            goalStones += level->stones[s]->type == STONE_SPECIAL;
            if (CStoneTypes::IsComboType(level->stones[s]->type))
                colours.insert(level->stones[s]->type);
        }
        EXPECT_EQ((int)targets.size(), level->fieldCount) << "level " << n << " repeats a field";
        EXPECT_GE(level->fieldCount, 1) << "level " << n;
        EXPECT_LE(level->fieldCount, 4) << "level " << n;
        EXPECT_GE(goalStones, level->fieldCount) << "level " << n;
        if (level->placeableMode != 0) {
            randomLevels++;
            // the endless supply offers only colours on the board
            EXPECT_GE(colours.size(), 2u) << "level " << n;
        } else {
            for (int p = 0; p < level->placeableCount; p++)
                EXPECT_TRUE(DistinctLooking(level->placeableTypes[p])) << "level " << n;
        }
    }
    EXPECT_GE(randomLevels, 2);
}

TEST_F(MediaShippedLevels, StonesStandInColumnsWithoutGapsAndNothingBurstsAtTheStart)
{
    for (int n = 1; n <= loader.GetLevelCount(); n++) {
        CLevel* level = loader.GetLevel(n);
        std::map<int, int> cells;             // x + 6 y + 36 z -> type
        std::map<int, std::set<int>> layers;  // column -> layers
        for (int s = 0; s < level->stoneCount; s++) {
            const CStoneInfo* st = level->stones[s];
            ASSERT_TRUE(st->x >= 0 && st->x < 6 && st->y >= 0 && st->y < 6 && st->z >= 0 && st->z < 15)
                << "level " << n;
            EXPECT_TRUE(DistinctLooking(st->type)) << "level " << n << " type " << st->type;
            EXPECT_TRUE(cells.insert({ st->x + 6 * st->y + 36 * st->z, st->type }).second)
                << "level " << n << " has two stones in one cell";
            layers[st->x + 6 * st->y].insert(st->z);
        }
        // stones are placed on top of their columns, so a gap would silently close
        for (const auto& column : layers)
            EXPECT_EQ((int)column.second.size() - 1, *column.second.rbegin()) << "level " << n;

        // flood fill of face-touching stones of one colour
        std::set<int> seen;
        for (const auto& cell : cells) {
            if (seen.count(cell.first) || !CStoneTypes::IsComboType(cell.second))
                continue;
            std::vector<int> todo = { cell.first };
            seen.insert(cell.first);
            int size = 0;
            while (!todo.empty()) {
                const int c = todo.back();
                todo.pop_back();
                size++;
                const int x = c % 6, y = (c / 6) % 6, z = c / 36;
                const int next[6][3] = { { x + 1, y, z }, { x - 1, y, z }, { x, y + 1, z },
                                         { x, y - 1, z }, { x, y, z + 1 }, { x, y, z - 1 } };
                for (const auto& p : next) {
                    if (p[0] < 0 || p[0] > 5 || p[1] < 0 || p[1] > 5 || p[2] < 0)
                        continue;
                    const int i = p[0] + 6 * p[1] + 36 * p[2];
                    auto it = cells.find(i);
                    if (it != cells.end() && it->second == cell.second && seen.insert(i).second)
                        todo.push_back(i);
                }
            }
            EXPECT_LT(size, 4) << "level " << n << " bursts before the first move";
        }
    }
}

TEST(MediaLevelInstall, BuildPutsTheLevelsIntoTheMediaFolder)
{
    CLevelLoader loader;
    EXPECT_EQ(1, loader.Load(MediaPath("levels.xml").c_str()));
    EXPECT_GT(loader.GetLevelCount(), 0);
}

// The player's own levels.xml (with the levels reached) must survive every rebuild.
TEST(MediaLevelInstall, NeverOverwritesThePlayersFile)
{
    const std::string folder = BuildPath("media_tests_install");
    const std::string target = folder + "/levels.xml";
    std::remove(target.c_str());
    const std::string command = std::string("\"") + ZARUL_CMAKE_COMMAND + "\" -DSOURCE=\"" + kShippedLevels +
                                "\" -DTARGET=\"" + target + "\" -P \"" + ZARUL_INSTALL_LEVELS + "\" > /dev/null";

    ASSERT_EQ(0, system(command.c_str()));
    EXPECT_TRUE(ReadBytes(target) == ReadBytes(kShippedLevels)) << "missing file is not installed";

    ASSERT_TRUE(WriteText(target, "<levels completed=\"7\" last=\"8\"/>"));
    const std::vector<unsigned char> players = ReadBytes(target);
    ASSERT_EQ(0, system(command.c_str()));
    EXPECT_TRUE(ReadBytes(target) == players) << "the player's levels.xml was replaced";
}

} // namespace
