// The credits window: closed by a key or by the end of the scroll, the mouse
// mask and the keys it holds meanwhile, and the bounds of the visible band.
#include "CCreditWnd.h"
#include "CInputManager.h"
#include "CMouse.h"
#include "CResourceManager.h"
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

}
