// The level checker's command on good and bad level files: its exit code and
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

TEST(PuzzleLevelCheck, FaultyLevelsAreErrors)
{
    std::string column;
    for (int z = 0; z < 16; z++)
        column += Stone(4 + z % 2, 3, 3, z % 15);
    struct Case
    {
        std::string file;
        const char* message;
    } cases[] = {
        { LevelFile(Target(0, 0), Stone(0, 6, 0, 0)), "stone 1 at 6, 0, 0 lies off the board" },
        { LevelFile(Target(0, 0), Stone(0, 1, -1, 0)), "stone 1 at 1, -1, 0 lies off the board" },
        { LevelFile(Target(0, 0), Stone(0, 1, 0, 15)), "stone 1 at 1, 0, 15 lies above the top layer" },
        { LevelFile(Target(0, 0), Stone(0, 1, 0, 0) + column), "column 3, 3 holds more stones than its 15 layers" },
        { LevelFile(Target(0, 0), Stone(0, 1, 0, 0) + Stone(9, 2, 0, 0)), "stone 2 at 2, 0, 0 has the unknown type 9" },
        { LevelFile(Target(0, 0), Stone(1001, 1, 0, 0)), "stone 1 at 1, 0, 0 has the field type 1001 as a stone" },
        { LevelFile(Record("field", 1001, -1, 0, 0) + Target(0, 0), Stone(0, 1, 0, 0)),
          "field 1 at -1, 0, 0 lies off the board" },
        { LevelFile(Record("field", 5, 2, 2, 0) + Target(0, 0), Stone(0, 1, 0, 0)),
          "field 1 at 2, 2, 0 has the unknown field type 5" },
        { LevelFile("", Stone(0, 1, 0, 0)), "no target field" },
        { LevelFile(Target(0, 0) + Target(5, 5), Stone(0, 1, 0, 0)), "1 special stones for 2 target fields" },
        { LevelFile(Target(0, 0), Stone(0, 1, 0, 0), "<placeable mode=\"0\"><stone type=\"12\"/></placeable>"),
          "stack stone 1 has the unknown type 12" },
    };
    for (const Case& c : cases) {
        CheckRun run = LevelCheck(Write("faulty.xml", c.file));
        EXPECT_EQ(1, run.exitCode) << c.message;
        EXPECT_NE(std::string::npos, run.output.find(std::string("level 1 \"t\": error: ") + c.message)) << run.output;
    }

    // With --moves a faulty level has no moves; the error goes to stderr.
    std::string faulty = Write("faulty.xml", LevelFile("", Stone(0, 1, 0, 0)));
    CheckRun moves = LevelCheck("--moves '" + faulty + "' 2>/dev/null");
    EXPECT_EQ(1, moves.exitCode);
    EXPECT_EQ("level 1 \"t\": none\n", moves.output);
}

TEST(PuzzleLevelCheck, ExitCodesAndMessages)
{
    std::string broken = Write("broken.xml", "<levels><level nr=\"1\">");
    std::string good = Write("good.xml", LevelFile(Target(0, 0), Stone(0, 3, 0, 0)));
    struct Case
    {
        std::string arguments;
        int exitCode;
        std::string output;     // the whole output, or its start when it ends in "..."
    } cases[] = {
        { "'" + good + "'", 0, "level 1 \"t\": solvable in 1 move\nsearched ..." },
        { "--moves '" + good + "'", 0, "level 1 \"t\": slide 3 0 0 1\n" },
        { "'" + Write("unsolvable.xml", LevelFile(Target(2, 2), Stone(0, 0, 0, 0))) + "'", 1,
          "level 1 \"t\": unsolvable\n..." },
        { "'" + Write("random.xml", LevelFile(Target(2, 2), Stone(0, 0, 0, 0), "<placeable mode=\"1\"/>")) + "'", 3,
          "level 1 \"t\": not proven (random supply; the search does not place)\n..." },
        { "'" + broken + "'", 2, "levelcheck: " + broken + ": 22 bytes, " },
        { "'" + TempPath("missing.xml") + "'", 2, "levelcheck: " + TempPath("missing.xml") + ": No such file or directory\n" },
        { "/", 2, "levelcheck: /: Is a directory\n" },
        { "'" + Write("empty.xml", "<levels completed=\"0\" last=\"1\"/>") + "'", 2, "levelcheck: ..." },
        { "", 2, "usage: levelcheck [--moves] FILE\n..." },
        { "--frobnicate '" + good + "'", 2, "levelcheck: unknown option --frobnicate\n..." },
        { "--help", 0, "usage: levelcheck [--moves] FILE\n..." },
    };
    for (const Case& c : cases) {
        CheckRun run = LevelCheck(c.arguments);
        EXPECT_EQ(c.exitCode, run.exitCode) << c.arguments << "\n" << run.output;
        size_t dots = c.output.size() >= 3 ? c.output.rfind("...") : std::string::npos;
        if (dots != std::string::npos && dots == c.output.size() - 3)
            EXPECT_EQ(c.output.substr(0, dots), run.output.substr(0, dots)) << c.arguments;
        else if (c.exitCode == 2 && c.output.back() == ' ')
            EXPECT_EQ(c.output, run.output.substr(0, c.output.size())) << c.arguments;
        else
            EXPECT_EQ(c.output, run.output) << c.arguments;
    }

    // The help names every exit code.
    std::string help = LevelCheck("--help").output;
    for (const char* code : { "  0  every level", "  1  a level is unsolvable", "  2  the file cannot be read",
                              "  3  a level could not be proven" })
        EXPECT_NE(std::string::npos, help.find(code)) << code;
}

TEST(PuzzleLevelCheck, NamesPrintAsUtf8WhetherTheFileHoldsLatin1OrUtf8)
{
    std::string named = LevelFile(Target(0, 0), Stone(0, 3, 0, 0));
    named.replace(named.find("name=\"t\""), 8, "name=\"J\xF6rg \xC3\x84rger\"");
    CheckRun run = LevelCheck("--moves '" + Write("named.xml", named) + "'");
    EXPECT_EQ(0, run.exitCode);
    EXPECT_EQ("level 1 \"J\xC3\xB6rg \xC3\x84rger\": slide 3 0 0 1\n", run.output);
}
