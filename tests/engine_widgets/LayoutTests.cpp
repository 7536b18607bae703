// Rectangles in parent fractions turned into back-buffer pixels.
#include <gtest/gtest.h>

#include "WindowLayout.h"

static PixelRect Screen(float w, float h)
{
    PixelRect r = { 0.0f, 0.0f, w, h };
    return r;
}

TEST(WindowLayout, NestedFractionsBecomePixels)
{
    // The name box below the new-best picture: (0, 1, 1, 0.2) of (0.35, 0.4, 0.3, 0.2).
    PixelRect icon = ChildPixelRect(Screen(500, 375), CRECTVirtual(0.35f, 0.4f, 0.3f, 0.2f), false);
    PixelRect box = ChildPixelRect(icon, CRECTVirtual(0.0f, 1.0f, 1.0f, 0.2f), false);
    CRECTScreen s = RoundPixelRect(box);
    EXPECT_EQ(s.x, 175);
    EXPECT_EQ(s.y, 225);
    EXPECT_EQ(s.width, 150);
    EXPECT_EQ(s.height, 15);

    // Three levels: a help picture in the text area in the submenu.
    PixelRect menu = ChildPixelRect(Screen(800, 600), CRECTVirtual(0.25f, 0.25f, 0.5f, 0.5f), false);
    PixelRect area = ChildPixelRect(menu, CRECTVirtual(0.05f, 0.1f, 0.8f, 0.8f), false);
    PixelRect pic = ChildPixelRect(area, CRECTVirtual(0.05f, 0.55f, 0.3f, 0.3f), false);
    EXPECT_NEAR(pic.x, 200 + 20 + 0.05f * 320, 1e-3);
    EXPECT_NEAR(pic.y, 150 + 30 + 0.55f * 240, 1e-3);
    EXPECT_NEAR(pic.width, 96, 1e-3);
    EXPECT_NEAR(pic.height, 72, 1e-3);
}

TEST(WindowLayout, QuadraticKeepsCornerAndShorterSide)
{
    PixelRect exit = ChildPixelRect(Screen(500, 375), CRECTVirtual(0.03f, 0.9f, 0.04f, 0.04f), true);
    EXPECT_FLOAT_EQ(exit.x, 15.0f);
    EXPECT_FLOAT_EQ(exit.y, 337.5f);
    EXPECT_FLOAT_EQ(exit.width, 15.0f);
    EXPECT_FLOAT_EQ(exit.height, 15.0f);
    PixelRect tall = ChildPixelRect(Screen(100, 400), CRECTVirtual(0.0f, 0.0f, 0.5f, 0.5f), true);
    EXPECT_FLOAT_EQ(tall.width, 50.0f);
    EXPECT_FLOAT_EQ(tall.height, 50.0f);
}

TEST(WindowLayout, RoundingKeepsNeighboursTouchingAndPointsInsideOne)
{
    // Four buttons stacked at 0.75, 0.8, 0.85, 0.9 of a panel, each 0.05 high.
    PixelRect panel = ChildPixelRect(Screen(500, 375), CRECTVirtual(0.82f, 0.02f, 0.16f, 0.8f), false);
    PixelRect upper = ChildPixelRect(panel, CRECTVirtual(0.1f, 0.75f, 0.8f, 0.05f), false);
    PixelRect lower = ChildPixelRect(panel, CRECTVirtual(0.1f, 0.8f, 0.8f, 0.05f), false);
    CRECTScreen a = RoundPixelRect(upper);
    CRECTScreen b = RoundPixelRect(lower);
    EXPECT_EQ(a.y + a.height, b.y);
    float edge = upper.y + upper.height;
    EXPECT_FALSE(PixelRectContains(upper, upper.x + 1, edge));
    EXPECT_TRUE(PixelRectContains(lower, lower.x + 1, edge));
    EXPECT_FALSE(PixelRectContains(lower, lower.x + lower.width, edge + 1));
    // An empty rectangle holds nothing, not even its corner.
    EXPECT_FALSE(CRECTScreen().Contains(0, 0));
}
