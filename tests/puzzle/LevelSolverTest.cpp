// The level checker's search on small hand-made levels with known answers.
#include <gtest/gtest.h>

#include "CLevel.h"
#include "CLevelLoader.h"
#include "CLevelSolver.h"
#include "PuzzleTestHelpers.h"

namespace {

std::string Target(int x, int y)
{
    return "<field type=\"1001\"><position x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" z=\"0\"/></field>";
}

std::string Stone(int type, int x, int y, int z)
{
    return "<stone type=\"" + std::to_string(type) + "\"><position x=\"" + std::to_string(x) + "\" y=\"" +
           std::to_string(y) + "\" z=\"" + std::to_string(z) + "\"/></stone>";
}

// The placeable element: a mode and the types in the order offered.
std::string Supply(int mode, std::initializer_list<int> types = {})
{
    std::string text = "<placeable mode=\"" + std::to_string(mode) + "\">";
    for (int type : types)
        text += "<stone type=\"" + std::to_string(type) + "\"/>";
    return text + "</placeable>";
}

// Solves a level file of one level made of its fields, supply and stones.
CLevelSolver::Result Solve(const std::string& fields, const std::string& supply, const std::string& stones,
                           long limit = 100000)
{
    std::string path = TempPath("solver.xml");
    WriteFile(path, "<levels completed=\"0\" last=\"1\"><level nr=\"1\" name=\"t\"><grid size=\"6\">" + fields +
                    "</grid>" + supply + "<stones>" + stones + "</stones></level></levels>");
    CLevelLoader loader;
    EXPECT_EQ(1, loader.Load(path.c_str()));
    CLevelSolver solver(limit);
    return solver.Solve(loader.GetLevel(1));
}

void ExpectSolved(int moves, const CLevelSolver::Result& result)
{
    EXPECT_EQ(CLevelSolver::SOLVED, result.outcome);
    EXPECT_EQ(moves, result.moves);
}

} // namespace

TEST(PuzzleLevelSolver, SlidesFindTheFewestMoves)
{
    // One slide along the row reaches the corner.
    ExpectSolved(1, Solve(Target(0, 0), Supply(0), Stone(0, 4, 0, 0)));
    // From (2, 1) the corner takes two slides.
    ExpectSolved(2, Solve(Target(0, 0), Supply(0), Stone(0, 2, 1, 0)));

    // A target in the middle of an empty board can never be reached: a stone
    // on the floor always slides to the edge.
    CLevelSolver::Result never = Solve(Target(2, 2), Supply(0), Stone(0, 0, 0, 0));
    EXPECT_EQ(CLevelSolver::UNSOLVABLE, never.outcome);
    EXPECT_GT(never.states, 1);

    // A block stops the special stone right on the target.
    ExpectSolved(1, Solve(Target(2, 2), Supply(0), Stone(0, 0, 2, 0) + Stone(1, 3, 2, 0)));

    // Nothing to place and nothing to slide: only the start state.
    CLevelSolver::Result stuck = Solve(Target(0, 0), Supply(0), Stone(1, 3, 3, 0));
    EXPECT_EQ(CLevelSolver::UNSOLVABLE, stuck.outcome);
    EXPECT_EQ(1, stuck.states);
}

TEST(PuzzleLevelSolver, StonesAboveTheFloorNeedSupport)
{
    // The special stone on a block slides onto the red on the target, which
    // is as high as the block, and stops there as the next column is lower.
    // A red from the stack beside the three reds bursts them, and the special
    // stone drops onto the target. Placing first leaves no support to slide on.
    ExpectSolved(2, Solve(Target(1, 0), Supply(0, { 4 }),
                          Stone(1, 0, 0, 0) + Stone(0, 0, 0, 1) + Stone(4, 1, 0, 0) + Stone(4, 1, 1, 0) +
                              Stone(4, 1, 2, 0)));
}

TEST(PuzzleLevelSolver, PlacingFromTheStackInItsOrder)
{
    std::string reds = Stone(4, 0, 0, 0) + Stone(4, 0, 0, 1) + Stone(4, 0, 0, 2);
    // Three reds on the target: the red of the stack bursts them, then the
    // special stone goes on the empty target.
    ExpectSolved(2, Solve(Target(0, 0), Supply(0, { 4, 0 }), reds));
    // With the special stone first it goes on top of the reds, and the red
    // placed beside them bursts them from under it.
    ExpectSolved(2, Solve(Target(0, 0), Supply(0, { 0, 4 }), reds));
}

TEST(PuzzleLevelSolver, FieldValuesOfTheStackArePartOfTheState)
{
    // The target holds a block for good. The stack's target field can go on
    // any of the 36 columns, and each choice is a state of its own.
    CLevelSolver::Result result = Solve(Target(0, 0), Supply(0, { 1001 }), Stone(1, 0, 0, 0));
    EXPECT_EQ(CLevelSolver::UNSOLVABLE, result.outcome);
    EXPECT_EQ(37, result.states);
}

TEST(PuzzleLevelSolver, FullColumnsTakeNoStone)
{
    // Every column but one is full of blocks; the stack's red can only go on
    // the free column (0, 0), whose three reds it bursts.
    std::string stones = Stone(4, 0, 0, 0) + Stone(4, 0, 0, 1) + Stone(4, 0, 0, 2);
    for (int column = 1; column < 36; column++)
        for (int z = 0; z < 15; z++)
            stones += Stone(1, column % 6, column / 6, z);
    CLevelSolver::Result result = Solve(Target(0, 0), Supply(0, { 4 }), stones);
    EXPECT_EQ(CLevelSolver::UNSOLVABLE, result.outcome);
    EXPECT_EQ(2, result.states);
}

TEST(PuzzleLevelSolver, RandomSupplyIsSearchedWithSlidesOnlyAndTheSearchHasALimit)
{
    ExpectSolved(1, Solve(Target(0, 5), Supply(1), Stone(0, 0, 0, 0)));
    EXPECT_EQ(CLevelSolver::NOT_PROVEN_RANDOM, Solve(Target(2, 2), Supply(1), Stone(0, 0, 0, 0)).outcome);
    EXPECT_EQ(CLevelSolver::NOT_PROVEN_LIMIT,
              Solve(Target(2, 2), Supply(0), Stone(0, 0, 0, 0) + Stone(3, 5, 5, 0) + Stone(5, 5, 0, 0), 5).outcome);
}

TEST(PuzzleLevelSolver, ATapOnAStuckStoneRunsTheGroupPasses)
{
    // The goal is met from the start, but the start pass tests no goal: a
    // click on the special stone, which the blocks keep from sliding, wins.
    std::string walled = Stone(1, 1, 0, 0) + Stone(1, 0, 1, 0);
    CLevelSolver::Result met = Solve(Target(0, 0), Supply(0), Stone(0, 0, 0, 0) + walled);
    ExpectSolved(1, met);
    ASSERT_EQ(1u, met.path.size());
    EXPECT_EQ("tap 0 0 0", CLevelSolver::MoveText(met.path[0]));

    // The start pass bursts the four blues; the red on top drops beside three
    // reds, which burst only in the next pass, and the special stone on them
    // drops onto the target. The tap must be on a stone that cannot slide.
    std::string chain = Stone(2, 0, 1, 0) + Stone(2, 0, 1, 1) + Stone(2, 0, 1, 2) + Stone(2, 0, 1, 3) +
                        Stone(4, 0, 1, 4) + Stone(4, 0, 0, 0) + Stone(4, 0, 0, 1) + Stone(4, 0, 0, 2) +
                        Stone(0, 0, 0, 3) + Stone(1, 1, 0, 0) + Stone(1, 1, 0, 1) + Stone(1, 1, 0, 2) +
                        Stone(1, 1, 0, 3) + Stone(1, 1, 0, 4);
    CLevelSolver::Result chained = Solve(Target(0, 0), Supply(0), chain);
    ExpectSolved(1, chained);
    ASSERT_EQ(1u, chained.path.size());
    EXPECT_EQ("tap", CLevelSolver::MoveText(chained.path[0]).substr(0, 3));

    // Without a stuck movable stone there is no tap: a lone special stone on
    // its target slides away with every move.
    EXPECT_EQ(CLevelSolver::UNSOLVABLE, Solve(Target(2, 2), Supply(0), Stone(0, 2, 2, 0)).outcome);
}
