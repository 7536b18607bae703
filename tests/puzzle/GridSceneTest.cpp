// The board's calls into the scene that shows it, and the two visibility
// tests, which only look at stones that have a 3D object. A recording view
// stands in for the game's board view.
#include <gtest/gtest.h>

#include <string>

#include "CGrid.h"
#include "CStoneTypes.h"
#include "IBoardView.h"
#include "PuzzleTestHelpers.h"

namespace {

// Gives every stone a token object and writes down what the board asks of it,
// as "burst 1,1,0" lines.
class RecordingView : public IBoardView
{
public:
    virtual void AddStone(CStoneInfo* record, float delay)
    {
        (void)delay;
        record->stone = reinterpret_cast<CStone*>(&token);
        live++;
    }
    virtual void BurstStone(CStoneInfo* record) { Note("burst", record); DestroyStone(record); }
    virtual void DropStone(CStoneInfo* record) { Note("drop", record); }
    virtual void DestroyStone(CStoneInfo* record)
    {
        record->stone = nullptr;
        live--;
    }
    virtual float GetYaw() { return yaw; }

    void Note(const char* what, CStoneInfo* record) { log += std::string(what) + " " + RecordText(*record) + "\n"; }

    char token = 0;
    int live = 0;
    float yaw = 0.0f;
    std::string log;
};

// One angle inside each quadrant of the turn.
const float quadrantAngles[4] = { 0.1f, 2.0f, 3.5f, 5.0f };
const float QUARTER = 0.7853982f;

// A board whose stones all have a 3D object, seen by a view of a chosen yaw.
class PuzzleGridScene : public ::testing::Test
{
protected:
    void SetUp() override { grid.SetView(&view); }

    void Stack(int x, int y, int count)
    {
        for (int i = 0; i < count; i++)
            grid.PlaceStone(x, y, STONE_RED, 0.0f);
    }

    // Stone (2, 2) of the given height with one stone on each of its four sides.
    void Surround(int height)
    {
        Stack(2, 2, height);
        for (int i = 0; i < 4; i++)
            Stack(2 + sideX[i], 2 + sideY[i], 1);
    }

    const int sideX[4] = { -1, 1, 0, 0 };
    const int sideY[4] = { 0, 0, -1, 1 };
    RecordingView view;
    CGrid grid { 6, 6, 6 };
};

} // namespace

TEST_F(PuzzleGridScene, RemovalBurstsTheObjectAndDropsTheStonesAbove)
{
    Stack(1, 1, 3);
    EXPECT_EQ(3, view.live);

    grid.RemoveStone(1, 1, 0);
    EXPECT_EQ("burst 1,1,0 4\ndrop 1,1,0 4\ndrop 1,1,1 4\n", view.log);
    EXPECT_EQ(2, view.live);
    // A copy shares the object; destroying it leaves the object alone.
    {
        CStoneInfo copy = grid.GetStoneInfo(1, 1, 0);
        EXPECT_EQ(grid.cells[1 + 6]->stone, copy.stone);
    }
    EXPECT_EQ(2, view.live);

    // Clearing destroys the objects without a burst; so does a view that goes.
    grid.Clear();
    EXPECT_EQ(0, view.live);
    Stack(1, 1, 2);
    grid.SetView(nullptr);
    EXPECT_EQ(0, view.live);
    EXPECT_EQ(nullptr, grid.cells[1 + 6]->stone);
    EXPECT_EQ("burst 1,1,0 4\ndrop 1,1,0 4\ndrop 1,1,1 4\n", view.log);
}

TEST_F(PuzzleGridScene, EmptyCellsAndStonesWithoutObjectAreAlwaysOpenAndVisible)
{
    grid.SetView(nullptr);    // stones placed without a view get no 3D object
    Fill(grid, { { 2, 2, { STONE_RED, STONE_RED } }, { 1, 2, { STONE_RED } }, { 2, 3, { STONE_RED } } });
    EXPECT_EQ(1, grid.IsOpenTowardsCamera(2, 2, 0, QUARTER));
    EXPECT_EQ(1, grid.IsVisibleTowardsCamera(2, 2, 0));
    EXPECT_EQ(1, grid.IsOpenTowardsCamera(4, 4, 0, QUARTER));
    EXPECT_EQ(1, grid.IsVisibleTowardsCamera(4, 4, 0));
}

TEST_F(PuzzleGridScene, EachQuadrantLooksAtTwoSides)
{
    // Per side of the stone (x - 1, x + 1, y - 1, y + 1): the quadrants in
    // which that side, once free, opens the stone's sides to the camera, and
    // those in which it shows a stone that has another on top.
    const int opens[4][4] = { { 1, 1, 0, 0 }, { 0, 0, 1, 1 }, { 0, 1, 1, 0 }, { 1, 0, 0, 1 } };
    const int shows[4][4] = { { 0, 0, 1, 1 }, { 1, 1, 0, 0 }, { 1, 0, 0, 1 }, { 0, 1, 1, 0 } };
    Surround(2);
    for (int side = -1; side < 4; side++) {
        if (side >= 0)
            grid.RemoveStone(2 + sideX[side], 2 + sideY[side], 0);
        for (int q = 0; q < 4; q++) {
            view.yaw = quadrantAngles[q];
            EXPECT_EQ(side < 0 ? 0 : opens[side][q], grid.IsOpenTowardsCamera(2, 2, 0, 0.0f)) << side << " " << q;
            EXPECT_EQ(side < 0 ? 0 : shows[side][q], grid.IsVisibleTowardsCamera(2, 2, 0)) << side << " " << q;
            EXPECT_EQ(1, grid.IsVisibleTowardsCamera(2, 2, 1)) << q;    // nothing on top of it
        }
        if (side >= 0)
            Stack(2 + sideX[side], 2 + sideY[side], 1);
    }
    // The drawing test takes the yaw as it is: past 2 pi no quadrant applies.
    view.yaw = 6.5f;
    EXPECT_EQ(1, grid.IsVisibleTowardsCamera(2, 2, 0));
}

TEST_F(PuzzleGridScene, AnglesAndBoardEdges)
{
    // At x = 0 in the first quadrant only (x, y + 1) matters: the edge counts
    // as taken for the side test, in the corner on both sides.
    Stack(0, 2, 1);
    EXPECT_EQ(1, grid.IsOpenTowardsCamera(0, 2, 0, QUARTER));
    Stack(0, 3, 1);
    EXPECT_EQ(0, grid.IsOpenTowardsCamera(0, 2, 0, QUARTER));
    Stack(0, 5, 1);
    EXPECT_EQ(0, grid.IsOpenTowardsCamera(0, 5, 0, QUARTER));

    // yaw + angle = 7.0 wraps to about 0.717: still the first quadrant. A
    // negative sum wraps into the fourth, where (x + 1) is free. A sum still
    // outside 0 .. 2 pi after one correction counts as open.
    view.yaw = 7.0f - QUARTER;
    EXPECT_EQ(0, grid.IsOpenTowardsCamera(0, 2, 0, QUARTER));
    view.yaw = 0.0f;
    EXPECT_EQ(1, grid.IsOpenTowardsCamera(0, 2, 0, -0.5f));
    EXPECT_EQ(1, grid.IsOpenTowardsCamera(0, 2, 0, 20.0f));

    // A stone with nothing on top is drawn, whatever stands beside it.
    Stack(3, 3, 1);
    Stack(4, 3, 1);
    Stack(3, 2, 1);
    EXPECT_EQ(1, grid.IsVisibleTowardsCamera(3, 3, 0));
    Stack(3, 3, 1);
    EXPECT_EQ(0, grid.IsVisibleTowardsCamera(3, 3, 0));

    // For drawing, the edge counts as empty: at x = 5 in the first quadrant
    // (x + 1) is off the board; in the fourth (x - 1) and (y - 1) decide.
    Stack(5, 2, 2);
    Stack(5, 1, 1);
    view.yaw = 0.5f;
    EXPECT_EQ(1, grid.IsVisibleTowardsCamera(5, 2, 0));
    Stack(4, 2, 1);
    view.yaw = 5.0f;
    EXPECT_EQ(0, grid.IsVisibleTowardsCamera(5, 2, 0));
}
