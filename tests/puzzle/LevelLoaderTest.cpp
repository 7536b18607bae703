// Level record, level list and level file.
#include <algorithm>

#include <gtest/gtest.h>

#include "CHighScore.h"
#include "CLevel.h"
#include "CLevelLoader.h"
#include "CScore.h"
#include "CStoneInfo.h"
#include "INextStoneViewFactory.h"
#include "PuzzleTestHelpers.h"

namespace {

CLevel* NamedLevel(const std::string& name)
{
    CLevel* level = new CLevel();
    level->SetName(name);
    return level;
}

// A loader holding levels named by the letters of the text.
void FillLetters(CLevelLoader& loader, const char* letters)
{
    for (const char* c = letters; *c; c++)
        loader.levels.push_back(NamedLevel(std::string(1, *c)));
}

std::string Letters(CLevelLoader& loader)
{
    std::string text;
    for (CLevel* level : loader.levels)
        text += level->name;
    return text;
}

int LoadText(CLevelLoader& loader, const std::string& text)
{
    std::string path = TempPath("levels_text.xml");
    WriteFile(path, text);
    return loader.Load(path.c_str());
}

// Current, last and completed level.
std::string Numbers(const CLevelLoader& loader)
{
    return std::to_string(loader.current) + " " + std::to_string(loader.last) + " " + std::to_string(loader.completed);
}

// Everything a level holds, as one line of text.
std::string LevelText(const CLevel* level)
{
    std::string text = "#" + std::to_string(level->number) + " " + level->name + " size " + std::to_string(level->size) +
                       " mode " + std::to_string(level->placeableMode) + " stack";
    for (int i = 0; i < level->placeableCount; i++)
        text += " " + std::to_string(level->placeableTypes[i]);
    text += " fields";
    for (int i = 0; i < level->fieldCount; i++)
        text += " " + RecordText(level->fields[i]);
    text += " stones";
    for (int i = 0; i < level->stoneCount; i++)
        text += " " + RecordText(*level->stones[i]);
    return text;
}

// Writes down which kind of next-stone view the list asks for; the views it
// hands back are tokens.
class RecordingFactory : public INextStoneViewFactory
{
public:
    CNextStoneView* CreateRandomNextStoneView() override
    {
        asked += "random;";
        return reinterpret_cast<CNextStoneView*>(&randomToken);
    }
    CNextStoneView* CreateNextStoneStackView(int count, int* types) override
    {
        asked += "stack " + std::to_string(count) + ";";
        stackTypes = types;
        return reinterpret_cast<CNextStoneView*>(&stackToken);
    }

    char randomToken = 0;
    char stackToken = 0;
    std::string asked;
    int* stackTypes = nullptr;
};

const char* const twoLevels =
    "<levels completed=\"1\" last=\"2\">"
    "<level nr=\"1\" name=\"One\"><grid size=\"6\"/><placeable mode=\"0\"/><stones/></level>"
    "<level nr=\"2\" name=\"Two\"><grid size=\"6\"/><placeable mode=\"0\"/><stones/></level>"
    "</levels>";

} // namespace

TEST(PuzzleLevel, NewLevelAndItsStonesOrderedByLayer)
{
    CLevel level;
    EXPECT_EQ("#0 New Level size 0 mode 0 stack fields stones", LevelText(&level));
    EXPECT_EQ(nullptr, level.placeableTypes);
    EXPECT_EQ(nullptr, level.stones);
    EXPECT_EQ(nullptr, level.fields);

    // Layers 2, 0, 1, 0 end up 0, 0, 1, 2; one layer keeps its order.
    CStoneInfo** stones = new CStoneInfo*[4];
    stones[0] = new CStoneInfo(0, 0, 2, 4, "a");
    stones[1] = new CStoneInfo(1, 0, 0, 4, "b");
    stones[2] = new CStoneInfo(0, 0, 1, 4, "c");
    stones[3] = new CStoneInfo(0, 0, 0, 4, "d");
    level.SetStones(stones, 4);
    ASSERT_EQ(4, level.stoneCount);
    EXPECT_EQ("bdca", level.stones[0]->name + level.stones[1]->name + level.stones[2]->name + level.stones[3]->name);

    // Replaced arrays are freed (the sanitizer build reports leaks).
    level.SetFields(new CStoneInfo[2], 2);
    level.SetStones(nullptr, 0);
    EXPECT_EQ(0, level.stoneCount);
    EXPECT_EQ(nullptr, level.stones);
    level.SetFields(new CStoneInfo[1], 1);
    EXPECT_EQ(1, level.fieldCount);
}

TEST(PuzzleLevelLoader, FileLayoutAndRoundTrip)
{
    std::string path = TempPath("levels_layout.xml");
    CLevelLoader loader;
    loader.Save(path.c_str());
    EXPECT_EQ("<levels completed=\"0\" last=\"1\"/>\r\n", ReadFile(path));

    loader.completed = 3;
    loader.last = 2;
    CLevel* level = NamedLevel("Erste \"Ebene\" & <mehr>");
    level->number = 17;
    level->size = 6;
    level->placeableCount = 2;
    level->placeableTypes = new int[2] { 3, 1001 };
    CStoneInfo* fields = new CStoneInfo[1];
    fields[0] = CStoneInfo(1, 2, 0, 1001, "");
    level->SetFields(fields, 1);
    CStoneInfo** stones = new CStoneInfo*[2];
    stones[0] = new CStoneInfo(4, 5, 1, 2, "");
    stones[1] = new CStoneInfo(4, 5, 0, 1, "");
    level->SetStones(stones, 2);
    loader.levels.push_back(level);
    loader.levels.push_back(NamedLevel("R"));
    loader.levels[1]->placeableMode = 1;
    loader.Save(path.c_str());
    EXPECT_EQ("<levels completed=\"3\" last=\"2\">\r\n"
              "<level nr=\"1\" name=\"Erste &quot;Ebene&quot; &amp; &lt;mehr&gt;\">\r\n"
              "<grid size=\"6\">\r\n<field type=\"1001\">\r\n<position x=\"1\" y=\"2\" z=\"0\"/>\r\n</field>\r\n</grid>\r\n"
              "<placeable mode=\"0\">\r\n<stone type=\"3\"/>\r\n<stone type=\"1001\"/>\r\n</placeable>\r\n"
              "<stones>\r\n"
              "<stone type=\"1\">\r\n<position x=\"4\" y=\"5\" z=\"0\"/>\r\n</stone>\r\n"
              "<stone type=\"2\">\r\n<position x=\"4\" y=\"5\" z=\"1\"/>\r\n</stone>\r\n"
              "</stones>\r\n</level>\r\n"
              "<level nr=\"2\" name=\"R\">\r\n<grid size=\"0\"/>\r\n<placeable mode=\"1\"/>\r\n<stones/>\r\n</level>\r\n"
              "</levels>\r\n",
              ReadFile(path));

    // Saving numbered the levels by their place.
    CLevelLoader loaded;
    ASSERT_EQ(1, loaded.Load(path.c_str()));
    EXPECT_EQ(1, loaded.loaded);
    EXPECT_EQ("2 2 3", Numbers(loaded));
    ASSERT_EQ(2, loaded.GetLevelCount());
    EXPECT_EQ("#1 Erste \"Ebene\" & <mehr> size 6 mode 0 stack 3 1001 fields 1,2,0 1001 stones 4,5,0 1 4,5,1 2",
              LevelText(loaded.GetLevel(1)));
    EXPECT_EQ("#2 R size 0 mode 1 stack fields stones", LevelText(loaded.GetLevel(2)));
}

// Both files hold names: the editor's level names, the name entry's best
// results. Older files hold Latin-1; everything is written as UTF-8.
TEST(PuzzleLevelLoader, NamesInBothFilesAreWrittenAsUtf8AndLatin1FilesReadTheSame)
{
    CLevelLoader loader;
    ASSERT_EQ(1, LoadText(loader, "<levels><level name=\"J\xF6rg\"/><level name=\"\xC3\x84rger\"/></levels>"));
    EXPECT_EQ("J\xC3\xB6rg", loader.GetLevel(1)->name);
    EXPECT_EQ("\xC3\x84rger", loader.GetLevel(2)->name);
    std::string path = TempPath("levels_names.xml");
    ASSERT_TRUE(loader.Save(path.c_str()));
    std::string saved = ReadFile(path);
    EXPECT_NE(saved.find("name=\"J\xC3\xB6rg\""), std::string::npos) << saved;
    EXPECT_NE(saved.find("name=\"\xC3\x84rger\""), std::string::npos) << saved;

    path = TempPath("highscore_names.xml");
    WriteFile(path, "<HighScores><puzzle><level number=\"1\"><highscore><name>\xC4rger</name>"
                    "<score>5</score><date>d</date></highscore></level></puzzle></HighScores>");
    CHighScore table;
    table.Load(path.c_str());
    ASSERT_EQ(1u, table.puzzleScores.size());
    EXPECT_EQ("\xC3\x84rger", table.puzzleScores[0]->name);
    table.Save(path.c_str());
    EXPECT_NE(ReadFile(path).find("<name>\xC3\x84rger</name>"), std::string::npos);
}

TEST(PuzzleLevelLoader, MissingPartsOfALevel)
{
    CLevelLoader loader;
    ASSERT_EQ(1, LoadText(loader,
        "<levels completed=\"0\" last=\"1\">"
        // no placeable element
        "<level nr=\"1\" name=\"A\"><grid size=\"6\"/><stones/></level>"
        // placeable without stones; a field and a stone without position;
        // stones out of layer order
        "<level nr=\"2\" name=\"B\"><grid size=\"6\"><field type=\"1001\"/></grid>"
        "<placeable mode=\"3\"/><stones><stone type=\"3\"><position x=\"1\" y=\"1\" z=\"1\"/></stone>"
        "<stone type=\"4\"/></stones></level>"
        // no grid and no stones: the placeable stones stay placeable stones
        "<level name=\"C\"><placeable mode=\"0\"><stone type=\"2\"/><stone type=\"5\"/></placeable></level>"
        // no grid
        "<level name=\"D\"><placeable mode=\"0\"><stone type=\"2\"/></placeable><stones><stone type=\"4\"/></stones></level>"
        "</levels>"));
    ASSERT_EQ(4, loader.GetLevelCount());

    EXPECT_EQ("#1 A size 6 mode 0 stack fields stones", LevelText(loader.GetLevel(1)));
    EXPECT_EQ("#2 B size 6 mode 3 stack fields 0,0,0 1001 stones 0,0,0 4 1,1,1 3", LevelText(loader.GetLevel(2)));
    EXPECT_EQ("#0 C size 0 mode 0 stack 2 5 fields stones", LevelText(loader.GetLevel(3)));
    EXPECT_EQ("#0 D size 0 mode 0 stack 2 fields stones 0,0,0 4", LevelText(loader.GetLevel(4)));
    EXPECT_EQ(nullptr, loader.GetLevel(1)->placeableTypes);
}

TEST(PuzzleLevelLoader, LoadingAddsLevelsAndFailuresChangeNothing)
{
    CLevelLoader loader;
    ASSERT_EQ(1, LoadText(loader, twoLevels));
    ASSERT_EQ(1, LoadText(loader, twoLevels));
    ASSERT_EQ(4, loader.GetLevelCount());
    EXPECT_EQ("One", loader.GetLevel(3)->name);
    EXPECT_EQ("Two", loader.GetLevel(4)->name);

    EXPECT_EQ(0, loader.Load(TempPath("levels_not_there.xml").c_str()));
    EXPECT_EQ(0, loader.loaded);
    EXPECT_EQ(0, LoadText(loader, "<levels completed=\"5\" last=\"1\"><level>"));
    EXPECT_EQ(4, loader.GetLevelCount());
    EXPECT_EQ("2 2 1", Numbers(loader));

    // Under a document element of another name the numbers read 0, and the
    // levels are read all the same.
    CLevelLoader other;
    ASSERT_EQ(1, LoadText(other, "<stages completed=\"4\" last=\"2\"><level name=\"X\"><grid size=\"6\"/></level></stages>"));
    EXPECT_EQ(0, other.completed);
    EXPECT_EQ(0, other.last);
    ASSERT_EQ(1, other.GetLevelCount());
    EXPECT_EQ("X", other.GetCurrentLevel()->name);
}

TEST(PuzzleLevelLoader, NextLevelAndCompleted)
{
    CLevelLoader loader;
    EXPECT_EQ("1 1 0", Numbers(loader));
    EXPECT_EQ(0, loader.loaded);
    FillLetters(loader, "ABCDE");
    loader.current = 2;
    EXPECT_EQ(1, loader.NextLevel());
    EXPECT_EQ("3 3 0", Numbers(loader));
    loader.current = 5;
    EXPECT_EQ(0, loader.NextLevel());
    EXPECT_EQ("5 5 0", Numbers(loader));

    loader.completed = 4;
    loader.current = 2;
    loader.UpdateCompleted();
    EXPECT_EQ("2 5 4", Numbers(loader));
    loader.current = 5;
    loader.UpdateCompleted();
    EXPECT_EQ("5 5 5", Numbers(loader));
}

TEST(PuzzleLevelLoader, CurrentLevelStaysWithinTheList)
{
    // The start level of the file, or the one set later, may lie outside the
    // list: the current level is the nearest level there is.
    struct Case { const char* last; const char* loaded; int setLast; const char* reset; };
    const Case cases[] = { { "9", "B", -4, "A" }, { "0", "A", 9, "B" }, { "2", "B", 1, "A" } };
    for (const Case& c : cases) {
        CLevelLoader loader;
        LoadText(loader, std::string("<levels last=\"") + c.last + "\"><level name=\"A\"/><level name=\"B\"/></levels>");
        EXPECT_TRUE(loader.current == 1 || loader.current == 2) << c.last;
        EXPECT_EQ(c.loaded, loader.GetCurrentLevel()->name) << c.last;
        loader.last = c.setLast;
        loader.ResetToLastLevel();
        EXPECT_EQ(c.reset, loader.GetCurrentLevel()->name) << c.last;
        loader.current = c.setLast;
        EXPECT_EQ(c.reset, loader.GetCurrentLevel()->name) << c.last;
        EXPECT_TRUE(loader.current == 1 || loader.current == 2) << c.last;
    }

    // Without levels there is no current level, whatever is asked.
    CLevelLoader none;
    EXPECT_EQ(nullptr, none.GetCurrentLevel());
    LoadText(none, "<levels completed=\"2\" last=\"3\"/>");
    EXPECT_EQ(nullptr, none.GetCurrentLevel());
    none.ResetToLastLevel();
    EXPECT_EQ(0, none.NextLevel());
    EXPECT_EQ(nullptr, none.GetCurrentLevel());
    for (int n : { -1, 0, 1 })
        EXPECT_EQ(nullptr, none.GetLevel(n)) << n;
}

// Mode 0 is the level's finite stack; every other mode is the endless supply.
TEST(PuzzleLevelLoader, EveryModeButZeroOffersTheEndlessSupply)
{
    CLevelLoader loader;
    RecordingFactory factory;
    EXPECT_EQ(nullptr, loader.CreateNextStoneView(&factory, nullptr));

    CLevel level;
    level.placeableTypes = new int[2] { 4, 2 };
    level.placeableCount = 2;
    for (int mode : { 1, 3, -1 }) {
        level.placeableMode = mode;
        EXPECT_EQ(reinterpret_cast<CNextStoneView*>(&factory.randomToken), loader.CreateNextStoneView(&factory, &level))
            << mode;
    }
    level.placeableMode = 0;
    EXPECT_EQ(reinterpret_cast<CNextStoneView*>(&factory.stackToken), loader.CreateNextStoneView(&factory, &level));
    EXPECT_EQ(level.placeableTypes, factory.stackTypes);
    EXPECT_EQ("random;random;random;stack 2;", factory.asked);
}

TEST(PuzzleLevelLoader, MovingAndInsertingLevels)
{
    CLevelLoader loader;
    FillLetters(loader, "ABCD");
    CLevel* a = loader.levels[0];
    CLevel* c = loader.levels[2];
    CLevel stranger;
    // Each step starts from A, B, C, D: the level, up or down, the order after.
    struct Step { int at; bool up; const char* after; };
    const Step steps[] = { { 1, true, "BACD" }, { 1, false, "ACBD" }, { 2, false, "ABDC" },
                           { 0, true, "ABCD" }, { 3, false, "ABCD" }, { -1, true, "ABCD" }, { -1, false, "ABCD" } };
    for (const Step& step : steps) {
        CLevel* level = step.at < 0 ? &stranger : loader.levels[step.at];
        if (step.up)
            loader.MoveLevelUp(level);
        else
            loader.MoveLevelDown(level);
        EXPECT_EQ(step.after, Letters(loader)) << step.at << step.up;
        std::sort(loader.levels.begin(), loader.levels.end(),
                  [](CLevel* l, CLevel* r) { return l->name < r->name; });
    }
    loader.MoveLevelDown(nullptr);
    EXPECT_EQ("ABCD", Letters(loader));

    loader.InsertLevel(NamedLevel("N"), c);
    EXPECT_EQ("ABNCD", Letters(loader));
    loader.InsertLevel(NamedLevel("M"), &stranger);
    EXPECT_EQ("ABNCDM", Letters(loader));
    loader.InsertLevel(NamedLevel("O"), nullptr);
    EXPECT_EQ("ABNCDMO", Letters(loader));
    loader.InsertLevel(NamedLevel("F"), a);
    EXPECT_EQ("FABNCDMO", Letters(loader));
    loader.InsertLevel(nullptr, a);
    EXPECT_EQ(8, loader.GetLevelCount());
}
