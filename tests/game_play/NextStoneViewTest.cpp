#include "GamePlaySupport.h"

#include "CGameController.h"
#include "CGrid.h"
#include "CNextStoneStackView.h"
#include "CNextStoneView.h"
#include "CNextStoneViewEditor.h"
#include "CResourceManager.h"
#include "CSoundDev.h"
#include "CStoneTypes.h"

namespace {

class NextStoneViewTest : public GameFixture {};

// The stack hands out its types in order, then nothing; the endless view draws
// colours of the board, and -1 when none is left; the editor's view repeats
// the chosen type and offers none on a board without colours.
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
    EXPECT_EQ(-1, endless.PopNextType());
    EXPECT_EQ(-1, endless.PeekNextType());
    EXPECT_EQ(1, endless.GetRemaining());
    endless.Move(0.1f);
    endless.Render();
}

// Before a choice the editor's view holds the stone its base drew, and it
// draws no second one: every later random draw stays as it would be.
TEST_F(NextStoneViewTest, EditorViewKeepsTheBaseDraw)
{
    Open();
    app->controller->StartGame();
    Board()->PlaceStone(0, 0, STONE_GREEN, 0.0f);
    Board()->PlaceStone(1, 0, STONE_RED, 0.0f);
    Board()->PlaceStone(2, 0, STONE_YELLOW, 0.0f);
    for (unsigned seed = 1; seed <= 8; seed++) {
        srand(seed);
        CNextStoneView plain(Controller(), app->device);
        int afterPlain = rand();
        srand(seed);
        CNextStoneViewEditor editor(Controller(), app->device);
        EXPECT_EQ(afterPlain, rand()) << "seed " << seed;
        EXPECT_EQ(plain.PeekNextType(), editor.PeekNextType()) << "seed " << seed;
        EXPECT_EQ(plain.PeekNextType(), editor.PopNextType()) << "seed " << seed;
    }
}

// An endless level whose board holds no colour: the supply offers -1, and a
// place click does nothing: no stone, no move, no sound.
TEST_F(NextStoneViewTest, EndlessSupplyWithoutColoursPlacesNothing)
{
    TestLevel level;
    level.fields = { { 3, 3, 0, FIELD_SPECIAL_TARGET } };
    level.placeableMode = 1;
    level.placeable = { STONE_RED };
    level.stones = { { 0, 0, 0, STONE_SPECIAL } };
    Open(std::vector<TestLevel>{ level });
    StartAndSettle();
    ASSERT_EQ(-1, Controller()->nextStoneView->PeekNextType());

    CSoundDev* sound = CResourceManager::GetSoundDevice();
    int place = sound->LoadSound("GAME_PLACE", nullptr);
    sound->soundState[place] = 0;
    ClickCell(2, 2);
    EXPECT_EQ(0, Board()->GetHeight(2, 2));
    EXPECT_EQ("0000", MovesShown());
    EXPECT_EQ(0, sound->soundState[place]);
}

} // namespace
