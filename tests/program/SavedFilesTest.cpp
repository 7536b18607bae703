// The program's two files stay safe: a second copy on the same media folder
// ends without touching them, a signal ends a run as closing its window does
// (nothing saved), and a FIFO or a folder in a file's place is reported and
// left as it is, without the program waiting on it.
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "ProgramRun.h"

namespace {

// Waits at most the seconds for the process to end; -1 when it had to be killed.
int WaitForEnd(pid_t pid, int seconds)
{
    int status = 0;
    for (int i = 0; i < seconds * 20; i++) {
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        usleep(50000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return -1;
}

bool WaitForFile(const std::string& path, int seconds)
{
    for (int i = 0; i < seconds * 20; i++) {
        if (access(path.c_str(), F_OK) == 0)
            return true;
        usleep(50000);
    }
    return false;
}

// The names in the media folder, with the bytes of the two saved files.
std::string FolderContent(const std::string& folder)
{
    std::string content;
    DIR* dir = opendir(folder.c_str());
    while (dirent* entry = dir ? readdir(dir) : nullptr) {
        std::string name = entry->d_name;
        content += name + "\n";
        if (name == "levels.xml" || name == "highscore.xml")
            content += ReadFileText(folder + "/" + name) + "\n";
    }
    if (dir)
        closedir(dir);
    return content;
}

std::string At(int frame, const std::string& command)
{
    return std::to_string(frame) + " " + command + "\n";
}

} // namespace

TEST(Program, ASecondCopyOnTheFolderEndsUntouchedAndASignalEndsTheFirstUnsaved)
{
    for (int signal : { SIGTERM, SIGINT }) {
        SCOPED_TRACE(signal);
        ProgramRun run("copies");
        ASSERT_TRUE(run.IsReady());
        std::string media = run.Folder() + "/media";
        std::string before = FolderContent(media);

        // The first copy runs on until it is told to end; its snapshot of
        // the second frame says it is under way.
        // A shell that started the tests in the background has them ignore
        // SIGINT, and the program keeps an ignored signal ignored.
        std::signal(SIGINT, SIG_DFL);
        std::string script = run.File("first_input.txt");
        std::ofstream(script) << At(2, "snapshot first.png");
        pid_t first = StartProgram(run.Folder(), "offscreen",
                                   { "ZARUL_FRAMES=1000000", "ZARUL_TIMESTEP=0.033333", "ZARUL_INPUT=" + script });
        ASSERT_NE(0, first);
        if (!WaitForFile(run.File("first.png"), 60)) {
            WaitForEnd(first, 0);
            FAIL() << "the first copy did not come up";
        }

        EXPECT_EQ(1, run.Run("", 10));
        EXPECT_NE(std::string::npos, run.Log().find("schon mit diesem Ordner")) << run.Log();
        EXPECT_EQ(before, FolderContent(media));

        // As closing the window: a normal end, nothing written.
        kill(first, signal);
        EXPECT_EQ(0, WaitForEnd(first, 20));
        EXPECT_EQ(before, FolderContent(media));
    }
}

// A FIFO in place of the level file is reported when Start finds no level to
// play; a folder in place of the best results when a game is left through "OK".
TEST(Program, AFifoAndAFolderInPlaceOfTheFilesAreReportedAndLeftAlone)
{
    for (bool fifo : { true, false }) {
        SCOPED_TRACE(fifo ? "fifo" : "folder");
        ProgramRun run("fifo");
        ASSERT_TRUE(run.IsReady());
        std::string levels = run.MediaFile("levels.xml");
        std::string scores = run.MediaFile("highscore.xml");
        unlink(scores.c_str());  // there only once a game has saved it
        if (fifo) {
            ASSERT_EQ(0, unlink(levels.c_str()));
            ASSERT_EQ(0, mkfifo(levels.c_str(), 0644));
        } else {
            ASSERT_EQ(0, mkdir(scores.c_str(), 0755));
        }

        // A game started and left through "OK", which saves both files.
        const int f = 200;
        std::string script = run.File("input.txt");
        std::ofstream(script) << At(f, "click left 0.5 0.55") << At(f + 15, "click left 0.5 0.49")
                              << At(f + 140, "key Escape") << At(f + 150, "click left 0.5 0.57");
        pid_t pid = StartProgram(run.Folder(), "offscreen",
                                 { "ZARUL_FRAMES=" + std::to_string(f + 180), "ZARUL_TIMESTEP=0.033333",
                                   "ZARUL_INPUT=" + script });
        ASSERT_NE(0, pid);
        EXPECT_EQ(0, WaitForEnd(pid, 120));
        std::string log = ReadFileText(run.File("stderr.txt"));
        struct stat info;
        if (fifo) {
            EXPECT_NE(std::string::npos, log.find("levels.xml (not a regular file)")) << log;
            EXPECT_TRUE(lstat(levels.c_str(), &info) == 0 && S_ISFIFO(info.st_mode));
        } else {
            EXPECT_NE(std::string::npos, log.find(std::string("highscore.xml (") + strerror(EISDIR) + ")")) << log;
            EXPECT_TRUE(lstat(scores.c_str(), &info) == 0 && S_ISDIR(info.st_mode));
        }
    }
}
