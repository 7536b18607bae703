// The level checker's command on a level file: its exit code and
// the lines it prints.
#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>

#include "PuzzleTestHelpers.h"

namespace {

struct CheckRun
{
    int exitCode;
    std::string output;     // stdout and stderr
};

CheckRun LevelCheck(const std::string& arguments)
{
    CheckRun run = { -1, "" };
    FILE* pipe = popen((std::string("'") + LEVELCHECK + "' 2>&1 " + arguments).c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof(buffer), pipe)) > 0)
        run.output.append(buffer, got);
    int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string Record(const char* element, int type, int x, int y, int z)
{
    return std::string("<") + element + " type=\"" + std::to_string(type) + "\"><position x=\"" + std::to_string(x) +
           "\" y=\"" + std::to_string(y) + "\" z=\"" + std::to_string(z) + "\"/></" + element + ">";
}

std::string Target(int x, int y)
{
    return Record("field", 1001, x, y, 0);
}

std::string Stone(int type, int x, int y, int z)
{
    return Record("stone", type, x, y, z);
}

// A file of one level named "t" with a finite stack unless a supply is given.
std::string LevelFile(const std::string& fields, const std::string& stones,
                      const std::string& supply = "<placeable mode=\"0\"/>")
{
    return "<levels completed=\"0\" last=\"1\"><level nr=\"1\" name=\"t\"><grid size=\"6\">" + fields + "</grid>" +
           supply + "<stones>" + stones + "</stones></level></levels>";
}

std::string Write(const std::string& name, const std::string& text)
{
    std::string path = TempPath(name);
    WriteFile(path, text);
    return path;
}

} // namespace

TEST(PuzzleLevelCheck, NamesPrintAsUtf8WhetherTheFileHoldsLatin1OrUtf8)
{
    std::string named = LevelFile(Target(0, 0), Stone(0, 3, 0, 0));
    named.replace(named.find("name=\"t\""), 8, "name=\"J\xF6rg \xC3\x84rger\"");
    CheckRun run = LevelCheck("--moves '" + Write("named.xml", named) + "'");
    EXPECT_EQ(0, run.exitCode);
    EXPECT_EQ("level 1 \"J\xC3\xB6rg \xC3\x84rger\": slide 3 0 0 1\n", run.output);
}
