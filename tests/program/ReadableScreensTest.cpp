// Every text a player reads, on the smallest window (500 x 375): it must stand
// out from what lies right around its glyphs (WCAG contrast of at least 4.5),
// and stay inside its widget. The company logo must show whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <vector>

#include "ProgramRun.h"

namespace {

std::string At(int frame, const std::string& command)
{
    return std::to_string(frame) + " " + command + "\n";
}

// Relative luminance of an sRGB pixel, as WCAG defines it.
double Luminance(uint32_t p)
{
    double channel[3] = { R(p) / 255.0, G(p) / 255.0, B(p) / 255.0 };
    for (double& c : channel)
        c = c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    return 0.2126 * channel[0] + 0.7152 * channel[1] + 0.0722 * channel[2];
}

// The game's text blue, and what antialiasing leaves of it: clearly blue.
bool TextBlue(uint32_t p)
{
    return B(p) >= 100 && B(p) - std::max(R(p), G(p)) >= 60;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

struct Region {
    const char* name;
    int x, y, width, height;
};

struct TextContrast {
    double ratio;
    int glyphPixels;
};

// The glyph pixels of a region against the pixels two steps away from them
// (past the glyphs' own antialiased edge): the medians of both luminances.
TextContrast MeasureText(const Image& picture, const Region& r)
{
    const int margin = 3;
    int x0 = std::max(0, r.x - margin), y0 = std::max(0, r.y - margin);
    int x1 = std::min(picture.width, r.x + r.width + margin), y1 = std::min(picture.height, r.y + r.height + margin);
    int w = x1 - x0, h = y1 - y0;
    std::vector<int> distance((size_t)w * h, 99);
    std::vector<double> glyph, around;
    for (int y = r.y; y < r.y + r.height; y++)
        for (int x = r.x; x < r.x + r.width; x++)
            if (TextBlue(picture.Pixel(x, y))) {
                glyph.push_back(Luminance(picture.Pixel(x, y)));
                for (int dy = -2; dy <= 2; dy++)
                    for (int dx = -2; dx <= 2; dx++) {
                        int px = x + dx - x0, py = y + dy - y0;
                        int& d = distance[(size_t)py * w + px];
                        d = std::min(d, std::max(std::abs(dx), std::abs(dy)));
                    }
            }
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            if (distance[(size_t)y * w + x] == 2 && !TextBlue(picture.Pixel(x + x0, y + y0)))
                around.push_back(Luminance(picture.Pixel(x + x0, y + y0)));
    double text = Median(glyph), ground = Median(around);
    TextContrast result = { (std::max(text, ground) + 0.05) / (std::min(text, ground) + 0.05), (int)glyph.size() };
    return result;
}

int GlyphPixels(const Image& picture, const Region& r)
{
    int count = 0;
    for (int y = r.y; y < r.y + r.height; y++)
        for (int x = r.x; x < r.x + r.width; x++)
            if (TextBlue(picture.Pixel(x, y)))
                count++;
    return count;
}

// Checks the text regions of one snapshot and prints their figures.
void ExpectReadable(const Image& picture, const char* snapshot, const std::vector<Region>& regions)
{
    for (const Region& r : regions) {
        TextContrast c = MeasureText(picture, r);
        char line[160];
        snprintf(line, sizeof(line), "%-14s %-22s contrast %5.2f over %d glyph pixels", snapshot, r.name, c.ratio,
                 c.glyphPixels);
        printf("%s\n", line);
        EXPECT_GE(c.glyphPixels, 20) << line;
        EXPECT_GE(c.ratio, 4.5) << line;
    }
}

// Places on the 500 x 375 window. A submenu covers (125, 94)-(375, 281); a
// question (150, 169)-(350, 244); the heads-up panel (410, 8)-(490, 308).
TEST(ReadableScreens, MenuSubmenusHelpHighScoresAndQuestionStandOutAndStayInside)
{
    ProgramRun run("readable");
    ASSERT_TRUE(run.IsReady());
    // Level 5's best player has a name of 31 wide letters.
    std::ofstream(run.MediaFile("highscore.xml"))
        << "<HighScores><puzzle>"
           "<level number=\"1\"><highscore><name>Anna</name><score>99</score><date>01.02.2026</date>"
           "</highscore></level>"
           "<level number=\"5\"><highscore><name>WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW</name><score>4567</score>"
           "<date>07.12.2026</date></highscore></level>"
           "</puzzle><panik></panik></HighScores>";

    const std::string cube = "click left 0.5 0.55";
    std::string script = At(45, "snapshot logo.png") + At(200, "move 0.45 0.6") + At(201, "key Left") +   // help
                         At(240, "move 0.5 0.56") + At(241, cube) + At(270, "snapshot help1.png") +
                         // Beside the 5 x 9 pixel next-page arrow, where its grown hit area reaches.
                         At(271, "click left 0.532 0.6667") +
                         At(290, "snapshot help2.png") + At(291, "key Escape") + At(310, "key Left") +
                         At(330, "key Left") +   // the high scores
                         At(360, "move 0.5 0.56") + At(361, cube) + At(390, "snapshot score.png") +
                         At(391, "key Escape") + At(410, "key Left") +   // the options
                         At(440, "move 0.5 0.56") + At(441, cube) + At(470, "snapshot options.png") +
                         At(471, "key Escape") + At(490, "key Escape") + At(500, "snapshot quit.png");
    ASSERT_EQ(0, run.Run(script, 505)) << run.Log();
    Image logo, help1, help2, score, options, quit;
    ASSERT_TRUE(run.Snapshot("logo.png", logo));
    ASSERT_TRUE(run.Snapshot("help1.png", help1));
    ASSERT_TRUE(run.Snapshot("help2.png", help2));
    ASSERT_TRUE(run.Snapshot("score.png", score));
    ASSERT_TRUE(run.Snapshot("options.png", options));
    ASSERT_TRUE(run.Snapshot("quit.png", quit));
    run.Keep("help1.png", "readable_help1.png");
    run.Keep("help2.png", "readable_help2.png");
    run.Keep("score.png", "readable_highscores.png");
    run.Keep("options.png", "readable_options.png");
    run.Keep("quit.png", "readable_question.png");
    run.Keep("logo.png", "readable_logo.png");

    EXPECT_GT(DifferentPixels(help1, help2, 137, 112, 200, 75, 60), 500) << "the page did not turn";

    const Region back = { "zurueck", 222, 250, 56, 24 };
    ExpectReadable(help1, "help1", { { "text over the cube", 137, 112, 200, 75 }, back });
    ExpectReadable(help2, "help2", { { "text", 137, 112, 200, 80 } });
    ExpectReadable(score, "highscores", { { "header", 137, 103, 225, 13 }, { "rows", 137, 125, 225, 110 } });
    ExpectReadable(options, "options", { { "labels", 140, 100, 80, 150 } });
    ExpectReadable(quit, "question",
                   { { "question", 155, 176, 190, 26 }, { "zurueck", 215, 229, 70, 15 } });

    // Nothing of a submenu's text beyond its frame; the long name ends before the date column.
    EXPECT_EQ(0, GlyphPixels(score, { "right of the window", 376, 94, 124, 188 }));
    EXPECT_EQ(0, GlyphPixels(help2, { "right of the window", 376, 94, 124, 188 }));
    EXPECT_EQ(0, GlyphPixels(score, { "between name and date", 256, 185, 4, 15 }));
    EXPECT_EQ(0, GlyphPixels(quit, { "left of the question", 100, 169, 50, 75 }));

    // The company logo lies inside the window with black all round it.
    MeanColour middle = Mean(logo, 150, 100, 200, 175);
    EXPECT_GT(middle.r + middle.g + middle.b, 150.0);
    for (const Region& edge : { Region{ "top", 0, 0, 500, 3 }, Region{ "bottom", 0, 372, 500, 3 },
                                Region{ "left", 0, 0, 3, 375 }, Region{ "right", 497, 0, 3, 375 } }) {
        MeanColour m = Mean(logo, edge.x, edge.y, edge.width, edge.height);
        EXPECT_LT(m.r + m.g + m.b, 6.0) << edge.name << " edge of the logo";
    }
}

TEST(ReadableScreens, HeadsUpPanelStandsOut)
{
    ProgramRun run("readable_hud");
    ASSERT_TRUE(run.IsReady());
    std::string script = At(200, "move 0.45 0.6") + At(201, "click left 0.5 0.55") +
                         At(216, "click left 0.5 0.49") + At(330, "snapshot game.png");
    ASSERT_EQ(0, run.Run(script, 331)) << run.Log();
    Image game;
    ASSERT_TRUE(run.Snapshot("game.png", game));
    run.Keep("game.png", "readable_hud.png");
    ExpectReadable(game, "heads-up", { { "labels", 412, 35, 76, 68 }, { "buttons", 418, 232, 64, 46 } });
    EXPECT_EQ(0, GlyphPixels(game, { "right of the panel", 491, 8, 9, 300 }));
}

} // namespace
