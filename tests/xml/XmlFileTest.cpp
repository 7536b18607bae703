// Loading and saving files, including a save that fails half-way.
#include "XmlProbe.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

class XmlFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/zarul-xml-XXXXXX";
        ASSERT_TRUE(mkdtemp(pattern));
        folder = pattern;
    }

    void TearDown() override
    {
        for (const std::string& name : FolderEntries())
            unlink((folder + "/" + name).c_str());
        rmdir(folder.c_str());
    }

    std::string PathOf(const char* name) const { return folder + "/" + name; }

    std::vector<std::string> FolderEntries() const
    {
        std::vector<std::string> names;
        DIR* dir = opendir(folder.c_str());
        if (!dir)
            return names;
        while (dirent* entry = readdir(dir))
        {
            if (strcmp(entry->d_name, ".") != 0 && strcmp(entry->d_name, "..") != 0)
                names.push_back(entry->d_name);
        }
        closedir(dir);
        return names;
    }

    static std::string ReadFile(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

    static void WriteFile(const std::string& path, const std::string& bytes)
    {
        std::ofstream out(path, std::ios::binary);
        out << bytes;
    }

    std::string folder;
};

TEST_F(XmlFile, SaveOfAnEmptyDocumentWritesNothing)
{
    std::string path = PathOf("empty.xml");
    WriteFile(path, "old content");
    XmlProbe doc;
    ASSERT_TRUE(doc.Save(path.c_str()));
    EXPECT_EQ("", ReadFile(path));
    EXPECT_EQ("", doc.GetResultText());
    EXPECT_EQ(1u, FolderEntries().size());
}

TEST_F(XmlFile, SaveAndLoadGiveTheSameDocument)
{
    XmlProbe doc;
    doc.AddElement("levels");
    doc.SetAttribute("completed", "2");
    doc.AddChildElement("level", "L\xE4ngs & <mehr>");
    std::string path = PathOf("levels.xml");
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

    // Saving again over the file replaces it and leaves no other file behind.
    back.SetChildAttribute("nr", "1");
    ASSERT_TRUE(back.Save(path.c_str()));
    EXPECT_EQ(back.GetDocText(), ReadFile(path));
    EXPECT_EQ(1u, FolderEntries().size());
}

TEST_F(XmlFile, LoadFailuresKeepTheDocument)
{
    XmlProbe doc("<keep/>");
    EXPECT_FALSE(doc.Load(PathOf("missing.xml").c_str()));
    EXPECT_EQ(strerror(ENOENT), doc.GetResultText());
    EXPECT_EQ("<keep/>", doc.GetDocText());
    EXPECT_TRUE(doc.FindElement("keep"));

    EXPECT_FALSE(doc.Load(folder.c_str()));  // a folder is no file
    EXPECT_FALSE(doc.GetResultText().empty());
    EXPECT_EQ("<keep/>", doc.GetDocText());
}

TEST_F(XmlFile, LoadOfABrokenFileReportsSizeAndError)
{
    std::string path = PathOf("broken.xml");
    std::string text = "<levels><level nr=\"1\"></level>  broken";
    text.resize(40, ' ');
    WriteFile(path, text);
    XmlProbe doc;
    EXPECT_FALSE(doc.Load(path.c_str()));
    EXPECT_EQ("40 bytes, Element tag not found", doc.GetResultText());
    EXPECT_EQ(text, doc.GetDocText());
    EXPECT_FALSE(doc.HasRootElement());

    WriteFile(path, "");
    EXPECT_FALSE(doc.Load(path.c_str()));
    EXPECT_EQ("0 bytes", doc.GetResultText());
    EXPECT_EQ("", doc.GetDocText());
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
    bool saved_ok = doc.Save(path.c_str());
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved_ok);
    EXPECT_EQ(strerror(EFBIG), doc.GetResultText());
    EXPECT_EQ("<old/>", ReadFile(path));
    EXPECT_EQ(1u, FolderEntries().size());  // the temporary file is gone

    // A folder that does not exist.
    EXPECT_FALSE(doc.Save(PathOf("no/such.xml").c_str()));
    EXPECT_EQ(strerror(ENOENT), doc.GetResultText());

    // A target that cannot be replaced.
    mkdir(PathOf("dir").c_str(), 0755);
    WriteFile(PathOf("dir/inner"), "x");
    EXPECT_FALSE(doc.Save(PathOf("dir").c_str()));
    EXPECT_FALSE(doc.GetResultText().empty());
    EXPECT_EQ("x", ReadFile(PathOf("dir/inner")));
    unlink(PathOf("dir/inner").c_str());
    rmdir(PathOf("dir").c_str());
    EXPECT_EQ(1u, FolderEntries().size());
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
    EXPECT_FALSE(doc.Load(path));  // no element in it
    EXPECT_EQ(content, doc.GetDocText());
    EXPECT_EQ(std::to_string(content.size()) + " bytes, Element tag not found", doc.GetResultText());
}
