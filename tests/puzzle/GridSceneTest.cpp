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
