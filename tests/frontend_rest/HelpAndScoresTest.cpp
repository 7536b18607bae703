// The help pages and the high-score pages: what each page shows, how the
// chooser turns them, and what broken or large files do.
#include <gtest/gtest.h>

#include <string>

#include "C3DIcon.h"
#include "C3DTextArea.h"
#include "C3DTextButton.h"
#include "C3DToggleSelection.h"
#include "CObjQueue.h"
#include "CResourceManager.h"
#include "CSubMenuHelp.h"
#include "CSubMenuHighScore.h"
#include "FrontTestApp.h"
#include "TestFiles.h"

namespace {

// The textures of the area's pictures, in order, joined by spaces.
std::string Pictures(C3DTextArea* area)
{
    std::string names;
    for (int i = 0; i < area->GetSubWindowCount(); i++) {
        C3DIcon* icon = dynamic_cast<C3DIcon*>(area->GetSubWindow(i));
        names += (names.empty() ? "" : " ") + (icon ? icon->GetTextureName() : std::string("?"));
    }
    return names;
}

// All lines of the area, joined by line breaks.
std::string AreaText(C3DTextArea* area)
{
    std::string text;
    for (int i = 0; i < area->GetLineCount(); i++)
        text += (i ? "\n" : "") + std::string(area->GetLineText(i));
    return text;
}

bool StartsWith(const std::string& text, const char* start)
{
    return text.rfind(start, 0) == 0;
}

// Every text of the area at about height y, left to right as added, joined by '|'.
std::string Row(C3DTextArea* area, float y)
{
    std::string row;
    for (int i = 0; i < area->GetLineCount(); i++) {
        if (area->GetLinePoint(i).y > y - 0.01f && area->GetLinePoint(i).y < y + 0.01f)
            row += (row.empty() ? "" : "|") + std::string(area->GetLineText(i));
    }
    return row;
}

TEST(HelpPagesTest, TurnsPagesWithTheirPicturesAndIgnoresReturn)
{
    FrontTestApp app;
    ASSERT_TRUE(app.Open());
    CSubMenuHelp* help = new CSubMenuHelp(app.device, NULL);
    CResourceManager::GetObjectQueue()->AddObject(help, 2, 0);

    EXPECT_STREQ(help->chooser->labelButton->GetText(), "1/7");
    EXPECT_TRUE(StartsWith(AreaText(help->textArea), "Einleitung\n \nZarul ist ein klassisches Puzzle Spiel und die\n"));
    EXPECT_EQ(Pictures(help->textArea), ".//media//help_all.dds");

    app.Step(15);
    Image picture = app.Capture();
    WritePng(BuildPath("frontend_help.png"), picture.width, picture.height, picture.pixels, false);
    int w = picture.width, h = picture.height;
    // Text blue in the upper part of the window; the picture, hardly any black in
    // it, at the lower left of the text area (x 0.295..0.415, y 0.52..0.64).
    EXPECT_GT(CountColor(picture, 23, 26, 168, 40, w / 4, h / 4, 3 * w / 4, h / 2), 100);
    int x0 = (int)(w * 0.31f), x1 = (int)(w * 0.40f), y0 = (int)(h * 0.54f), y1 = (int)(h * 0.62f);
    EXPECT_LT(CountColor(picture, 0, 0, 0, 30, x0, y0, x1, y1), (x1 - x0) * (y1 - y0) / 4);

    help->chooser->next_ActionPerformed(CActionEvent());
    EXPECT_EQ(Pictures(help->textArea), ".//media//help_play_stone.dds .//media//help_spezial.dds");
    help->chooser->prev_ActionPerformed(CActionEvent());
    help->chooser->prev_ActionPerformed(CActionEvent());   // round to the last page
    EXPECT_STREQ(help->chooser->labelButton->GetText(), "7/7");
    EXPECT_TRUE(StartsWith(AreaText(help->textArea), "Steuerung\n"));
    EXPECT_EQ(help->textArea->GetSubWindowCount(), 0);

    // An event from anything but the chooser changes nothing.
    help->page_ActionPerformed(CActionEvent(help, CActionEvent::ACTION_DEFAULT));
    EXPECT_TRUE(StartsWith(AreaText(help->textArea), "Steuerung\n"));

    FrontTestApp::PressKey(28);
    app.Step(15);
    EXPECT_TRUE(FrontTestApp::InScene(help));
    EXPECT_FALSE(help->IsClosing());
    FrontTestApp::PressKey(1);
    app.Step(15);
    EXPECT_FALSE(FrontTestApp::InScene(help));
}

class HighScorePagesTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(app.Open()); }

    CSubMenuHighScore* OpenScores()
    {
        CSubMenuHighScore* scores = new CSubMenuHighScore(app.device, NULL);
        CResourceManager::GetObjectQueue()->AddObject(scores, 2, 0);
        return scores;
    }

    ScratchFolder folder;
    FrontTestApp app;
};

TEST_F(HighScorePagesTest, ShowsPuzzleResultsOnTheirPages)
{
    WriteText(folder.Media("levels.xml"), LevelFileText(21, 3, 1));
    WriteText(folder.Media("highscore.xml"),
              "<HighScores><puzzle>"
              "<level number=\"2\"><highscore><name>Ada</name><score>17</score><date>01.02.2003</date></highscore></level>"
              "<level number=\"8\"><highscore><name></name><score>12345678</score><date>04.05.2006</date></highscore></level>"
              "<level number=\"21\"><highscore><name>Bo</name><score>9</score><date>07.08.2009</date></highscore></level>"
              "</puzzle><panik>"
              "<level number=\"3\"><highscore><name>Panik</name><score>5</score><date>x</date></highscore></level>"
              "</panik></HighScores>");
    CSubMenuHighScore* scores = OpenScores();

    EXPECT_EQ(scores->levelCount, 21);
    EXPECT_EQ(scores->pageCount, 4);
    EXPECT_STREQ(scores->chooser->labelButton->GetText(), "1/4");
    EXPECT_EQ(Row(scores->textArea, 0.1f), "1|-|-|-");
    EXPECT_EQ(Row(scores->textArea, 0.2f), "2|Ada|01.02.2003|17");
    EXPECT_EQ(Row(scores->textArea, 0.3f), "3|-|-|-");   // the panik list is not shown
    EXPECT_EQ(Row(scores->textArea, 0.7f), "7|-|-|-");

    app.Step(15);
    Image picture = app.Capture();
    WritePng(folder.Kept("frontend_highscore.png"), picture.width, picture.height, picture.pixels, false);
    EXPECT_GT(CountColor(picture, 23, 26, 168, 40, picture.width / 4, picture.height / 4, 3 * picture.width / 4,
                         picture.height / 2), 100);

    scores->chooser->next_ActionPerformed(CActionEvent());
    EXPECT_EQ(Row(scores->textArea, 0.1f), "8||04.05.2006|12345678");
    EXPECT_EQ(Row(scores->textArea, 0.7f), "14|-|-|-");
    scores->chooser->next_ActionPerformed(CActionEvent());
    EXPECT_EQ(Row(scores->textArea, 0.7f), "21|Bo|07.08.2009|9");
    scores->chooser->next_ActionPerformed(CActionEvent());
    EXPECT_STREQ(scores->chooser->labelButton->GetText(), "4/4");
    EXPECT_EQ(scores->textArea->GetLineCount(), 0);
}

TEST_F(HighScorePagesTest, LargeLevelFileOffersEveryPage)
{
    WriteText(folder.Media("levels.xml"), LevelFileText(80, 0, 1));
    CSubMenuHighScore* scores = OpenScores();

    ASSERT_EQ(scores->pageCount, 12);
    ASSERT_EQ(scores->chooser->GetEntryCount(), 12);
    EXPECT_STREQ(scores->chooser->GetEntry(9), "10/12");
    EXPECT_STREQ(scores->chooser->GetEntry(11), "12/12");
    scores->chooser->prev_ActionPerformed(CActionEvent());
    EXPECT_STREQ(scores->chooser->labelButton->GetText(), "12/12");
    EXPECT_EQ(Row(scores->textArea, 0.1f), "78|-|-|-");
    EXPECT_EQ(Row(scores->textArea, 0.3f), "80|-|-|-");
    EXPECT_EQ(Row(scores->textArea, 0.4f), "");
}

TEST_F(HighScorePagesTest, MissingOrBrokenFilesShowEmptyRows)
{
    struct Case {
        const char* name;
        const char* scoreFile;   // null: no file
    } cases[] = {
        { "missing", NULL },
        { "not XML", "\x01\x02 <<<>>> \xff\xfe garbage" },
        { "cut off", "<HighScores><puzzle><level number=\"1\"><highscore><name>Ada" },
    };
    WriteText(folder.Media("levels.xml"), LevelFileText(3, 0, 1));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        remove(folder.Media("highscore.xml").c_str());
        if (c.scoreFile)
            WriteText(folder.Media("highscore.xml"), c.scoreFile);
        CSubMenuHighScore* scores = OpenScores();
        EXPECT_EQ(scores->pageCount, 1);
        EXPECT_EQ(Row(scores->textArea, 0.1f), "1|-|-|-");
        EXPECT_EQ(Row(scores->textArea, 0.3f), "3|-|-|-");
        app.Step(2);
        scores->Close();
        app.Step(15);
        EXPECT_FALSE(FrontTestApp::InScene(scores));
    }

    // No level file: one page without rows.
    remove(folder.Media("levels.xml").c_str());
    CSubMenuHighScore* scores = OpenScores();
    EXPECT_EQ(scores->pageCount, 1);
    EXPECT_STREQ(scores->chooser->labelButton->GetText(), "1/1");
    EXPECT_EQ(scores->textArea->GetLineCount(), 0);
}

}
