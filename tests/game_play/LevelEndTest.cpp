#include "GamePlaySupport.h"

#include <sys/stat.h>

#include "C3DIcon.h"
#include "CGameController.h"
#include "CGameData.h"
#include "CGrid.h"
#include "CLevelFinishedOvl.h"
#include "CLevelLoader.h"
#include "CMessageLog.h"
#include "CMoveStoneEventHandler.h"
#include "CObjQueue.h"
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
    // The sum of the colour channels in the middle of the next frame.
    int CentreBrightness()
    {
        Image picture;
        EXPECT_TRUE(app->Capture(folder->GetPath() + "/centre.png", picture));
        uint32_t colour = picture.Pixel(picture.width / 2, picture.height / 2);
        return (int)((colour >> 16) & 0xFF) + (int)((colour >> 8) & 0xFF) + (int)(colour & 0xFF);
    }
    // Clicks the level-finished picture away; true when the name entry came.
    bool DismissPicture()
    {
        app->StepSeconds(0.6f);
        app->Click(0.5f, 0.5f);
        app->StepSeconds(0.7f);
        return Controller()->running == 0;
    }
};

// Only strictly fewer moves than the stored best ask for a name and change the
// entry; a first win (no stored result) always does. Either way the fade
// leads to the next level and nothing is written to disk.
TEST_F(LevelEndTest, OnlyANewBestAsksForANameAndIsRecorded)
{
    struct Case { int stored, moves; bool asks; const char* name; };
    const Case cases[] = {
        { 15, 12, true, "Ann" },
        { 15, 15, false, "Alte" },
        { -1, 500, true, "Bo" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.moves);
        std::string scores = c.stored < 0 ? HighScoreText({}) : HighScoreText({ { 1, c.stored } });
        Open({ OneSlideLevel(), OneSlideLevel() }, scores.c_str());
        std::string levels = folder->ReadMediaFile("levels.xml");
        StartAndSettle();
        WinWithMoves(c.moves);
        CScore* entry = Controller()->highScore.GetScore(CScore::MODE_PUZZLE, 1);
        ASSERT_NE(nullptr, entry);
        EXPECT_EQ(c.stored < 0 ? 999999 : c.stored, entry->score);
        ASSERT_EQ(c.asks, DismissPicture());
        if (c.asks) {
            app->TypeText(c.name);
            // Keys go to the name entry, not to the game.
            int mode = Controller()->mode;
            app->PressKey(TEST_DIK_SPACE);
            EXPECT_EQ(mode, Controller()->mode);
            app->PressKey(TEST_DIK_RETURN);
            char today[256];
            GetDateFormatA(0, LOCALE_NOUSEROVERRIDE, nullptr, nullptr, today, sizeof(today));
            EXPECT_EQ(std::string(today), entry->date);
        }
        EXPECT_EQ(c.asks ? c.moves : c.stored, entry->score);
        EXPECT_EQ(0u, entry->name.find(c.name));

        ASSERT_TRUE(app->StepUntil([&] { return Controller()->levelLoader->current == 2 &&
                                                Controller()->running == 1; }, 4.0f));
        EXPECT_EQ(0, Controller()->gameData->moves);
        EXPECT_EQ(1, Controller()->levelLoader->completed);
        // The next level fades in from black.
        int dark = CentreBrightness();
        app->StepSeconds(1.2f);
        EXPECT_LT(4 * dark, CentreBrightness());
        EXPECT_EQ(scores, folder->ReadMediaFile("highscore.xml"));
        EXPECT_EQ(levels, folder->ReadMediaFile("levels.xml"));
        TearDown();
    }
}

// The level-finished picture comes with its sound; a new best follows it
// with the new-best picture and the name entry.
TEST_F(LevelEndTest, FinishedPictureSoundsAndANewBestShowsItsOwnPicture)
{
    Open({ OneSlideLevel() }, HighScoreText({ { 1, 15 } }).c_str());
    StartAndSettle();
    Controller()->gameData->moves = 3;
    ASSERT_NO_FATAL_FAILURE(QuietSounds());
    CLevelFinishedOvl* end = new CLevelFinishedOvl(app->device, Controller(), 15);
    CResourceManager::GetObjectQueue()->AddObject(end, 4, 0);
    EXPECT_EQ(std::vector<std::string>({ "GAME_FINISH" }), SoundsPlaying());
    EXPECT_EQ(".//media//level_finished.dds", end->icon->GetTextureName());
    EXPECT_EQ(nullptr, end->textBox);
    ASSERT_TRUE(DismissPicture());
    EXPECT_NE(nullptr, end->textBox);
    EXPECT_EQ(".//media//highscore.dds", end->icon->GetTextureName());
}

// A result equal to the stored best is no new best, whoever asks to record it.
TEST_F(LevelEndTest, RecordScoreTakesOnlyFewerMoves)
{
    Open({ OneSlideLevel() }, HighScoreText({ { 1, 15 } }).c_str());
    StartAndSettle();
    CScore* entry = Controller()->GetCurrentScore();
    ASSERT_NE(nullptr, entry);
    const std::string name = entry->name;
    Controller()->gameData->moves = 15;
    EXPECT_EQ(-1, Controller()->RecordScore("Neu"));
    EXPECT_EQ(name, entry->name);
    Controller()->gameData->moves = 14;
    EXPECT_EQ(14, Controller()->RecordScore("Neu"));
    EXPECT_EQ("Neu", entry->name);
}

TEST_F(LevelEndTest, LastLevelSavesBothFilesAndLeadsToTheMainMenu)
{
    Open({ OneSlideLevel() }, HighScoreText({ { 1, 3 } }).c_str());
    StartAndSettle();
    WinWithMoves(3);
    EXPECT_FALSE(DismissPicture());
    ASSERT_TRUE(app->StepUntil([&] { return !app->actions.empty(); }, 3.0f));
    EXPECT_EQ(std::vector<int>({ CGameController::ACTION_MAIN_MENU }), app->actions);
    EXPECT_EQ(1, Controller()->levelLoader->current);
    // The next game reads both files again: what this game won is in them.
    EXPECT_NE(std::string::npos, folder->ReadMediaFile("levels.xml").find("completed=\"1\""));
    EXPECT_NE(std::string::npos, folder->ReadMediaFile("highscore.xml").find("<score>3</score>"));

    // A level file that cannot be written is reported in the message log.
    std::string path = folder->GetPath() + "/media/levels.xml";
    ASSERT_EQ(0, remove(path.c_str()));
    ASSERT_EQ(0, mkdir(path.c_str(), 0700));
    CResourceManager::MessageLog()->SetCurrentText("");
    Controller()->SaveLevels();
    EXPECT_NE(std::string::npos, std::string(CResourceManager::MessageLog()->GetCurrentText()).find("levels.xml"));
}

} // namespace
