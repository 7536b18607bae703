// levelcheck [--moves] FILE: loads a level file, checks each level's content
// and searches the fewest moves that win it. See Usage() for the output and
// the exit codes.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "CLevel.h"
#include "CLevelLoader.h"
#include "CLevelSolver.h"
#include "CLevelValidator.h"
#include "TextEncoding.h"

// States searched per level before the answer is "not proven".
static const long STATE_LIMIT = 500000;

enum
{
    EXIT_PROVEN = 0,
    EXIT_UNSOLVABLE = 1,
    EXIT_UNREADABLE = 2,
    EXIT_NOT_PROVEN = 3
};

static void Usage(FILE* out)
{
    fprintf(out,
            "usage: levelcheck [--moves] FILE\n"
            "\n"
            "Checks every level of a level file: its stones and fields must lie on the\n"
            "6 x 6 board below the top layer and have known types, it needs a target\n"
            "field and at least as many special stones (board and stack) as target\n"
            "fields. Then it searches the fewest moves that win the level.\n"
            "\n"
            "  (no option)  one line per level: \"solvable in N moves\", \"unsolvable\",\n"
            "               \"not proven (...)\" or its content errors, then the search speed\n"
            "  --moves      one line per level, in file order:\n"
            "                 level <nr> \"<name>\": <move>; <move>; ...\n"
            "               each move \"place x y\", \"slide x y z d\" (d: 0 row+1, 1 column-1,\n"
            "               2 row-1, 3 column+1) or \"tap x y z\" (a click on a movable stone\n"
            "               that cannot slide); \"none\" when no win is proven\n"
            "  --help       this text\n"
            "\n"
            "Exit codes:\n"
            "  0  every level is proven winnable\n"
            "  1  a level is unsolvable or its content is faulty\n"
            "  2  the file cannot be read (missing, a folder, not well-formed XML, no\n"
            "     levels) or the command line is wrong\n"
            "  3  a level could not be proven either way (search limit, random supply)\n"
            "     and none is unsolvable or faulty\n");
}

// The level's name as printed: UTF-8, with control bytes escaped so that one
// level stays on one line.
static std::string PrintedName(CLevel* level)
{
    return EscapeUnprintable(level->name);
}

static void PrintResult(int number, CLevel* level, const CLevelSolver::Result& result)
{
    printf("level %d \"%s\": ", number, PrintedName(level).c_str());
    switch (result.outcome) {
    case CLevelSolver::SOLVED:
        printf("solvable in %d %s\n", result.moves, result.moves == 1 ? "move" : "moves");
        break;
    case CLevelSolver::UNSOLVABLE:
        printf("unsolvable\n");
        break;
    case CLevelSolver::NOT_PROVEN_LIMIT:
        printf("not proven (search limit of %ld states)\n", STATE_LIMIT);
        break;
    case CLevelSolver::NOT_PROVEN_RANDOM:
        printf("not proven (random supply; the search does not place)\n");
        break;
    }
}

static void PrintMoves(int number, CLevel* level, const CLevelSolver::Result* result)
{
    printf("level %d \"%s\": ", number, PrintedName(level).c_str());
    if (!result || result->outcome != CLevelSolver::SOLVED) {
        printf("none\n");
        return;
    }
    for (size_t i = 0; i < result->path.size(); i++)
        printf("%s%s", i ? "; " : "", CLevelSolver::MoveText(result->path[i]).c_str());
    printf("\n");
}

int main(int argc, char** argv)
{
    bool listMoves = false;
    const char* path = nullptr;
    for (int i = 1; i < argc; i++) {
        if (!strcmp(argv[i], "--help") || !strcmp(argv[i], "-h")) {
            Usage(stdout);
            return EXIT_PROVEN;
        }
        if (!strcmp(argv[i], "--moves") && !listMoves) {
            listMoves = true;
        } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
            fprintf(stderr, "levelcheck: unknown option %s\n", argv[i]);
            Usage(stderr);
            return EXIT_UNREADABLE;
        } else if (!path) {
            path = argv[i];
        } else {
            Usage(stderr);
            return EXIT_UNREADABLE;
        }
    }
    if (!path) {
        Usage(stderr);
        return EXIT_UNREADABLE;
    }

    // The loader's text is the XML document's own: the system's error for a
    // file that cannot be opened or read, the parse error for one that does not parse.
    int exitCode = EXIT_PROVEN;
    {
        CLevelLoader loader;
        if (!loader.Load(path)) {
            fprintf(stderr, "levelcheck: %s: %s\n", path, loader.GetResultText().c_str());
            return EXIT_UNREADABLE;
        }
        if (loader.GetLevelCount() == 0) {
            fprintf(stderr, "levelcheck: %s holds no levels\n", path);
            return EXIT_UNREADABLE;
        }

        bool unsolvable = false;
        bool notProven = false;
        long states = 0;
        double seconds = 0.0;
        CLevelSolver solver(STATE_LIMIT);
        for (int n = 1; n <= loader.GetLevelCount(); n++) {
            CLevel* level = loader.GetLevel(n);
            std::vector<std::string> faults = CLevelValidator::Check(level, CLevelSolver::BOARD_SIZE);
            if (!faults.empty()) {
                for (size_t i = 0; i < faults.size(); i++)
                    fprintf(listMoves ? stderr : stdout, "level %d \"%s\": error: %s\n", n,
                            PrintedName(level).c_str(), faults[i].c_str());
                if (listMoves)
                    PrintMoves(n, level, nullptr);
                unsolvable = true;
                fflush(stdout);
                continue;
            }
            CLevelSolver::Result result = solver.Solve(level);
            if (listMoves)
                PrintMoves(n, level, &result);
            else
                PrintResult(n, level, result);
            fflush(stdout);
            if (result.outcome == CLevelSolver::UNSOLVABLE)
                unsolvable = true;
            else if (result.outcome != CLevelSolver::SOLVED)
                notProven = true;
            states += result.states;
            seconds += result.seconds;
        }
        if (!listMoves)
            printf("searched %ld states in %.3f s (%.0f states per second)\n", states, seconds,
                   seconds > 0.0 ? states / seconds : 0.0);
        if (unsolvable)
            exitCode = EXIT_UNSOLVABLE;
        else if (notProven)
            exitCode = EXIT_NOT_PROVEN;
    }

    return exitCode;
}
