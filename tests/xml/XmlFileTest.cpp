// Loading and saving files, including saves that fail and must keep the old file.
#include "XmlProbe.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

static std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

static void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// Each test works in a folder of its own and checks that no temporary file stays.
class XmlFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/zarul-xml-XXXXXX";
        ASSERT_TRUE(mkdtemp(pattern));
        folder = pattern;
    }

    void TearDown() override { EXPECT_EQ(0, system(("rm -rf '" + folder + "'").c_str())); }

    std::string PathOf(const char* name) const { return folder + "/" + name; }

    int EntryCount() const
    {
        int count = 0;
        DIR* dir = opendir(folder.c_str());
        while (dirent* entry = dir ? readdir(dir) : nullptr)
            count += entry->d_name[0] != '.';
        if (dir)
            closedir(dir);
        return count;
    }

    std::string folder;
};

TEST_F(XmlFile, SaveAndLoadGiveTheSameDocument)
{
    // An empty document empties the file and leaves the result text alone.
    std::string path = PathOf("levels.xml");
    WriteFile(path, "old content");
    XmlProbe doc;
    ASSERT_TRUE(doc.Save(path.c_str()));
    EXPECT_EQ("", ReadFile(path));
    EXPECT_EQ("", doc.GetResultText());

    doc.AddElement("levels");
    doc.SetAttribute("completed", "2");
    doc.AddChildElement("level", "L\xE4ngs & <mehr>");
    ASSERT_TRUE(doc.Save(path.c_str()));
    std::string bytes = ReadFile(path);
    EXPECT_EQ(doc.GetDocText(), bytes);
    std::string count = std::to_string(bytes.size()) + " bytes";
    EXPECT_EQ(count, doc.GetResultText());

    XmlProbe back;
    ASSERT_TRUE(back.Load(path.c_str()));
    EXPECT_EQ(count, back.GetResultText());
    EXPECT_EQ(doc.GetDocText(), back.GetDocText());
    EXPECT_EQ("", CompareWithReparse(back));
    ASSERT_TRUE(back.FindChildElement("level"));
    EXPECT_EQ("2", back.GetAttribute("completed"));
    EXPECT_EQ("L\xE4ngs & <mehr>", back.GetChildText());
    EXPECT_EQ(1, EntryCount());  // no temporary file left behind
}

TEST_F(XmlFile, LoadFailuresKeepTheDocument)
{
    XmlProbe doc("<keep/>");
    EXPECT_FALSE(doc.Load(PathOf("missing.xml").c_str()));
    EXPECT_EQ(strerror(ENOENT), doc.GetResultText());
    EXPECT_FALSE(doc.Load(folder.c_str()));  // a folder is no file
    EXPECT_EQ(strerror(EISDIR), doc.GetResultText());
    EXPECT_EQ("<keep/>", doc.GetDocText());
    EXPECT_TRUE(doc.FindElement("keep"));

    // A file that does not parse is loaded all the same, with an empty index.
    std::string path = PathOf("broken.xml");
    std::string text = "<levels><level nr=\"1\"></level>  broken";
    text.resize(40, ' ');
    WriteFile(path, text);
    EXPECT_FALSE(doc.Load(path.c_str()));
    EXPECT_EQ("40 bytes, Element tag not found", doc.GetResultText());
    EXPECT_EQ(text, doc.GetDocText());
    EXPECT_FALSE(doc.HasRootElement());
    WriteFile(path, "");
    EXPECT_FALSE(doc.Load(path.c_str()));
    EXPECT_EQ("0 bytes", doc.GetResultText());
}

// A FIFO or a device in a file's place is neither read (a FIFO without a
// writer would block, /dev/zero never end) nor replaced, also while a reader
// has the FIFO open.
TEST_F(XmlFile, OnlyRegularFilesAreReadOrReplaced)
{
    std::string fifo = PathOf("levels.xml");
    ASSERT_EQ(0, mkfifo(fifo.c_str(), 0644));
    XmlProbe doc("<keep/>");
    for (const std::string& path : { fifo, std::string("/dev/zero") })
    {
        EXPECT_FALSE(doc.Load(path.c_str())) << path;
        EXPECT_EQ("not a regular file", doc.GetResultText());
        EXPECT_EQ("<keep/>", doc.GetDocText());
    }
    int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    EXPECT_FALSE(doc.Save(fifo.c_str()));
    EXPECT_EQ("not a regular file", doc.GetResultText());
    close(reader);
    struct stat info;
    ASSERT_EQ(0, lstat(fifo.c_str(), &info));
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    EXPECT_EQ(1, EntryCount());
}

TEST_F(XmlFile, ShortReadTakesOnlyTheBytesRead)
{
    // Kernel attribute files report a size of a page but hold a short text.
    const char* path = "/sys/devices/system/cpu/online";
    struct stat info;
    if (stat(path, &info) != 0 || info.st_size <= 64)
        GTEST_SKIP() << "no file whose size overstates its content";
    std::string content = ReadFile(path);
    ASSERT_LT(content.size(), (size_t)info.st_size);
    XmlProbe doc;
    EXPECT_FALSE(doc.Load(path));
    EXPECT_EQ(content, doc.GetDocText());
    EXPECT_EQ(std::to_string(content.size()) + " bytes, Element tag not found", doc.GetResultText());
}

TEST_F(XmlFile, FailedSaveKeepsTheOldFile)
{
    std::string path = PathOf("highscore.xml");
    WriteFile(path, "<old/>");
    XmlProbe doc;
    doc.AddElement("HighScores");
    doc.AddChildElement("puzzle", std::string(4000, 'x').c_str());

    // A file size limit makes the write fail half-way.
    struct rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit small = saved;
    small.rlim_cur = 1000;
    void (*oldHandler)(int) = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    bool written = doc.Save(path.c_str());
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(strerror(EFBIG), doc.GetResultText());
    EXPECT_EQ("<old/>", ReadFile(path));
    EXPECT_EQ(1, EntryCount());

    EXPECT_FALSE(doc.Save(PathOf("no/such.xml").c_str()));
    EXPECT_EQ(strerror(ENOENT), doc.GetResultText());
    mkdir(PathOf("dir").c_str(), 0755);
    EXPECT_FALSE(doc.Save(PathOf("dir").c_str()));
    EXPECT_EQ(strerror(EISDIR), doc.GetResultText());
    EXPECT_EQ(2, EntryCount());
}

TEST_F(XmlFile, WriteProtectedFileIsNotReplaced)
{
    // Root may write anything, so the save runs in a child without privileges.
    std::string path = PathOf("highscore.xml");
    WriteFile(path, "<old/>");
    chmod(path.c_str(), 0444);
    chmod(folder.c_str(), 0777);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
    {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(2);
        XmlProbe doc("<new/>");
        bool refused = !doc.Save(path.c_str()) && doc.GetResultText() == strerror(EACCES);
        _exit(refused ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ("<old/>", ReadFile(path));
}

TEST_F(XmlFile, SaveKeepsLinksAndPermissions)
{
    std::string real = PathOf("real.xml");
    std::string link = PathOf("link.xml");
    WriteFile(real, "<old/>");
    chmod(real.c_str(), 0640);
    ASSERT_EQ(0, symlink(real.c_str(), link.c_str()));

    XmlProbe doc("<new/>");
    ASSERT_TRUE(doc.Save(link.c_str()));
    struct stat info;
    ASSERT_EQ(0, lstat(link.c_str(), &info));
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ("<new/>", ReadFile(real));
    ASSERT_EQ(0, stat(real.c_str(), &info));
    EXPECT_EQ(0640u, info.st_mode & 07777);
}

TEST_F(XmlFile, SaveRemovesOnlyItsOwnStaleTemporaries)
{
    // Saves killed before their rename left these behind; files of other
    // names, and names that merely look alike, stay.
    const char* stale[] = { "levels.xml.tmp-a1B2c3", "levels.xml.tmp-ZZZZZZ" };
    const char* kept[] = { "levels.xml.backup", "levels.xml.tmp-abc", "levels.xml.tmp-abcdefg",
                           "highscore.xml.tmp-a1B2c3" };
    for (const char* name : stale)
        WriteFile(PathOf(name), "<half");
    for (const char* name : kept)
        WriteFile(PathOf(name), "<mine/>");
    // Another save is writing this one right now: it holds the lock on it.
    std::string writing = PathOf("levels.xml.tmp-Wr1t3s");
    WriteFile(writing, "<mine/>");
    int other = open(writing.c_str(), O_RDONLY);
    ASSERT_EQ(0, flock(other, LOCK_EX));

    XmlProbe doc("<new/>");
    ASSERT_TRUE(doc.Save(PathOf("levels.xml").c_str()));
    close(other);
    for (const char* name : stale)
        EXPECT_NE(0, access(PathOf(name).c_str(), F_OK)) << name;
    for (const char* name : kept)
        EXPECT_EQ("<mine/>", ReadFile(PathOf(name))) << name;
    EXPECT_EQ("<mine/>", ReadFile(writing));
    EXPECT_EQ(6, EntryCount());
}
