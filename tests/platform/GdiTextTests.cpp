// Text drawn with GDI into a window before any device exists: its extent,
// its place, its colours and modes, and what happens without a font.
#include "GdiTextCheck.h"

#include <string>

namespace {

using namespace gdicheck;

TEST(GdiText, CentredTextLiesInsideItsMeasuredExtentInTheContextsColours)
{
    HWND window = OpenWindow(320, 90);
    ASSERT_TRUE(window != nullptr);
    CheckCentredText(window);
    DestroyWindow(window);
}

TEST(GdiText, DefaultsAreBlackOnWhiteAndTransparentTextKeepsWhatIsBehind)
{
    HWND window = OpenWindow(200, 60);
    ASSERT_TRUE(window != nullptr);
    HDC dc = GetDC(window);
    RECT box = {10, 10, 190, 30};
    RECT measured = box;
    int height = DrawTextA(dc, "Zarul", -1, &measured, DT_CALCRECT | DT_SINGLELINE);
    DrawTextA(dc, "Zarul", -1, &box, DT_SINGLELINE);

    // A second text without a background, in green, over the black below.
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 255, 0));
    EXPECT_TRUE(TextOutA(dc, 10, 35, "Zarul", 5));
    ReleaseDC(window, dc);

    Shown shown = ReadWindow(window);
    int white = 0, black = 0, green = 0;
    for (int y = 0; y < shown.height; y++) {
        for (int x = 0; x < shown.width; x++) {
            COLORREF pixel = shown.At(x, y);
            bool first = x >= 10 && x < measured.right && y >= 10 && y < 10 + height;
            if (first) {
                EXPECT_GE(Coverage(pixel, RGB(255, 255, 255), RGB(0, 0, 0)), 0) << x << "," << y;
                white += pixel == RGB(255, 255, 255);
                black += Coverage(pixel, RGB(255, 255, 255), RGB(0, 0, 0)) > 235;
            } else if (y >= 35 && y < 35 + height) {
                EXPECT_GE(Coverage(pixel, RGB(0, 0, 0), RGB(0, 255, 0)), 0) << x << "," << y;
                green += GetGValue(pixel) > 235;
            } else {
                EXPECT_EQ(RGB(0, 0, 0), pixel) << x << "," << y;
            }
        }
    }
    EXPECT_GT(white, black);
    EXPECT_GT(black, 20);
    EXPECT_GT(green, 20);
    DestroyWindow(window);
}

TEST(GdiText, WithoutAFontTextIsMeasuredButNotDrawnAndTheLogSaysSo)
{
    HWND window = OpenWindow(120, 40);
    ASSERT_TRUE(window != nullptr);
    Shown before = ReadWindow(window);
    setenv("ZARUL_GDI_FONT", "/nonexistent/zarul-test.ttf", 1);
    testing::internal::CaptureStderr();
    HDC dc = GetDC(window);
    RECT measured = {0, 0, 0, 0};
    int height = DrawTextA(dc, "abc", -1, &measured, DT_CALCRECT | DT_SINGLELINE);
    RECT client;
    GetClientRect(window, &client);
    DrawTextA(dc, "abc", -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ReleaseDC(window, dc);
    std::string log = testing::internal::GetCapturedStderr();
    unsetenv("ZARUL_GDI_FONT");

    EXPECT_GT(height, 0);
    EXPECT_GT(measured.right, 0);
    EXPECT_NE(std::string::npos, log.find("/nonexistent/zarul-test.ttf")) << log;
    EXPECT_TRUE(ReadWindow(window).bgra == before.bgra) << "the window changed";
    DestroyWindow(window);
}

} // namespace
