// High-score table and its file.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "CHighScore.h"
#include "CScore.h"
#include "PuzzleTestHelpers.h"

namespace {

CScore* MakeScore(int mode, int level, int score, const char* name, const char* date)
{
    CScore* entry = new CScore();
    entry->mode = mode;
    entry->level = level;
    entry->score = score;
    entry->name = name;
    entry->date = date;
    return entry;
}

// The entries of a list as text: mode, level, score, name and date of each.
std::string ListText(const std::vector<CScore*>& list)
{
    std::string text;
    for (const CScore* e : list)
        text += "[" + std::to_string(e->mode) + " " + std::to_string(e->level) + " " + std::to_string(e->score) + " " +
                e->name + "|" + e->date + "]";
    return text;
}

void LoadFrom(CHighScore& table, const std::string& text)
{
    std::string path = TempPath("highscore_odd.xml");
    WriteFile(path, text);
    table.Load(path.c_str());
}

} // namespace

TEST(PuzzleHighScore, FileLayout)
{
    std::string path = TempPath("highscore_layout.xml");
    CHighScore table;
    table.Save(path.c_str());
    EXPECT_EQ("<HighScores>\r\n<puzzle/>\r\n<panik/>\r\n</HighScores>\r\n", ReadFile(path));

    table.AddScore(MakeScore(CScore::MODE_PUZZLE, 3, 42, "Player", "D"));
    table.Save(path.c_str());
    EXPECT_EQ("<HighScores>\r\n<puzzle>\r\n<level number=\"3\">\r\n<highscore>\r\n"
              "<name>Player</name>\r\n<score>42</score>\r\n<date>D</date>\r\n"
              "</highscore>\r\n</level>\r\n</puzzle>\r\n<panik/>\r\n</HighScores>\r\n",
              ReadFile(path));

    table.puzzleScores[0]->name = "";
    table.Save(path.c_str());
    EXPECT_NE(std::string::npos, ReadFile(path).find("<highscore>\r\n<name/>\r\n<score>42</score>"));
}

TEST(PuzzleHighScore, SaveAndLoadKeepEntriesAndOrder)
{
    CScore fresh;
    EXPECT_EQ(0, fresh.score);
    EXPECT_TRUE(fresh.name.empty() && fresh.date.empty());

    std::string path = TempPath("highscore_round.xml");
    {
        CHighScore table;
        table.AddScore(MakeScore(CScore::MODE_PUZZLE, 2, 17, "Anna & <Ben>", "06.12.2026"));
        table.AddScore(MakeScore(CScore::MODE_PANIK, 5, -3, "", "x"));
        table.AddScore(MakeScore(CScore::MODE_PUZZLE, 1, 999999, "Jörg", ""));
        table.AddScore(MakeScore(7, 9, 4, "seven", "d"));    // any mode but 1 is panik
        table.Save(path.c_str());
    }
    CHighScore table;
    table.Load(path.c_str());
    EXPECT_EQ("[1 2 17 Anna & <Ben>|06.12.2026][1 1 999999 Jörg|]", ListText(table.puzzleScores));
    EXPECT_EQ("[2 5 -3 |x][2 9 4 seven|d]", ListText(table.panikScores));

    // Loading again replaces the lists instead of adding to them.
    table.Load(path.c_str());
    EXPECT_EQ(2u, table.puzzleScores.size());
    EXPECT_EQ(2u, table.panikScores.size());
}

TEST(PuzzleHighScore, LookupFindsTheFirstEntryOfItsListOnly)
{
    CHighScore table;
    CScore* first = MakeScore(CScore::MODE_PUZZLE, 4, 10, "first", "");
    CScore* panik = MakeScore(CScore::MODE_PANIK, 4, 1, "panik", "");
    table.AddScore(first);
    table.AddScore(MakeScore(CScore::MODE_PUZZLE, 4, 5, "second", ""));
    table.AddScore(panik);
    table.AddScore(MakeScore(CScore::MODE_PANIK, 6, 1, "panik", ""));

    EXPECT_EQ(first, table.GetScore(CScore::MODE_PUZZLE, 4));
    EXPECT_EQ(panik, table.GetScore(CScore::MODE_PANIK, 4));
    EXPECT_EQ(panik, table.GetScore(3, 4));
    EXPECT_EQ(nullptr, table.GetScore(CScore::MODE_PUZZLE, 6));
    EXPECT_EQ(nullptr, table.GetScore(CScore::MODE_PUZZLE, 99));
}

TEST(PuzzleHighScore, MissingBrokenOrOddFiles)
{
    // A missing or broken file empties the table (the sanitizer build
    // reports the dropped entries if they leaked).
    CHighScore table;
    table.AddScore(MakeScore(CScore::MODE_PUZZLE, 1, 1, "dropped", ""));
    table.Load(TempPath("highscore_missing_nothing_here.xml").c_str());
    EXPECT_TRUE(table.puzzleScores.empty());
    table.AddScore(MakeScore(CScore::MODE_PANIK, 1, 1, "dropped", ""));
    LoadFrom(table, "<HighScores><puzzle><level number=\"1\">");
    EXPECT_TRUE(table.puzzleScores.empty());
    EXPECT_TRUE(table.panikScores.empty());

    // "panik" before "puzzle" is not read when "puzzle" is present; the
    // root's name does not matter.
    LoadFrom(table, "<Other><panik><level number=\"1\"/></panik><puzzle><level number=\"2\"/></puzzle></Other>");
    EXPECT_EQ("[1 2 0 |]", ListText(table.puzzleScores));
    EXPECT_EQ("", ListText(table.panikScores));

    // A level without "highscore" keeps its number and the defaults; one
    // without "number" reads 0.
    LoadFrom(table, "<HighScores><puzzle><level number=\"8\"/>"
                    "<level><highscore><name>n</name><score>12</score><date>d</date></highscore></level>"
                    "</puzzle></HighScores>");
    EXPECT_EQ("[1 8 0 |][1 0 12 n|d]", ListText(table.puzzleScores));

    // A "score" before "name" is passed by; "date" after "name" is still read.
    LoadFrom(table, "<HighScores><puzzle><level number=\"1\"><highscore>"
                    "<score>5</score><name>late</name><date>today</date></highscore></level></puzzle></HighScores>");
    EXPECT_EQ("[1 1 0 late|today]", ListText(table.puzzleScores));

    // Without "puzzle" the "panik" list is read; without "name", "score" is found.
    LoadFrom(table, "<HighScores><panik><level number=\"2\"><highscore><score>33</score></highscore>"
                    "</level></panik></HighScores>");
    EXPECT_EQ("[2 2 33 |]", ListText(table.panikScores));

    // Saving where no file can be written says so.
    std::string path = TempPath("highscore_dir_missing/none/highscore.xml");
    EXPECT_FALSE(table.Save(path.c_str()));
    EXPECT_EQ(strerror(ENOENT), table.GetResultText());
    EXPECT_EQ("", ReadFile(path));
}
