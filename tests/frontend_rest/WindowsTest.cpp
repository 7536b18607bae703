// The credits window, the help pages and the high-score pages: what each
// shows, how the credits close (by a key or the end of the scroll) and hold the
// mouse and keys meanwhile, how the choosers turn the pages, and what broken
// or large files do.
#include <stdio.h>

#include "C3DIcon.h"
#include "C3DTextArea.h"
#include "C3DTextButton.h"
#include "C3DToggleSelection.h"
#include "CCreditWnd.h"
#include "CInputManager.h"
#include "CMouse.h"
#include "CResourceManager.h"
#include "CSubMenuHelp.h"
#include "CSubMenuHighScore.h"
#include "FrontTestApp.h"
#include "TestFiles.h"

namespace {

class CreditWndTest : public FrontTest {
protected:
    void SetUp() override
    {
        FrontTest::SetUp();
        credits = new CCreditWnd(app.device);
        FrontTestApp::Show(credits, 4);
    }

    CCreditWnd* credits = nullptr;
};

TEST_F(CreditWndTest, KeyInFirstFrameClosesAndGivesBackMouseAndKeys)
{
    CInputManager* input = CResourceManager::GetInputManager();
    EXPECT_TRUE(app.mouse->IsMaskOn());
    EXPECT_EQ(input->GetExclusivListener(), static_cast<IKeyListener*>(credits));
    FrontTestApp::PressKey(57);
    app.Step(1);
    EXPECT_FALSE(FrontTestApp::InScene(credits));
    EXPECT_FALSE(app.mouse->IsMaskOn());
    EXPECT_EQ(input->GetExclusivListener(), nullptr);
}

TEST_F(CreditWndTest, LineIsDrawnAtTheBottomEdgeButNotAtTheTop)
{
    // Frozen scroll with only one line in the band: the window stays exactly
    // while that line is drawn.
    credits->scrollSpeed = 0.0f;
    for (int i = 0; i < credits->lineCount; i++)
        credits->lines[i].y = i == 3 ? 1.0f : 1.5f;
    app.Step(2);
    EXPECT_TRUE(FrontTestApp::InScene(credits));
    credits->lines[3].y = 0.0f;
    app.Step(1);
    EXPECT_FALSE(FrontTestApp::InScene(credits));
    EXPECT_FALSE(app.mouse->IsMaskOn());
}

TEST_F(CreditWndTest, ScrollsCentredTextAndLeavesAfterTheLastLine)
{
    ASSERT_EQ(credits->lineCount, 14);
    EXPECT_FLOAT_EQ(credits->lines[13].y, 2.28f);

    // 12 s in: the first pairs stand in the middle, as much text left of the centre as right of it.
    app.Step(120, 0.1f);
    Image picture = app.Capture(media.File("credits.png"));
    WritePng(Kept("frontend_credits.png"), picture.width, picture.height, picture.pixels, false);
    int text = CountColor(picture, 23, 26, 168, 40, 0, 0, picture.width, picture.height);
    int left = CountColor(picture, 23, 26, 168, 40, 0, 0, picture.width / 2, picture.height);
    EXPECT_GT(text, 200);
    EXPECT_NEAR((double)left / text, 0.5, 0.15);

    // The last line leaves the top at 2.28 / 0.07 = 32.57 s.
    app.Step(324 - 121, 0.1f);
    EXPECT_TRUE(FrontTestApp::InScene(credits));
    app.Step(3, 0.1f);
    EXPECT_FALSE(FrontTestApp::InScene(credits));
    EXPECT_FALSE(app.mouse->IsMaskOn());
}

// The area's lines joined by line breaks, then its pictures' textures.
std::string Contents(C3DTextArea* area)
{
    std::string text;
    for (int i = 0; i < area->GetLineCount(); i++)
        text += (i ? "\n" : "") + std::string(area->GetLineText(i));
    for (int i = 0; i < area->GetSubWindowCount(); i++)
        text += " [" + static_cast<C3DIcon*>(area->GetSubWindow(i))->GetTextureName() + "]";
    return text;
}

// The texts of the area's row at height y, joined by '|'.
std::string Row(C3DTextArea* area, float y)
{
    std::string row;
    for (int i = 0; i < area->GetLineCount(); i++) {
        if (area->GetLinePoint(i).y > y - 0.01f && area->GetLinePoint(i).y < y + 0.01f)
            row += (row.empty() ? "" : "|") + std::string(area->GetLineText(i));
    }
    return row;
}

// The x of each text of the area's row at height y, two places, joined by ' '.
std::string Columns(C3DTextArea* area, float y)
{
    std::string columns;
    for (int i = 0; i < area->GetLineCount(); i++) {
        if (area->GetLinePoint(i).y > y - 0.01f && area->GetLinePoint(i).y < y + 0.01f) {
            char x[16];
            snprintf(x, sizeof(x), "%.2f", area->GetLinePoint(i).x);
            columns += (columns.empty() ? "" : " ") + std::string(x);
        }
    }
    return columns;
}

typedef FrontTest HelpPagesTest;

TEST_F(HelpPagesTest, TurnsPagesWithTheirPicturesAndIgnoresReturn)
{
    CSubMenuHelp* help = new CSubMenuHelp(app.device, nullptr);
    FrontTestApp::Show(help, 2);
    EXPECT_STREQ(help->chooser->labelButton->GetText(), "1/7");
    std::string page = Contents(help->textArea);
    EXPECT_EQ(0u, page.find("Einleitung\n \nZarul ist ein klassisches Puzzle Spiel und die\n")) << page;
    EXPECT_NE(page.find("zu leugnen."), std::string::npos);
    EXPECT_NE(page.find("werden. [.//media//help_all.dds]"), std::string::npos);

    help->chooser->next_ActionPerformed(CActionEvent());
    page = Contents(help->textArea);
    EXPECT_EQ(0u, page.find("Spielprinzip\n"));
    EXPECT_NE(page.find("[.//media//help_play_stone.dds] [.//media//help_spezial.dds]"), std::string::npos);
    help->chooser->prev_ActionPerformed(CActionEvent());
    help->chooser->prev_ActionPerformed(CActionEvent());   // round to the last page
    EXPECT_STREQ(help->chooser->labelButton->GetText(), "7/7");
    page = Contents(help->textArea);
    EXPECT_EQ(0u, page.find("Steuerung\n")) << page;
    EXPECT_EQ(page.find("["), std::string::npos);   // no picture

    app.Step(15);
    FrontTestApp::PressKey(28);
    app.Step(15);
    EXPECT_FALSE(help->IsClosing());
    FrontTestApp::PressKey(1);
    app.Step(15);
    EXPECT_FALSE(FrontTestApp::InScene(help));
}

TEST_F(HelpPagesTest, EveryPageShowsOnlyItsOwnPictures)
{
    CSubMenuHelp* help = new CSubMenuHelp(app.device, nullptr);
    FrontTestApp::Show(help, 2);
    const int pictures[CSubMenuHelp::PAGE_COUNT] = { 1, 2, 2, 1, 2, 1, 0 };
    for (int page = 0; page < CSubMenuHelp::PAGE_COUNT; page++) {
        EXPECT_EQ(help->textArea->GetSubWindowCount(), pictures[page]) << "page " << page;
        help->chooser->next_ActionPerformed(CActionEvent());
    }
}

class HighScorePagesTest : public FrontTest {
protected:
    CSubMenuHighScore* OpenScores(int levels, const char* scoreFile)
    {
        WriteText(media.MediaFile("levels.xml"), LevelFileText(levels, 0, 1));
        remove(media.MediaFile("highscore.xml").c_str());
        if (scoreFile)
            WriteText(media.MediaFile("highscore.xml"), scoreFile);
        CSubMenuHighScore* scores = new CSubMenuHighScore(app.device, nullptr);
        FrontTestApp::Show(scores, 2);
        return scores;
    }
};

TEST_F(HighScorePagesTest, ShowsPuzzleResultsOnTheirPages)
{
    CSubMenuHighScore* scores = OpenScores(21,
        "<HighScores><puzzle>"
        "<level number=\"2\"><highscore><name>Ada</name><score>17</score><date>01.02.2003</date></highscore></level>"
        "<level number=\"8\"><highscore><name></name><score>12345678</score><date>04.05.2006</date></highscore></level>"
        "<level number=\"21\"><highscore><name>Bo</name><score>9</score><date>07.08.2009</date></highscore></level>"
        "</puzzle><panik>"
        "<level number=\"3\"><highscore><name>P</name><score>5</score><date>x</date></highscore></level>"
        "</panik></HighScores>");
    EXPECT_EQ(scores->pageCount, 4);
    EXPECT_STREQ(scores->chooser->labelButton->GetText(), "1/4");
    EXPECT_EQ(Row(scores->textArea, 0.1f), "1|-|-|-");
    EXPECT_EQ(Row(scores->textArea, 0.2f), "2|Ada|01.02.2003|17");
    EXPECT_EQ(Row(scores->textArea, 0.3f), "3|-|-|-");   // not from the panik list
    // Number, name, date and score in their columns; the dashes of a level without a result in theirs.
    EXPECT_EQ(Columns(scores->textArea, 0.2f), "0.02 0.19 0.55 0.87");
    EXPECT_EQ(Columns(scores->textArea, 0.1f), "0.02 0.25 0.62 0.87");

    scores->chooser->next_ActionPerformed(CActionEvent());
    EXPECT_EQ(Row(scores->textArea, 0.1f), "8||04.05.2006|12345678");
    EXPECT_EQ(Row(scores->textArea, 0.7f), "14|-|-|-");
    scores->chooser->next_ActionPerformed(CActionEvent());
    EXPECT_EQ(Row(scores->textArea, 0.7f), "21|Bo|07.08.2009|9");
    scores->chooser->next_ActionPerformed(CActionEvent());
    EXPECT_EQ(scores->textArea->GetLineCount(), 0);
}

TEST_F(HighScorePagesTest, LargeLevelFileOffersEveryPageAndMissingOrBrokenFilesShowEmptyRows)
{
    // 80 levels, no high-score file: twelve pages, every row empty.
    CSubMenuHighScore* scores = OpenScores(80, nullptr);
    ASSERT_EQ(scores->chooser->GetEntryCount(), 12);
    EXPECT_STREQ(scores->chooser->GetEntry(9), "10/12");
    scores->chooser->prev_ActionPerformed(CActionEvent());
    EXPECT_STREQ(scores->chooser->labelButton->GetText(), "12/12");
    EXPECT_EQ(Row(scores->textArea, 0.1f), "78|-|-|-");
    EXPECT_EQ(Row(scores->textArea, 0.3f), "80|-|-|-");
    EXPECT_EQ(Row(scores->textArea, 0.4f), "");
    app.Step(2);
    scores->Close();
    app.Step(15);

    const char* files[] = { "\x01\x02 <<<>>> \xff\xfe", "<HighScores><puzzle><level number=\"1\"><highscore><name>A" };
    for (const char* file : files) {
        SCOPED_TRACE(file);
        scores = OpenScores(3, file);
        EXPECT_EQ(Row(scores->textArea, 0.1f), "1|-|-|-");
        EXPECT_EQ(Row(scores->textArea, 0.3f), "3|-|-|-");
        app.Step(2);
        scores->Close();
        app.Step(15);
    }
    remove(media.MediaFile("levels.xml").c_str());
    scores = new CSubMenuHighScore(app.device, nullptr);
    FrontTestApp::Show(scores, 2);
    EXPECT_STREQ(scores->chooser->labelButton->GetText(), "1/1");
    EXPECT_EQ(scores->textArea->GetLineCount(), 0);
}

}
