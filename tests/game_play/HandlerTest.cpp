#include "GamePlaySupport.h"

#include "CGameController.h"
#include "CGameData.h"
#include "CGrid.h"
#include "CLevel.h"
#include "CMoveStoneEventHandler.h"
#include "CNextStoneView.h"
#include "CRemoveStoneEventHandler.h"
#include "CStoneTypes.h"
#include "PlaceStoneEventHandler.h"

namespace {

class HandlerTest : public GameFixture {};

// A left button released at the point, with no move before it.
CMouseEvent ReleaseAt(float x, float y)
{
    CMouseEvent event;
    event.kind = CMouseEvent::MOUSE_CLICK;
    event.buttons[0] = CMouseEvent::MOUSE_BUTTON_RELEASE;
    event.x = x;
    event.y = y;
    return event;
}

TEST_F(HandlerTest, PlaceClicksOnTheBoardPlaceAndCountClicksBesideDoNot)
{
    TestLevel level;
    level.placeable = { STONE_RED, STONE_GREEN, STONE_YELLOW };
    level.stones = { { 0, 0, 0, STONE_BLOCK } };
    level.fields = { { 5, 5, 0, FIELD_SPECIAL_TARGET } };
    Open({ level });
    app->StartGameAtCurrentLevel();
    app->Step(1);
    // While the starting stone still drops in, clicks are handled.
    ASSERT_GT(Controller()->pendingDrops, 0);
    ClickCell(2, 3);
    EXPECT_EQ(STONE_RED, Board()->GetStoneInfo(2, 3, 0).type);
    EXPECT_EQ(1, Controller()->gameData->moves);
    EXPECT_EQ("0001", MovesShown());

    app->StepSeconds(3.2f);
    app->Click(0.01f, 0.01f);
    app->Click(0.5f, 0.02f);
    EXPECT_EQ(1, Controller()->gameData->moves);
    EXPECT_EQ(2, Controller()->nextStoneView->GetRemaining());

    // The preview follows the pointer onto the column's next free layer.
    float x, y;
    ASSERT_TRUE(app->FindCellPointer(2, 3, &x, &y));
    app->MoveMouse(x, y);
    PlaceStoneEventHandler* place = static_cast<PlaceStoneEventHandler*>(Controller()->handlers[0]);
    EXPECT_EQ(1, place->hover);
    EXPECT_EQ(2, place->preview->x);
    EXPECT_EQ(3, place->preview->y);
    EXPECT_EQ(1, place->preview->z);

    // A full column takes nothing, by click or by the controller: no move, and
    // the stone stays next in line.
    for (int i = 0; i < 15; i++)
        Board()->PlaceStone(1, 1, i % 2 ? STONE_BLUE : STONE_BLOCK, 0.0f);
    ClickCell(1, 1);
    Controller()->PlaceStone(1, 1);
    EXPECT_EQ(15, Board()->GetHeight(1, 1));
    EXPECT_EQ(1, Controller()->gameData->moves);
    EXPECT_EQ(2, Controller()->nextStoneView->GetRemaining());
    EXPECT_EQ(STONE_GREEN, Controller()->nextStoneView->PeekNextType());
}

TEST_F(HandlerTest, SlidesStopAtStonesEdgesAndWhereSupportEnds)
{
    TestLevel level;
    level.stones = { { 1, 2, 0, STONE_RED }, { 4, 2, 0, STONE_GREEN },
                     { 0, 5, 0, STONE_BLOCK }, { 1, 5, 0, STONE_BLOCK }, { 2, 5, 0, STONE_BLOCK },
                     { 0, 5, 1, STONE_YELLOW } };
    Open({ level });
    StartAndSettle();
    struct Case { int x, y, z, direction, endX, endY; };
    const Case cases[] = {
        { 1, 2, 0, 3, 3, 2 },   // stops in front of a stone
        { 3, 2, 0, 2, 3, 0 },   // stops at the board's edge
        { 0, 5, 1, 3, 2, 5 },   // stops over the last supporting stone
    };
    for (const Case& c : cases) {
        CStoneInfo stone = Board()->GetStoneInfo(c.x, c.y, c.z);
        EXPECT_EQ(1, SlideTool()->SlideStone(c.direction, stone));
        EXPECT_EQ(stone.type, Board()->GetStoneInfo(c.endX, c.endY, c.z).type) << c.x << "," << c.y;
        EXPECT_EQ(EMPTY_CELL, Board()->GetStoneInfo(c.x, c.y, c.z).type);
    }
    // A stone that cannot go anywhere in that direction stays.
    EXPECT_EQ(0, SlideTool()->SlideStone(0, Board()->GetStoneInfo(2, 5, 1)));
}

TEST_F(HandlerTest, MarkersAndClicksOfTheSlideTool)
{
    TestLevel level;
    level.stones = { { 2, 2, 0, STONE_RED }, { 3, 2, 0, STONE_GREEN }, { 0, 0, 0, STONE_RED },
                     { 1, 0, 0, STONE_BLOCK }, { 0, 1, 0, STONE_GREEN }, { 4, 4, 0, STONE_BLOCK } };
    Open({ level });
    StartAndSettle();
    int scene = SceneObjects();
    float x, y;
    // A block: the cross, and a click does nothing.
    ASSERT_TRUE(app->StoneTopToWindow(4, 4, 0, &x, &y));
    app->MoveMouse(x, y);
    ASSERT_EQ(1, SlideTool()->hover);
    EXPECT_EQ(CMoveStoneEventHandler::MARKER_CROSS, SlideTool()->markerIndex);
    app->Click(x, y);
    EXPECT_EQ(0, Controller()->gameData->moves);

    // A stone closed in by the board's edges and two stones: the cross, and a
    // click (before any slide direction was ever chosen) counts a move and
    // starts the group passes.
    ASSERT_TRUE(app->StoneTopToWindow(0, 0, 0, &x, &y));
    app->MoveMouse(x, y);
    ASSERT_EQ(0, SlideTool()->hovered.x);
    ASSERT_EQ(0, SlideTool()->hovered.y);
    EXPECT_EQ(CMoveStoneEventHandler::MARKER_CROSS, SlideTool()->markerIndex);
    app->Click(x, y);
    EXPECT_EQ(1, Controller()->gameData->moves);
    EXPECT_EQ(STONE_RED, Board()->GetStoneInfo(0, 0, 0).type);

    // Nearest to the right side, which is blocked: the next nearest free side wins.
    ASSERT_TRUE(app->FindSlidePointer(2, 2, 3, &x, &y));
    app->MoveMouse(x, y);
    EXPECT_EQ(CMoveStoneEventHandler::MARKER_ARROW, SlideTool()->markerIndex);
    EXPECT_NE(3, SlideTool()->direction);

    SlideWithPointer(2, 2, 1);
    EXPECT_EQ(STONE_RED, Board()->GetStoneInfo(0, 2, 0).type);
    EXPECT_EQ(2, Controller()->gameData->moves);
    EXPECT_EQ("0002", MovesShown());
    EXPECT_EQ(scene + 2, SceneObjects());   // the first group pass of each move waits

    // The marker does not stay over the cell the slid stone has left; the next
    // pointer move shows it again. Nor does it come back when the mode returns
    // to sliding from another tool, or when a new level starts.
    EXPECT_EQ(0, SlideTool()->hover);
    ASSERT_TRUE(app->StoneTopToWindow(4, 4, 0, &x, &y));
    app->MoveMouse(x, y);
    EXPECT_EQ(1, SlideTool()->hover);
    Controller()->ToggleMode();   // the stack is empty: sliding stays on
    EXPECT_EQ(1, SlideTool()->hover);
    Controller()->mode = CGameController::MODE_PLACE;
    Controller()->ToggleMode();
    EXPECT_EQ(0, SlideTool()->hover);
    app->MoveMouse(x, y + 0.01f);
    ASSERT_EQ(1, SlideTool()->hover);
    Controller()->RestartLevel();
    EXPECT_EQ(0, SlideTool()->hover);
}

// A place click acts on the cell under the pointer at the click, whatever the
// last move showed; a slide click acts only when the stone under the pointer
// is the one the last move found. A stone above the floor with no stone
// below any neighbour cannot slide: the cross.
TEST_F(HandlerTest, ClicksAwayFromTheLastMoveAndUnsupportedSides)
{
    TestLevel level;
    level.placeable = { STONE_RED, STONE_GREEN };
    level.stones = { { 1, 4, 0, STONE_BLUE }, { 4, 1, 0, STONE_YELLOW }, { 3, 3, 0, STONE_BLOCK },
                     { 3, 3, 1, STONE_GREEN } };
    level.fields = { { 5, 5, 0, FIELD_SPECIAL_TARGET } };
    Open({ level });
    StartAndSettle();
    float x, y, otherX, otherY;
    ASSERT_TRUE(app->FindCellPointer(1, 1, &x, &y));
    ASSERT_TRUE(app->FindCellPointer(4, 4, &otherX, &otherY));
    app->MoveMouse(x, y);
    Controller()->handlers[CGameController::MODE_PLACE]->MouseClicked(ReleaseAt(otherX, otherY));
    EXPECT_EQ(STONE_RED, Board()->GetStoneInfo(4, 4, 0).type);
    EXPECT_EQ(0, Board()->GetHeight(1, 1));

    Controller()->ToggleMode();
    ASSERT_EQ(CGameController::MODE_SLIDE, Controller()->mode);
    ASSERT_TRUE(app->StoneTopToWindow(1, 4, 0, &x, &y));
    ASSERT_TRUE(app->StoneTopToWindow(4, 1, 0, &otherX, &otherY));
    app->MoveMouse(x, y);
    ASSERT_EQ(1, SlideTool()->hover);
    SlideTool()->MouseClicked(ReleaseAt(otherX, otherY));
    EXPECT_EQ(1, Controller()->gameData->moves);
    EXPECT_EQ(STONE_BLUE, Board()->GetStoneInfo(1, 4, 0).type);
    EXPECT_EQ(STONE_YELLOW, Board()->GetStoneInfo(4, 1, 0).type);

    ASSERT_TRUE(app->StoneTopToWindow(3, 3, 1, &x, &y));
    app->MoveMouse(x, y);
    ASSERT_EQ(1, SlideTool()->hovered.z);
    EXPECT_EQ(CMoveStoneEventHandler::MARKER_CROSS, SlideTool()->markerIndex);
}

TEST_F(HandlerTest, RemoveToolTakesTopStonesAndClearsFields)
{
    Open();
    Controller()->StartGame();
    Controller()->SetEditorMode(1);
    CLevel level;
    Controller()->StartEditorLevel(&level);
    Board()->PlaceStone(2, 2, STONE_RED, 0.0f);
    Board()->PlaceStone(2, 2, STONE_BLUE, 0.0f);
    Board()->SetField(4, 1, FIELD_SPECIAL_TARGET);
    Controller()->mode = CGameController::MODE_REMOVE;
    app->Step(2);

    // Before any mouse move the tool holds no stone: nothing goes.
    CRemoveStoneEventHandler* remove = static_cast<CRemoveStoneEventHandler*>(Controller()->handlers[2]);
    CMouseEvent click;
    click.kind = CMouseEvent::MOUSE_CLICK;
    click.buttons[0] = CMouseEvent::MOUSE_BUTTON_RELEASE;
    remove->MouseClicked(click);
    EXPECT_EQ(2, Board()->stoneCount);

    float x, y;
    ASSERT_TRUE(app->StoneTopToWindow(2, 2, 0, &x, &y));   // points at the lower stone's column
    app->Click(x, y);
    EXPECT_EQ(1, Board()->GetHeight(2, 2));
    EXPECT_EQ(STONE_RED, Board()->GetStoneInfo(2, 2, 0).type);

    ASSERT_TRUE(app->FindCellPointer(4, 1, &x, &y));
    app->Click(x, y);
    EXPECT_EQ(0, Board()->fields[4][1]);
    EXPECT_EQ(1, Board()->stoneCount);
}

} // namespace
