// The board's calls into the 3D side and the two visibility tests, which only
// look at stones that have a 3D object. Runs against the headless board view
// and stone object of the game library.
#include <gtest/gtest.h>

#include "CGameController.h"
#include "CGrid.h"
#include "CGridView.h"
#include "CStone.h"
#include "CStoneTypes.h"
#include "PuzzleTestHelpers.h"

namespace {

// Counts how many stone objects are destroyed.
int destroyedStones = 0;

class CountedStone : public CStone
{
public:
    virtual ~CountedStone() { destroyedStones++; }
};

// A board whose stones all have a 3D object, seen by a board view of a
// chosen yaw.
class PuzzleGridScene : public ::testing::Test
{
protected:
    void SetUp() override
    {
        destroyedStones = 0;
        CGameController::GetInstance()->gridView = &view;
    }

    void TearDown() override
    {
        CGameController::GetInstance()->gridView = nullptr;
    }

    void Stack(int x, int y, std::initializer_list<int> types)
    {
        for (int type : types) {
            grid.PlaceStone(x, y, type, 0.0f);
            int z = grid.GetHeight(x, y) - 1;
            grid.cells[x + y * 6 + z * 36]->stone = new CountedStone();
        }
    }

    CGridView view;
    CGrid grid { 6, 6, 6 };
};

const float QUARTER = 0.7853982f;

} // namespace

TEST_F(PuzzleGridScene, RemovalBurstsTheObjectAndSetsGravityOnTheFallingStones)
{
    Stack(1, 1, { STONE_BLUE, STONE_RED, STONE_BLUE });
    CStone* middle = grid.cells[1 + 6 + 36]->stone;
    CStone* top = grid.cells[1 + 6 + 72]->stone;

    grid.RemoveStone(1, 1, 0);

    EXPECT_EQ(1, destroyedStones);
    EXPECT_EQ(1, middle->gravity);
    EXPECT_EQ(1, top->gravity);
    // A copy shares the object; destroying it leaves the object alone.
    {
        CStoneInfo copy = grid.GetStoneInfo(1, 1, 0);
        EXPECT_EQ(middle, copy.stone);
    }
    EXPECT_EQ(1, destroyedStones);

    grid.Clear();
    EXPECT_EQ(3, destroyedStones);
}

TEST_F(PuzzleGridScene, EmptyCellsAndStonesWithoutObjectAreAlwaysOpenAndVisible)
{
    grid.PlaceStone(2, 2, STONE_RED, 0.0f);
    PlaceColumn(grid, 1, 2, { STONE_RED });
    PlaceColumn(grid, 2, 3, { STONE_RED });
    EXPECT_EQ(1, grid.IsOpenTowardsCamera(2, 2, 0, QUARTER));
    EXPECT_EQ(1, grid.IsOpenTowardsCamera(4, 4, 0, QUARTER));
    EXPECT_EQ(1, grid.IsVisibleTowardsCamera(4, 4, 0));
}

TEST_F(PuzzleGridScene, OpenTowardsCameraByQuadrant)
{
    // A stone in the middle with all four neighbours: closed in every quadrant.
    Stack(2, 2, { STONE_RED });
    Stack(1, 2, { STONE_RED });
    Stack(3, 2, { STONE_RED });
    Stack(2, 1, { STONE_RED });
    Stack(2, 3, { STONE_RED });
    for (float angle : { 0.1f, 2.0f, 3.5f, 5.0f })
        EXPECT_EQ(0, grid.IsOpenTowardsCamera(2, 2, 0, angle)) << angle;

    // Without (x - 1): open in the first two quadrants only.
    grid.RemoveStone(1, 2, 0);
    EXPECT_EQ(1, grid.IsOpenTowardsCamera(2, 2, 0, 0.1f));
    EXPECT_EQ(1, grid.IsOpenTowardsCamera(2, 2, 0, 2.0f));
    EXPECT_EQ(0, grid.IsOpenTowardsCamera(2, 2, 0, 3.5f));
    EXPECT_EQ(0, grid.IsOpenTowardsCamera(2, 2, 0, 5.0f));
    Stack(1, 2, { STONE_RED });

    // Without (y + 1): open in the first and the fourth quadrant.
    grid.RemoveStone(2, 3, 0);
    EXPECT_EQ(1, grid.IsOpenTowardsCamera(2, 2, 0, 0.1f));
    EXPECT_EQ(0, grid.IsOpenTowardsCamera(2, 2, 0, 2.0f));
    EXPECT_EQ(0, grid.IsOpenTowardsCamera(2, 2, 0, 3.5f));
    EXPECT_EQ(1, grid.IsOpenTowardsCamera(2, 2, 0, 5.0f));
}

TEST_F(PuzzleGridScene, OpenTowardsCameraWrapsTheAngleAndTreatsTheEdgeAsTaken)
{
    // At x = 0 in the first quadrant only (x, y + 1) matters.
    Stack(0, 2, { STONE_RED });
    EXPECT_EQ(1, grid.IsOpenTowardsCamera(0, 2, 0, QUARTER));
    Stack(0, 3, { STONE_RED });
    EXPECT_EQ(0, grid.IsOpenTowardsCamera(0, 2, 0, QUARTER));

    // yaw + angle = 7.0 wraps to about 0.717: still the first quadrant.
    view.yaw = 7.0f - QUARTER;
    EXPECT_EQ(0, grid.IsOpenTowardsCamera(0, 2, 0, QUARTER));
    // A negative sum wraps up into the fourth quadrant, where (x + 1) is free.
    view.yaw = 0.0f;
    EXPECT_EQ(1, grid.IsOpenTowardsCamera(0, 2, 0, -0.5f));
    // Angles that stay outside 0 .. 2 pi after one correction count as open.
    EXPECT_EQ(1, grid.IsOpenTowardsCamera(0, 2, 0, 20.0f));
}

TEST_F(PuzzleGridScene, VisibleTowardsCameraNeedsAStoneAboveAndTwoNeighbours)
{
    Stack(2, 2, { STONE_RED, STONE_RED });
    Stack(3, 2, { STONE_RED });    // x + 1
    Stack(2, 1, { STONE_RED });    // y - 1
    view.yaw = 0.5f;
    EXPECT_EQ(0, grid.IsVisibleTowardsCamera(2, 2, 0));
    // The top stone has nothing above it.
    EXPECT_EQ(1, grid.IsVisibleTowardsCamera(2, 2, 1));

    // The other quadrants look at other neighbours.
    view.yaw = 2.0f;
    EXPECT_EQ(1, grid.IsVisibleTowardsCamera(2, 2, 0));
    Stack(2, 3, { STONE_RED });    // y + 1
    EXPECT_EQ(0, grid.IsVisibleTowardsCamera(2, 2, 0));
    view.yaw = 3.5f;
    EXPECT_EQ(1, grid.IsVisibleTowardsCamera(2, 2, 0));
    Stack(1, 2, { STONE_RED });    // x - 1
    EXPECT_EQ(0, grid.IsVisibleTowardsCamera(2, 2, 0));
    view.yaw = 5.0f;
    EXPECT_EQ(0, grid.IsVisibleTowardsCamera(2, 2, 0));
    // The yaw is taken as it is: past 2 pi no quadrant applies.
    view.yaw = 6.5f;
    EXPECT_EQ(1, grid.IsVisibleTowardsCamera(2, 2, 0));
}

TEST_F(PuzzleGridScene, VisibleTowardsCameraTreatsTheEdgeAsEmpty)
{
    Stack(5, 2, { STONE_RED, STONE_RED });
    Stack(5, 1, { STONE_RED });
    view.yaw = 0.5f;
    EXPECT_EQ(1, grid.IsVisibleTowardsCamera(5, 2, 0));
    Stack(4, 2, { STONE_RED });
    view.yaw = 5.0f;
    EXPECT_EQ(0, grid.IsVisibleTowardsCamera(5, 2, 0));
}
