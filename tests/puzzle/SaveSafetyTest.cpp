// Saving the two game files never loses what is there: a file that does not
// load is kept beside as .damaged, and a save that cannot be written says so
// and leaves the old file.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "CHighScore.h"
#include "CLevel.h"
#include "CLevelLoader.h"
#include "CMessageLog.h"
#include "CResourceManager.h"
#include "CScore.h"
#include "PuzzleTestHelpers.h"

namespace {

// Saves a small file of either kind; the result of Save.
typedef std::function<bool(const std::string& path)> SaveFile;

bool SaveScores(const std::string& path)
{
    CHighScore table;
    CScore* entry = new CScore();
    entry->mode = CScore::MODE_PUZZLE;
    entry->level = 4;
    entry->score = 9;
    entry->name = "Ada";
    table.AddScore(entry);
    return table.Save(path.c_str());
}

bool SaveLevels(const std::string& path)
{
    CLevelLoader loader;
    loader.levels.push_back(new CLevel());
    return loader.Save(path.c_str());
}

bool Exists(const std::string& path)
{
    return access(path.c_str(), F_OK) == 0;
}

class PuzzleSaveSafety : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/zarul-save-XXXXXX";
        ASSERT_TRUE(mkdtemp(pattern));
        folder = pattern;
    }
    void TearDown() override
    {
        chmod(folder.c_str(), 0755);
        EXPECT_EQ(0, system(("rm -rf '" + folder + "'").c_str()));
    }

    std::string folder;
};

struct FileKind
{
    const char* name;
    SaveFile save;
};

const FileKind kinds[] = { { "highscore.xml", SaveScores }, { "levels.xml", SaveLevels } };

} // namespace

TEST_F(PuzzleSaveSafety, DamagedFilesAreKeptOnceBeforeASave)
{
    for (const FileKind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        std::string path = folder + "/" + kind.name;

        // A missing file is simply created; a sound one is replaced without a copy.
        ASSERT_TRUE(kind.save(path));
        ASSERT_TRUE(kind.save(path));
        std::string whole = ReadFile(path);
        EXPECT_FALSE(Exists(path + ".damaged"));

        // Damaged ways: the last three bytes lost, binary junk, an empty file.
        const std::string damaged[] = { whole.substr(0, whole.size() - 3), std::string("\x00\xff<\x01", 4), "" };
        for (size_t i = 0; i < 3; i++) {
            WriteFile(path, damaged[i]);
            ASSERT_TRUE(kind.save(path));
            EXPECT_EQ(whole, ReadFile(path));
            std::string kept = path + ".damaged" + (i ? "." + std::to_string(i + 1) : std::string());
            EXPECT_EQ(damaged[i], ReadFile(kept)) << kept;
            EXPECT_NE(std::string::npos,
                      std::string(CResourceManager::MessageLog()->GetCurrentText()).find("kept as " + kept));

            // The saved file loads, so the next save keeps nothing more.
            ASSERT_TRUE(kind.save(path));
            EXPECT_FALSE(Exists(path + ".damaged." + std::to_string(i + 2)));
        }
        EXPECT_EQ(damaged[0], ReadFile(path + ".damaged"));
    }
}

// A folder that the process may not write: a failed save reports it and the
// old file stays, also when a damaged file should have been kept. Root may
// write anything, so the saves run in a child without privileges.
TEST_F(PuzzleSaveSafety, ASaveThatCannotBeWrittenFailsAndKeepsTheOldFile)
{
    const std::string old[] = { "<old/>", "<broken" };
    for (const FileKind& kind : kinds) {
        for (const std::string& text : old) {
            SCOPED_TRACE(std::string(kind.name) + " " + text);
            std::string path = folder + "/" + kind.name;
            WriteFile(path, text);
            chmod(path.c_str(), 0666);
            chmod(folder.c_str(), 0555);
            pid_t child = fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
                    _exit(2);
                _exit(kind.save(path) ? 1 : 0);
            }
            int status = 0;
            waitpid(child, &status, 0);
            chmod(folder.c_str(), 0755);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
            EXPECT_EQ(text, ReadFile(path));
            EXPECT_FALSE(Exists(path + ".damaged"));
        }
    }

    // The reason comes back to the caller.
    CHighScore table;
    EXPECT_FALSE(table.Save((folder + "/no/such/highscore.xml").c_str()));
    EXPECT_EQ(strerror(ENOENT), table.GetResultText());
    CLevelLoader loader;
    EXPECT_FALSE(loader.Save(folder.c_str()));
    EXPECT_EQ(strerror(EISDIR), loader.GetResultText());
}
