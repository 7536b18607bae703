#include "GamePlaySupport.h"

#include "CGameController.h"
#include "CGrid.h"
#include "CNextStoneStackView.h"
#include "CNextStoneView.h"
#include "CNextStoneViewEditor.h"
#include "CStoneTypes.h"

namespace {

class NextStoneViewTest : public GameFixture {};

// The stack hands out its types in order, then nothing; the endless view draws
// colours of the board, and a colour when none is left; the editor's view
// repeats the chosen type and offers none on a board without colours.
TEST_F(NextStoneViewTest, EachViewHandsOutTheTypesItShould)
{
    Open();
    app->controller->StartGame();
    int types[3] = { STONE_RED, STONE_SPECIAL, FIELD_SPECIAL_TARGET };
    CNextStoneStackView stack(Controller(), app->device, 3, types);
    std::vector<int> handed;
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(3 - i, stack.GetRemaining());
        EXPECT_EQ(types[i], stack.PeekNextType());
        handed.push_back(stack.PopNextType());
    }
    EXPECT_EQ(std::vector<int>(types, types + 3), handed);
    EXPECT_EQ(-1, stack.PopNextType());
    EXPECT_EQ(0, stack.GetRemaining());
    stack.Move(0.1f);
    stack.Render();

    CNextStoneViewEditor editor(Controller(), app->device);
    EXPECT_EQ(-1, editor.PopNextType());
    editor.SetStoneType(STONE_YELLOW);
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(STONE_YELLOW, editor.PopNextType());
    EXPECT_EQ(1, editor.GetRemaining());

    Board()->PlaceStone(0, 0, STONE_GREEN, 0.0f);
    Board()->PlaceStone(1, 0, STONE_SPECIAL, 0.0f);
    CNextStoneView endless(Controller(), app->device);
    for (int i = 0; i < 20; i++) {
        EXPECT_EQ(1, endless.GetRemaining());
        int peeked = endless.PeekNextType();
        EXPECT_EQ(peeked, endless.PopNextType());
        EXPECT_TRUE(CStoneTypes::IsCountedType(peeked));
        EXPECT_NE(STONE_BLUE, peeked);
    }
    Board()->Clear();
    Board()->PlaceStone(1, 0, STONE_SPECIAL, 0.0f);
    endless.Refill();
    EXPECT_EQ(STONE_BLUE, endless.PopNextType());
    EXPECT_EQ(STONE_BLUE, endless.PeekNextType());
}

} // namespace
