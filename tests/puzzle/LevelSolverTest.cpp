// The level checker's search on small hand-made levels with known answers.
#include <gtest/gtest.h>

#include "CLevel.h"
#include "CLevelLoader.h"
#include "CLevelSolver.h"
#include "PuzzleTestHelpers.h"

namespace {

// Solves the only level of a level file made of the given inner text.
CLevelSolver::Result SolveLevel(const std::string& levelText, long limit = 100000)
{
    std::string path = TempPath("solver.xml");
    WriteFile(path, "<levels completed=\"0\" last=\"1\"><level nr=\"1\" name=\"t\">" + levelText + "</level></levels>");
    CLevelLoader loader;
    EXPECT_EQ(1, loader.Load(path.c_str()));
    CLevelSolver solver(limit);
    return solver.Solve(loader.GetLevel(1));
}

std::string Target(int x, int y)
{
    return "<field type=\"1001\"><position x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" z=\"0\"/></field>";
}

std::string Stone(int type, int x, int y, int z)
{
    return "<stone type=\"" + std::to_string(type) + "\"><position x=\"" + std::to_string(x) + "\" y=\"" +
           std::to_string(y) + "\" z=\"" + std::to_string(z) + "\"/></stone>";
}

} // namespace

TEST(LevelSolver, SlidesFindTheFewestMoves)
{
    // One slide along the row reaches the corner.
    CLevelSolver::Result one = SolveLevel("<grid size=\"6\">" + Target(0, 0) + "</grid><placeable mode=\"0\"/>"
                                          "<stones>" + Stone(0, 4, 0, 0) + "</stones>");
    EXPECT_EQ(CLevelSolver::SOLVED, one.outcome);
    EXPECT_EQ(1, one.moves);

    // From (2, 1) the corner takes two slides.
    CLevelSolver::Result two = SolveLevel("<grid size=\"6\">" + Target(0, 0) + "</grid><placeable mode=\"0\"/>"
                                          "<stones>" + Stone(0, 2, 1, 0) + "</stones>");
    EXPECT_EQ(CLevelSolver::SOLVED, two.outcome);
    EXPECT_EQ(2, two.moves);

    // A target in the middle of an empty board can never be reached by
    // sliding: a stone on the floor always slides to the edge.
    CLevelSolver::Result never = SolveLevel("<grid size=\"6\">" + Target(2, 2) + "</grid><placeable mode=\"0\"/>"
                                            "<stones>" + Stone(0, 0, 0, 0) + "</stones>");
    EXPECT_EQ(CLevelSolver::UNSOLVABLE, never.outcome);
    EXPECT_GT(never.states, 1);

    // A stopper stone makes it reachable: slide the special stone from
    // (0, 2) along the row to stop in front of the block at (3, 2).
    CLevelSolver::Result stopped = SolveLevel("<grid size=\"6\">" + Target(2, 2) + "</grid><placeable mode=\"0\"/>"
                                              "<stones>" + Stone(0, 0, 2, 0) + Stone(1, 3, 2, 0) + "</stones>");
    EXPECT_EQ(CLevelSolver::SOLVED, stopped.outcome);
    EXPECT_EQ(1, stopped.moves);
}

TEST(LevelSolver, StonesAboveTheFloorNeedSupport)
{
    // The special stone on a block slides onto the red on the target, which
    // is as high as the block, and stops there as the next column is lower.
    // A red from the stack beside the three reds bursts them, and the special
    // stone drops onto the target. Placing first leaves no support to slide on.
    std::string level = "<grid size=\"6\">" + Target(1, 0) + "</grid>"
                        "<placeable mode=\"0\"><stone type=\"4\"/></placeable><stones>" +
                        Stone(1, 0, 0, 0) + Stone(0, 0, 0, 1) + Stone(4, 1, 0, 0) + Stone(4, 1, 1, 0) +
                        Stone(4, 1, 2, 0) + "</stones>";
    CLevelSolver::Result result = SolveLevel(level);
    EXPECT_EQ(CLevelSolver::SOLVED, result.outcome);
    EXPECT_EQ(2, result.moves);
}

TEST(LevelSolver, PlacingFromTheStackInItsOrder)
{
    // Three reds on the target: place the red of the stack to burst them,
    // then the special stone.
    std::string level = "<grid size=\"6\">" + Target(0, 0) + "</grid>"
                        "<placeable mode=\"0\"><stone type=\"4\"/><stone type=\"0\"/></placeable><stones>" +
                        Stone(4, 0, 0, 0) + Stone(4, 0, 0, 1) + Stone(4, 0, 0, 2) + "</stones>";
    CLevelSolver::Result result = SolveLevel(level);
    EXPECT_EQ(CLevelSolver::SOLVED, result.outcome);
    EXPECT_EQ(2, result.moves);

    // With the special stone first it goes on top of the reds, and the red
    // placed beside them bursts them from under it.
    std::string swapped = "<grid size=\"6\">" + Target(0, 0) + "</grid>"
                          "<placeable mode=\"0\"><stone type=\"0\"/><stone type=\"4\"/></placeable><stones>" +
                          Stone(4, 0, 0, 0) + Stone(4, 0, 0, 1) + Stone(4, 0, 0, 2) + "</stones>";
    CLevelSolver::Result under = SolveLevel(swapped);
    EXPECT_EQ(CLevelSolver::SOLVED, under.outcome);
    EXPECT_EQ(2, under.moves);
}

TEST(LevelSolver, FieldValuesOfTheStackArePartOfTheState)
{
    // The target holds a block for good. The stack's target field can go on
    // any of the 36 columns, and each choice is a state of its own.
    std::string level = "<grid size=\"6\">" + Target(0, 0) + "</grid>"
                        "<placeable mode=\"0\"><stone type=\"1001\"/></placeable><stones>" +
                        Stone(1, 0, 0, 0) + "</stones>";
    CLevelSolver::Result result = SolveLevel(level);
    EXPECT_EQ(CLevelSolver::UNSOLVABLE, result.outcome);
    EXPECT_EQ(37, result.states);
}

TEST(LevelSolver, NoMovesAtAllIsUnsolvable)
{
    std::string level = "<grid size=\"6\">" + Target(0, 0) + "</grid><placeable mode=\"0\"/><stones>" +
                        Stone(1, 3, 3, 0) + "</stones>";
    CLevelSolver::Result result = SolveLevel(level);
    EXPECT_EQ(CLevelSolver::UNSOLVABLE, result.outcome);
    EXPECT_EQ(1, result.states);
}

TEST(LevelSolver, RandomSupplyIsSearchedWithSlidesOnly)
{
    std::string solvable = "<grid size=\"6\">" + Target(0, 5) + "</grid><placeable mode=\"1\"/><stones>" +
                           Stone(0, 0, 0, 0) + "</stones>";
    CLevelSolver::Result result = SolveLevel(solvable);
    EXPECT_EQ(CLevelSolver::SOLVED, result.outcome);
    EXPECT_EQ(1, result.moves);

    std::string open = "<grid size=\"6\">" + Target(2, 2) + "</grid><placeable mode=\"1\"/><stones>" +
                       Stone(0, 0, 0, 0) + "</stones>";
    EXPECT_EQ(CLevelSolver::NOT_PROVEN_RANDOM, SolveLevel(open).outcome);
}

TEST(LevelSolver, SearchLimit)
{
    std::string level = "<grid size=\"6\">" + Target(2, 2) + "</grid><placeable mode=\"0\"/><stones>" +
                        Stone(0, 0, 0, 0) + Stone(3, 5, 5, 0) + Stone(5, 5, 0, 0) + "</stones>";
    CLevelSolver::Result result = SolveLevel(level, 5);
    EXPECT_EQ(CLevelSolver::NOT_PROVEN_LIMIT, result.outcome);
}
