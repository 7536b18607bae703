// Picking: the pointer over a cell, a stone or a place on a stone's top face
// must name what the player sees there, at any turn of the board and tilt of
// the camera.
#include <cmath>

#include "BoardTestSupport.h"
#include "CGameController.h"
#include "CGrid.h"
#include "CGridView.h"
#include "CStone.h"
#include "CStoneInfo.h"
#include "CStoneTypes.h"

namespace {

const float YAWS[] = { 0.0f, 0.9f, 2.6f, 4.4f };
// The game-start eye, one tilted up towards overhead, one tilted down.
const D3DXVECTOR3 EYES[] = { GAME_EYE, D3DXVECTOR3(3.2f, 30.4f, -19.0f), D3DXVECTOR3(3.2f, 15.0f, -32.6f) };

// Where the ray enters the box, or a negative value when it misses it.
float EnterBox(D3DXVECTOR3 origin, D3DXVECTOR3 direction, D3DXVECTOR3 low, D3DXVECTOR3 high)
{
    float enter = 0.0f, leave = 1e30f;
    const float* o = &origin.x;
    const float* d = &direction.x;
    const float* lo = &low.x;
    const float* hi = &high.x;
    for (int axis = 0; axis < 3; axis++) {
        if (std::fabs(d[axis]) < 1e-12f) {
            if (o[axis] < lo[axis] || o[axis] > hi[axis])
                return -1.0f;
            continue;
        }
        float t1 = (lo[axis] - o[axis]) / d[axis];
        float t2 = (hi[axis] - o[axis]) / d[axis];
        if (t1 > t2)
            std::swap(t1, t2);
        enter = std::max(enter, t1);
        leave = std::min(leave, t2);
    }
    return enter <= leave ? enter : -1.0f;
}

}

TEST_F(BoardTest, PointerOverEachCellPicksThatCell)
{
    for (D3DXVECTOR3 from : EYES) {
        LookFrom(from);
        for (float yaw : YAWS) {
            Turn(yaw);
            for (int row = 0; row < 6; row++) {
                for (int column = 0; column < 6; column++) {
                    CStoneInfo cell(column, row, 0, STONE_RED, "");
                    D3DXVECTOR3 centre = view->CellToWorld(&cell);
                    centre.y = view->floorTop;
                    float x, y;
                    ASSERT_TRUE(ToWindow(centre, &x, &y));
                    int pickedColumn, pickedRow;
                    EXPECT_EQ(1, view->PickCell(&pickedColumn, &pickedRow, x, y));
                    EXPECT_EQ(column, pickedColumn) << yaw << " " << from.y;
                    EXPECT_EQ(row, pickedRow) << yaw << " " << from.y;
                }
            }
            // Just past the board's edges is a miss.
            const D3DXVECTOR3 outside[] = { D3DXVECTOR3(-12.2f, 0.5f, 0.0f), D3DXVECTOR3(0.0f, 0.5f, 12.2f),
                                            D3DXVECTOR3(12.2f, 0.5f, -11.0f) };
            for (D3DXVECTOR3 point : outside) {
                float x, y;
                ASSERT_TRUE(ToWindow(point, &x, &y));
                int pickedColumn = 7, pickedRow = 7;
                EXPECT_EQ(0, view->PickCell(&pickedColumn, &pickedRow, x, y));
                EXPECT_EQ(-1, pickedColumn);
                EXPECT_EQ(-1, pickedRow);
            }
        }
    }
}

TEST_F(BoardTest, PointerOverAStoneNamesTheTopOfItsColumn)
{
    CStoneInfo none = view->GetStoneUnderMouse(0.5f, 0.5f);
    EXPECT_EQ(-1, none.x);
    EXPECT_EQ(-1, none.y);
    EXPECT_EQ(-1, none.z);
    EXPECT_EQ(EMPTY_CELL, none.type);
    EXPECT_EQ("dummy", none.name);

    // A board like a level's: columns of one to four stones.
    const int heights[6][6] = { { 1, 0, 2, 0, 0, 1 }, { 0, 3, 1, 1, 0, 0 }, { 2, 1, 4, 2, 0, 0 },
                                { 0, 1, 2, 1, 3, 0 }, { 1, 0, 0, 1, 2, 0 }, { 3, 0, 1, 0, 0, 1 } };
    for (int row = 0; row < 6; row++)
        for (int column = 0; column < 6; column++)
            for (int z = 0; z < heights[row][column]; z++)
                grid->PlaceStone(column, row, STONE_BLUE + (column + row + z) % 4, 0.0f);

    // Pointing at the lowest stone of a three-stone column names its top stone.
    Turn(0.0f);
    CStoneInfo lowest(1, 1, 0, STONE_RED, "");
    D3DXVECTOR3 frontFace = view->CellToWorld(&lowest) - D3DXVECTOR3(0.0f, 0.0f, 2.0f);
    float fx, fy;
    ASSERT_TRUE(ToWindow(frontFace, &fx, &fy));
    CStoneInfo hit = view->GetStoneUnderMouse(fx, fy);
    EXPECT_EQ(1, hit.x);
    EXPECT_EQ(1, hit.y);
    EXPECT_EQ(2, hit.z);

    // Every pointer position whose nearest box is entered through the top face of
    // a column's top stone names that column.
    for (float yaw : { 0.0f, 2.6f }) {
        Turn(yaw);
        int checked = 0, wrong = 0;
        for (int py = 0; py < kHeight; py += 3) {
            for (int px = 0; px < kWidth; px += 3) {
                float x = (px + 0.5f) / kWidth, y = (py + 0.5f) / kHeight;
                D3DXVECTOR3 origin, direction;
                BoardRay(x, y, &origin, &direction);
                float nearest = 1e30f;
                int nearColumn = -1, nearRow = -1, nearLayer = -1;
                for (int row = 0; row < 6; row++) {
                    for (int column = 0; column < 6; column++) {
                        for (int z = 0; z < heights[row][column]; z++) {
                            CStoneInfo cell(column, row, z, 0, "");
                            D3DXVECTOR3 c = view->CellToWorld(&cell);
                            float t = EnterBox(origin, direction, c - D3DXVECTOR3(2, 1, 2), c + D3DXVECTOR3(2, 1, 2));
                            if (t >= 0.0f && t < nearest) {
                                nearest = t;
                                nearColumn = column;
                                nearRow = row;
                                nearLayer = z;
                            }
                        }
                    }
                }
                if (nearColumn < 0 || nearLayer != heights[nearRow][nearColumn] - 1)
                    continue;
                D3DXVECTOR3 entry = origin + direction * nearest;
                CStoneInfo cell(nearColumn, nearRow, nearLayer, 0, "");
                // Keep clear of the face's rim, where neighbouring boxes touch.
                D3DXVECTOR3 c = view->CellToWorld(&cell);
                if (std::fabs(entry.y - (c.y + 1.0f)) > 1e-3f || std::fabs(entry.x - c.x) > 1.9f ||
                    std::fabs(entry.z - c.z) > 1.9f)
                    continue;
                checked++;
                CStoneInfo picked = view->GetStoneUnderMouse(x, y);
                if (picked.x != nearColumn || picked.y != nearRow)
                    wrong++;
            }
        }
        EXPECT_GT(checked, 500) << yaw;
        EXPECT_EQ(0, wrong) << "of " << checked << " at yaw " << yaw;
    }
}

TEST_F(BoardTest, CellFractionFollowsThePointerOnTheTopFace)
{
    // Near each side of the top face, at several stack heights and turns, the
    // fraction within the cell is where the pointer rests on the stone.
    const D3DXVECTOR2 places[] = { D3DXVECTOR2(0.5f, 0.1f), D3DXVECTOR2(0.1f, 0.5f), D3DXVECTOR2(0.5f, 0.9f),
                                   D3DXVECTOR2(0.9f, 0.5f), D3DXVECTOR2(0.5f, 0.5f) };
    for (int stones = 0; stones <= 3; stones++) {
        if (stones > 0) {
            grid->PlaceStone(2, 4, STONE_RED, 0.0f);
            grid->PlaceStone(3, 1, STONE_RED, 0.0f);
        }
        for (float yaw : YAWS) {
            Turn(yaw);
            for (int column : { 2, 3 }) {
                int row = column == 2 ? 4 : 1;
                for (D3DXVECTOR2 place : places) {
                    D3DXVECTOR3 point(-12.0f + (column + place.x) * 4.0f, 0.5f + 2.0f * stones,
                                      -12.0f + (row + place.y) * 4.0f);
                    float x, y;
                    ASSERT_TRUE(ToWindow(point, &x, &y));
                    D3DXVECTOR2 fraction = view->GetCellFraction(column, row, x, y);
                    EXPECT_NEAR(place.x, fraction.x, 0.01f) << stones << " " << yaw;
                    EXPECT_NEAR(place.y, fraction.y, 0.01f) << stones << " " << yaw;
                }
            }
        }
    }
    // After any number of those the floor is still picked on the slab.
    Turn(0.0f);
    float x, y;
    ASSERT_TRUE(ToWindow(D3DXVECTOR3(-2.0f, 0.5f, 6.0f), &x, &y));
    int column, row;
    EXPECT_EQ(1, view->PickCell(&column, &row, x, y));
    EXPECT_EQ(2, column);
    EXPECT_EQ(4, row);
}
