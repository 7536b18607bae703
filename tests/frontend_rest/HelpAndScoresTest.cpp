// The help pages and the high-score pages: what each page shows, how the
// chooser turns them, and what broken or large files do.
#include <stdio.h>

#include "C3DIcon.h"
#include "C3DTextArea.h"
#include "C3DTextButton.h"
#include "C3DToggleSelection.h"
#include "CSubMenuHelp.h"
#include "CSubMenuHighScore.h"
#include "FrontTestApp.h"
#include "TestFiles.h"

namespace {

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

bool StartsWith(const std::string& text, const std::string& start)
{
    return text.compare(0, start.size(), start) == 0;
}

typedef FrontTest HelpPagesTest;

TEST_F(HelpPagesTest, TurnsPagesWithTheirPicturesAndIgnoresReturn)
{
    CSubMenuHelp* help = new CSubMenuHelp(app.device, NULL);
    FrontTestApp::Show(help, 2);
    EXPECT_STREQ(help->chooser->labelButton->GetText(), "1/7");
    std::string page = Contents(help->textArea);
    EXPECT_TRUE(StartsWith(page, "Einleitung\n \nZarul ist ein klassisches Puzzle Spiel und die\n")) << page;
    EXPECT_NE(page.find("zu leugnen."), std::string::npos);
    EXPECT_NE(page.find("werden. [.//media//help_all.dds]"), std::string::npos);

    // Text at the top of the window, the picture (hardly any black) at the lower left of the text.
    app.Step(15);
    Image picture = app.Capture(media.File("help.png"));
    WritePng(Kept("frontend_help.png"), picture.width, picture.height, picture.pixels, false);
    EXPECT_GT(CountColor(picture, 23, 26, 168, 40, 125, 94, 375, 187), 100);
    EXPECT_LT(CountColor(picture, 0, 0, 0, 30, 155, 202, 200, 232), 300);

    help->chooser->next_ActionPerformed(CActionEvent());
    EXPECT_TRUE(StartsWith(Contents(help->textArea), "Spielprinzip\n"));
    EXPECT_NE(Contents(help->textArea).find("[.//media//help_play_stone.dds] [.//media//help_spezial.dds]"),
              std::string::npos);
    help->chooser->prev_ActionPerformed(CActionEvent());
    help->chooser->prev_ActionPerformed(CActionEvent());   // round to the last page
    EXPECT_STREQ(help->chooser->labelButton->GetText(), "7/7");
    page = Contents(help->textArea);
    EXPECT_TRUE(StartsWith(page, "Steuerung\n")) << page;
    EXPECT_EQ(page.find("["), std::string::npos);   // no picture

    FrontTestApp::PressKey(28);
    app.Step(15);
    EXPECT_FALSE(help->IsClosing());
    FrontTestApp::PressKey(1);
    app.Step(15);
    EXPECT_FALSE(FrontTestApp::InScene(help));
}

class HighScorePagesTest : public FrontTest {
protected:
    CSubMenuHighScore* OpenScores(int levels, const char* scoreFile)
    {
        WriteText(media.MediaFile("levels.xml"), LevelFileText(levels, 0, 1));
        remove(media.MediaFile("highscore.xml").c_str());
        if (scoreFile)
            WriteText(media.MediaFile("highscore.xml"), scoreFile);
        CSubMenuHighScore* scores = new CSubMenuHighScore(app.device, NULL);
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

    app.Step(15);
    Image picture = app.Capture(media.File("scores.png"));
    WritePng(Kept("frontend_highscore.png"), picture.width, picture.height, picture.pixels, false);
    EXPECT_GT(CountColor(picture, 0, 20, 77, 6, 140, 105, 360, 115), 1000);   // the header bar

    scores->chooser->next_ActionPerformed(CActionEvent());
    EXPECT_EQ(Row(scores->textArea, 0.1f), "8||04.05.2006|12345678");
    EXPECT_EQ(Row(scores->textArea, 0.7f), "14|-|-|-");
    scores->chooser->next_ActionPerformed(CActionEvent());
    EXPECT_EQ(Row(scores->textArea, 0.7f), "21|Bo|07.08.2009|9");
    scores->chooser->next_ActionPerformed(CActionEvent());
    EXPECT_EQ(scores->textArea->GetLineCount(), 0);
}

TEST_F(HighScorePagesTest, LargeLevelFileOffersEveryPage)
{
    CSubMenuHighScore* scores = OpenScores(80, NULL);
    ASSERT_EQ(scores->chooser->GetEntryCount(), 12);
    EXPECT_STREQ(scores->chooser->GetEntry(9), "10/12");
    scores->chooser->prev_ActionPerformed(CActionEvent());
    EXPECT_STREQ(scores->chooser->labelButton->GetText(), "12/12");
    EXPECT_EQ(Row(scores->textArea, 0.1f), "78|-|-|-");
    EXPECT_EQ(Row(scores->textArea, 0.3f), "80|-|-|-");
    EXPECT_EQ(Row(scores->textArea, 0.4f), "");
}

TEST_F(HighScorePagesTest, MissingOrBrokenFilesShowEmptyRows)
{
    const char* files[] = { NULL, "\x01\x02 <<<>>> \xff\xfe", "<HighScores><puzzle><level number=\"1\"><highscore><name>A" };
    for (const char* file : files) {
        SCOPED_TRACE(file ? file : "missing");
        CSubMenuHighScore* scores = OpenScores(3, file);
        EXPECT_EQ(Row(scores->textArea, 0.1f), "1|-|-|-");
        EXPECT_EQ(Row(scores->textArea, 0.3f), "3|-|-|-");
        app.Step(2);
        scores->Close();
        app.Step(15);
    }
    remove(media.MediaFile("levels.xml").c_str());
    CSubMenuHighScore* scores = new CSubMenuHighScore(app.device, NULL);
    FrontTestApp::Show(scores, 2);
    EXPECT_STREQ(scores->chooser->labelButton->GetText(), "1/1");
    EXPECT_EQ(scores->textArea->GetLineCount(), 0);
}

}
