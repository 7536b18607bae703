// The shipped level file: the build installs it only where the player has none.
#include "MediaTestSupport.h"

#include "CLevelLoader.h"

#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

namespace {

const std::string kShippedLevels = std::string(ZARUL_SOURCE_DIR) + "/media/levels.xml";

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
