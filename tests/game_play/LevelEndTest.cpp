#include "GamePlaySupport.h"

#include <sys/stat.h>

#include "CGameController.h"
#include "CGameData.h"
#include "CGrid.h"
#include "CHighScore.h"
#include "CLevelLoader.h"
#include "CMessageLog.h"
#include "CMoveStoneEventHandler.h"
#include "CResourceManager.h"
#include "CScore.h"
#include "CStoneTypes.h"

namespace {

// A level won by one slide: the special stone at (0, 0) slides to the target at (5, 0).
TestLevel OneSlideLevel()
{
    TestLevel level;
    level.fields = { { 5, 0, 0, FIELD_SPECIAL_TARGET } };
    level.stones = { { 0, 0, 0, STONE_SPECIAL } };
    return level;
}

class LevelEndTest : public GameFixture {
protected:
    // Wins the running level with the given move count and waits for the overlay.
    void WinWithMoves(int moves)
    {
        Controller()->gameData->moves = moves - 1;
        CMoveStoneEventHandler* slide = static_cast<CMoveStoneEventHandler*>(Controller()->handlers[1]);
        ASSERT_EQ(1, slide->SlideStone(3, Board()->GetStoneInfo(0, 0, 0)));
        Controller()->gameData->moves++;
        Controller()->StartComboTimer();
        ASSERT_TRUE(app->StepUntil([&] { return Controller()->won == 1; }, 1.0f));
        EXPECT_EQ(0, Controller()->running);
    }
    // Clicks the level-finished picture away; true when the name entry came.
    bool DismissPicture()
    {
        app->StepSeconds(0.6f);
        app->Click(0.5f, 0.5f);
        app->StepSeconds(0.7f);
        return Controller()->running == 0;
    }
    bool WaitForLevel(int number)
    {
        return app->StepUntil([&] { return Controller()->levelLoader->current == number &&
                                           Controller()->running == 1; }, 4.0f);
    }
};

TEST_F(LevelEndTest, FewerMovesThanTheBestAskForANameAndRecordTheResult)
{
    std::string scores = HighScoreText({ { 1, 15 } });
    Open({ OneSlideLevel(), OneSlideLevel() }, scores.c_str());
    std::string levelsBefore = folder->ReadMediaFile("levels.xml");
    StartAndSettle();
    WinWithMoves(12);
    ASSERT_TRUE(DismissPicture());
    app->TypeText("Ann");
    app->PressKey(TEST_DIK_RETURN);

    CScore* entry = Controller()->highScore.GetScore(CScore::MODE_PUZZLE, 1);
    ASSERT_NE(nullptr, entry);
    EXPECT_EQ(12, entry->score);
    EXPECT_EQ("Ann", entry->name);
    char today[256];
    GetDateFormatA(0, LOCALE_NOUSEROVERRIDE, NULL, NULL, today, sizeof(today));
    EXPECT_EQ(std::string(today), entry->date);
    EXPECT_FALSE(entry->date.empty());

    // The fade leads to the next level; nothing is written to disk.
    ASSERT_TRUE(WaitForLevel(2));
    EXPECT_EQ(0, Controller()->gameData->moves);
    EXPECT_EQ(1, Controller()->levelLoader->completed);
    EXPECT_EQ(scores, folder->ReadMediaFile("highscore.xml"));
    EXPECT_EQ(levelsBefore, folder->ReadMediaFile("levels.xml"));
}

TEST_F(LevelEndTest, AsManyMovesAsTheBestAskNothingAndGoOn)
{
    std::string scores = HighScoreText({ { 1, 15 } });
    Open({ OneSlideLevel(), OneSlideLevel() }, scores.c_str());
    StartAndSettle();
    WinWithMoves(15);
    EXPECT_FALSE(DismissPicture());
    ASSERT_TRUE(WaitForLevel(2));
    CScore* entry = Controller()->highScore.GetScore(CScore::MODE_PUZZLE, 1);
    ASSERT_NE(nullptr, entry);
    EXPECT_EQ(15, entry->score);
    EXPECT_EQ("Alte", entry->name);
}

TEST_F(LevelEndTest, FirstWinMakesAnEntryAndAlwaysAsks)
{
    Open({ OneSlideLevel(), OneSlideLevel() }, HighScoreText({}).c_str());
    StartAndSettle();
    WinWithMoves(500);
    CScore* entry = Controller()->highScore.GetScore(CScore::MODE_PUZZLE, 1);
    ASSERT_NE(nullptr, entry);
    EXPECT_EQ(999999, entry->score);
    ASSERT_TRUE(DismissPicture());
    // Keys go to the name entry, not to the game.
    int mode = Controller()->mode;
    app->TypeText(" ");
    app->PressKey(TEST_DIK_SPACE);
    EXPECT_EQ(mode, Controller()->mode);
    app->PressKey(TEST_DIK_RETURN);
    EXPECT_EQ(500, entry->score);
    ASSERT_TRUE(WaitForLevel(2));
    // Further passes of the won level do not bring the overlay back.
    EXPECT_EQ(1, Controller()->running);
}

TEST_F(LevelEndTest, LastLevelSavesBothFilesAndLeadsToTheMainMenu)
{
    std::string scores = HighScoreText({ { 1, 3 } });
    Open({ OneSlideLevel() }, scores.c_str());
    StartAndSettle();
    WinWithMoves(3);
    EXPECT_FALSE(DismissPicture());
    ASSERT_TRUE(app->StepUntil([&] { return !app->actions.empty(); }, 3.0f));
    EXPECT_EQ(std::vector<int>({ CGameController::ACTION_MAIN_MENU }), app->actions);
    EXPECT_EQ(1, Controller()->levelLoader->current);
    // The next game reads both files again: what this game won is in them.
    EXPECT_NE(std::string::npos, folder->ReadMediaFile("levels.xml").find("completed=\"1\""));
    EXPECT_NE(std::string::npos, folder->ReadMediaFile("highscore.xml").find("<score>3</score>"));
}

TEST_F(LevelEndTest, SavingWritesBothFilesAndReportsAFailedSave)
{
    Open({ OneSlideLevel(), OneSlideLevel() }, HighScoreText({ { 1, 15 } }).c_str());
    StartAndSettle();
    Controller()->levelLoader->last = 2;
    Controller()->SaveAndQuit();
    EXPECT_EQ(std::vector<int>({ CGameController::ACTION_MAIN_MENU }), app->actions);
    EXPECT_NE(std::string::npos, folder->ReadMediaFile("levels.xml").find("last=\"2\""));
    EXPECT_NE(std::string::npos, folder->ReadMediaFile("highscore.xml").find("<score>15</score>"));

    // A level file that cannot be written is reported in the message log.
    std::string levels = folder->GetPath() + "/media/levels.xml";
    ASSERT_EQ(0, remove(levels.c_str()));
    ASSERT_EQ(0, mkdir(levels.c_str(), 0700));
    CResourceManager::MessageLog()->SetCurrentText("");
    Controller()->SaveLevels();
    EXPECT_NE(std::string::npos, std::string(CResourceManager::MessageLog()->GetCurrentText()).find("levels.xml"));
}

} // namespace
