// The credits window: closing by key and by the end of the scroll, the mouse
// mask and the keys it takes while open, and the bounds of the visible band.
#include <gtest/gtest.h>

#include "CCreditWnd.h"
#include "CInputManager.h"
#include "CMouse.h"
#include "CObjQueue.h"
#include "CResourceManager.h"
#include "FrontTestApp.h"
#include "TestFiles.h"

namespace {

class CreditWndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(app.Open());
        credits = new CCreditWnd(app.device);
        CResourceManager::GetObjectQueue()->AddObject(credits, 4, 0);
    }

    FrontTestApp app;
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
    // Frozen scroll: only the line under test lies in the visible band, so the
    // window stays exactly while that line is drawn.
    credits->scrollSpeed = 0.0f;
    for (int i = 0; i < credits->lineCount; i++)
        credits->lines[i].y = 1.5f;

    credits->lines[3].y = 1.0f;
    app.Step(2);
    EXPECT_TRUE(FrontTestApp::InScene(credits));
    EXPECT_TRUE(app.mouse->IsMaskOn());

    credits->lines[3].y = 0.0f;
    app.Step(1);
    EXPECT_FALSE(FrontTestApp::InScene(credits));
    EXPECT_FALSE(app.mouse->IsMaskOn());
}

TEST_F(CreditWndTest, ScrollsBlueCentredTextAndLeavesAfterTheLastLine)
{
    ASSERT_EQ(credits->lineCount, 14);
    EXPECT_FLOAT_EQ(credits->lines[0].y, 1.0f);
    EXPECT_FLOAT_EQ(credits->lines[13].y, 2.28f);
    for (int i = 0; i < credits->lineCount; i++) {
        if (credits->textBuffer[credits->lines[i].offset] == 0)
            continue;   // the empty line under the web address
        EXPECT_GT(credits->lines[i].x, 0.0f) << i;
        EXPECT_LT(credits->lines[i].x, 0.5f) << i;
    }

    // 12 s in: the first pairs stand in the middle of the screen.
    app.Step(120, 0.1f);
    Image picture = app.Capture();
    WritePng(BuildPath("frontend_credits.png"), picture.width, picture.height, picture.pixels, false);
    int w = picture.width, h = picture.height;
    int text = CountColor(picture, 23, 26, 168, 40, 0, 0, w, h);
    EXPECT_GT(text, 200);
    // Centred: about as much text left of the middle as right of it.
    int left = CountColor(picture, 23, 26, 168, 40, 0, 0, w / 2, h);
    EXPECT_NEAR((double)left / text, 0.5, 0.15);

    // The last line (2.28 below the top at the start) leaves at 2.28 / 0.07 = 32.57 s.
    app.Step(320 - 121, 0.1f);
    EXPECT_TRUE(FrontTestApp::InScene(credits));
    app.Step(4, 0.1f);
    EXPECT_TRUE(FrontTestApp::InScene(credits));
    app.Step(3, 0.1f);
    EXPECT_FALSE(FrontTestApp::InScene(credits));
    EXPECT_FALSE(app.mouse->IsMaskOn());
}

}
