#include "GamePlaySupport.h"

#include "CGameController.h"
#include "CGrid.h"
#include "CNextStoneStackView.h"
#include "CNextStoneView.h"
#include "CNextStoneViewEditor.h"
#include "CStoneTypes.h"

namespace {

class NextStoneViewTest : public GameFixture {};

TEST_F(NextStoneViewTest, StackHandsOutItsTypesInOrderThenNothing)
{
    Open();
    int types[3] = { STONE_RED, STONE_SPECIAL, FIELD_SPECIAL_TARGET };
    CNextStoneStackView view(Controller(), app->device, 3, types);
    std::vector<int> handed;
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(3 - i, view.GetRemaining());
        EXPECT_EQ(types[i], view.PeekNextType());
        handed.push_back(view.PopNextType());
    }
    EXPECT_EQ(std::vector<int>(types, types + 3), handed);
    EXPECT_EQ(0, view.GetRemaining());
    EXPECT_EQ(-1, view.PopNextType());
    EXPECT_EQ(0, view.GetRemaining());
    view.Move(0.1f);
    view.Render();
}

TEST_F(NextStoneViewTest, EndlessViewOffersColoursOfTheBoardAndAColourWhenNoneIsLeft)
{
    Open();
    app->controller->StartGame();
    Board()->PlaceStone(0, 0, STONE_GREEN, 0.0f);
    Board()->PlaceStone(1, 0, STONE_SPECIAL, 0.0f);
    CNextStoneView view(Controller(), app->device);
    for (int i = 0; i < 20; i++) {
        EXPECT_EQ(1, view.GetRemaining());
        int peeked = view.PeekNextType();
        EXPECT_EQ(peeked, view.PopNextType());
        EXPECT_TRUE(CStoneTypes::IsCountedType(peeked));
        EXPECT_NE(STONE_BLUE, peeked);
    }
    // Every colour burst: the supply still offers a stone that can be placed.
    Board()->Clear();
    Board()->PlaceStone(1, 0, STONE_SPECIAL, 0.0f);
    view.Refill();
    EXPECT_EQ(STONE_BLUE, view.PopNextType());
    EXPECT_EQ(STONE_BLUE, view.PeekNextType());
}

TEST_F(NextStoneViewTest, EditorViewRepeatsTheChosenTypeAndHasNoneOnAnEmptyBoard)
{
    Open();
    app->controller->StartGame();
    CNextStoneViewEditor view(Controller(), app->device);
    EXPECT_EQ(-1, view.PopNextType());
    view.SetStoneType(STONE_YELLOW);
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(STONE_YELLOW, view.PopNextType());
    EXPECT_EQ(1, view.GetRemaining());
}

} // namespace
