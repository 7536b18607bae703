// High-score table and its file.
#include <gtest/gtest.h>

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

std::string LoadFrom(CHighScore& table, const std::string& text)
{
    std::string path = TempPath("highscore_odd.xml");
    WriteFile(path, text);
    table.Load(path.c_str());
    return path;
}

} // namespace

TEST(PuzzleHighScore, NewEntryDefaults)
{
    CScore entry;
    EXPECT_EQ(0, entry.score);
    EXPECT_TRUE(entry.name.empty());
    EXPECT_TRUE(entry.date.empty());
    EXPECT_EQ(1, CScore::MODE_PUZZLE);
    EXPECT_EQ(2, CScore::MODE_PANIK);
}

TEST(PuzzleHighScore, EmptyTableFileLayout)
{
    std::string path = TempPath("highscore_empty.xml");
    CHighScore table;
    table.Save(path.c_str());
    EXPECT_EQ("<HighScores>\r\n<puzzle/>\r\n<panik/>\r\n</HighScores>\r\n", ReadFile(path));

    CHighScore loaded;
    loaded.AddScore(MakeScore(1, 1, 1, "x", "y"));
    loaded.Load(path.c_str());
    EXPECT_TRUE(loaded.puzzleScores.empty());
    EXPECT_TRUE(loaded.panikScores.empty());
}

TEST(PuzzleHighScore, OneEntryFileLayout)
{
    std::string path = TempPath("highscore_one.xml");
    CHighScore table;
    table.AddScore(MakeScore(CScore::MODE_PUZZLE, 3, 42, "Player", "D"));
    table.Save(path.c_str());
    EXPECT_EQ("<HighScores>\r\n<puzzle>\r\n<level number=\"3\">\r\n<highscore>\r\n"
              "<name>Player</name>\r\n<score>42</score>\r\n<date>D</date>\r\n"
              "</highscore>\r\n</level>\r\n</puzzle>\r\n<panik/>\r\n</HighScores>\r\n",
              ReadFile(path));
}

TEST(PuzzleHighScore, SaveAndLoadKeepEntriesAndOrder)
{
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
    ASSERT_EQ(2u, table.puzzleScores.size());
    ASSERT_EQ(2u, table.panikScores.size());
    EXPECT_EQ(2, table.puzzleScores[0]->level);
    EXPECT_EQ(17, table.puzzleScores[0]->score);
    EXPECT_EQ("Anna & <Ben>", table.puzzleScores[0]->name);
    EXPECT_EQ("06.12.2026", table.puzzleScores[0]->date);
    EXPECT_EQ(CScore::MODE_PUZZLE, table.puzzleScores[0]->mode);
    EXPECT_EQ(1, table.puzzleScores[1]->level);
    EXPECT_EQ("Jörg", table.puzzleScores[1]->name);
    EXPECT_EQ(999999, table.puzzleScores[1]->score);
    EXPECT_EQ(5, table.panikScores[0]->level);
    EXPECT_EQ(-3, table.panikScores[0]->score);
    EXPECT_EQ("", table.panikScores[0]->name);
    EXPECT_EQ(CScore::MODE_PANIK, table.panikScores[0]->mode);
    EXPECT_EQ(CScore::MODE_PANIK, table.panikScores[1]->mode);
    EXPECT_EQ(9, table.panikScores[1]->level);

    // Loading again replaces the lists instead of adding to them.
    table.Load(path.c_str());
    EXPECT_EQ(2u, table.puzzleScores.size());
}

TEST(PuzzleHighScore, LookupFindsTheFirstEntryOfItsListOnly)
{
    CHighScore table;
    CScore* first = MakeScore(CScore::MODE_PUZZLE, 4, 10, "first", "");
    table.AddScore(first);
    table.AddScore(MakeScore(CScore::MODE_PUZZLE, 4, 5, "second", ""));
    CScore* panik = MakeScore(CScore::MODE_PANIK, 4, 1, "panik", "");
    table.AddScore(panik);
    table.AddScore(MakeScore(CScore::MODE_PANIK, 6, 1, "panik", ""));

    EXPECT_EQ(first, table.GetScore(CScore::MODE_PUZZLE, 4));
    EXPECT_EQ(panik, table.GetScore(CScore::MODE_PANIK, 4));
    EXPECT_EQ(panik, table.GetScore(3, 4));
    EXPECT_EQ(nullptr, table.GetScore(CScore::MODE_PUZZLE, 6));
    EXPECT_EQ(nullptr, table.GetScore(CScore::MODE_PUZZLE, 99));
}

TEST(PuzzleHighScore, MissingOrBrokenFileGivesEmptyLists)
{
    CHighScore table;
    table.AddScore(MakeScore(CScore::MODE_PUZZLE, 1, 1, "kept?", ""));
    table.Load(TempPath("highscore_missing_nothing_here.xml").c_str());
    EXPECT_TRUE(table.puzzleScores.empty());

    table.AddScore(MakeScore(CScore::MODE_PANIK, 1, 1, "kept?", ""));
    LoadFrom(table, "<HighScores><puzzle><level number=\"1\">");
    EXPECT_TRUE(table.puzzleScores.empty());
    EXPECT_TRUE(table.panikScores.empty());
}

TEST(PuzzleHighScore, OddFiles)
{
    CHighScore table;

    // "panik" before "puzzle" is not read when "puzzle" is present; the
    // root's name does not matter.
    LoadFrom(table, "<Other><panik><level number=\"1\"/></panik>"
                    "<puzzle><level number=\"2\"/></puzzle></Other>");
    EXPECT_EQ(1u, table.puzzleScores.size());
    EXPECT_TRUE(table.panikScores.empty());

    // A level without "highscore" keeps its number and the defaults; one
    // without "number" reads 0.
    LoadFrom(table, "<HighScores><puzzle><level number=\"8\"/>"
                    "<level><highscore><name>n</name><score>12</score><date>d</date></highscore></level>"
                    "</puzzle></HighScores>");
    ASSERT_EQ(2u, table.puzzleScores.size());
    EXPECT_EQ(8, table.puzzleScores[0]->level);
    EXPECT_EQ(0, table.puzzleScores[0]->score);
    EXPECT_EQ("", table.puzzleScores[0]->name);
    EXPECT_EQ(0, table.puzzleScores[1]->level);
    EXPECT_EQ(12, table.puzzleScores[1]->score);
    EXPECT_EQ("d", table.puzzleScores[1]->date);

    // A "score" before "name" is passed by; "date" after "name" is still read.
    LoadFrom(table, "<HighScores><puzzle><level number=\"1\"><highscore>"
                    "<score>5</score><name>late</name><date>today</date>"
                    "</highscore></level></puzzle></HighScores>");
    ASSERT_EQ(1u, table.puzzleScores.size());
    EXPECT_EQ(0, table.puzzleScores[0]->score);
    EXPECT_EQ("late", table.puzzleScores[0]->name);
    EXPECT_EQ("today", table.puzzleScores[0]->date);

    // Without "name" the score is found from the start.
    LoadFrom(table, "<HighScores><panik><level number=\"2\"><highscore>"
                    "<score>33</score></highscore></level></panik></HighScores>");
    ASSERT_EQ(1u, table.panikScores.size());
    EXPECT_EQ(33, table.panikScores[0]->score);
}

TEST(PuzzleHighScore, SaveToAnUnwritablePathIsQuiet)
{
    std::string path = TempPath("highscore_dir_missing/none/highscore.xml");
    CHighScore table;
    table.AddScore(MakeScore(CScore::MODE_PUZZLE, 1, 1, "a", "b"));
    table.Save(path.c_str());
    EXPECT_EQ("", ReadFile(path));
}
