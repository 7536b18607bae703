// levelcheck FILE: loads a level file and, for every level, searches the
// fewest moves that win it. Prints one line per level and a summary of the
// search speed; exits with 1 when a level cannot be won, 2 when the file
// cannot be read.
#include <cstdio>

#include "CGameController.h"
#include "CLevel.h"
#include "CLevelLoader.h"
#include "CLevelSolver.h"

// States searched per level before the answer is "not proven".
static const long STATE_LIMIT = 500000;

static void PrintResult(int number, CLevel* level, const CLevelSolver::Result& result)
{
    printf("level %d \"%s\": ", number, level->name.c_str());
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
        printf("not proven (random supply; slides alone do not win it)\n");
        break;
    }
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: levelcheck FILE\n");
        return 2;
    }

    CLevelLoader loader;
    if (!loader.Load(argv[1])) {
        fprintf(stderr, "levelcheck: cannot read the level file %s\n", argv[1]);
        return 2;
    }
    if (loader.GetLevelCount() == 0) {
        fprintf(stderr, "levelcheck: %s holds no levels\n", argv[1]);
        return 2;
    }

    int exitCode = 0;
    long states = 0;
    double seconds = 0.0;
    {
        CLevelSolver solver(STATE_LIMIT);
        for (int n = 1; n <= loader.GetLevelCount(); n++) {
            CLevel* level = loader.GetLevel(n);
            CLevelSolver::Result result = solver.Solve(level);
            PrintResult(n, level, result);
            fflush(stdout);
            if (result.outcome == CLevelSolver::UNSOLVABLE)
                exitCode = 1;
            states += result.states;
            seconds += result.seconds;
        }
    }
    printf("searched %ld states in %.3f s (%.0f states per second)\n",
           states, seconds, seconds > 0.0 ? states / seconds : 0.0);

    CGameController::DestroyInstance();
    return exitCode;
}
