// Level list and level file.
#include <gtest/gtest.h>

#include "CLevel.h"
#include "CLevelLoader.h"
#include "CStoneInfo.h"
#include "PuzzleTestHelpers.h"

namespace {

CLevel* NamedLevel(const char* name)
{
    CLevel* level = new CLevel();
    level->SetName(name);
    return level;
}

// A loader holding levels named by the letters of the text.
void FillLetters(CLevelLoader& loader, const char* letters)
{
    for (const char* c = letters; *c; c++)
        loader.levels.push_back(NamedLevel(std::string(1, *c).c_str()));
}

std::string Letters(CLevelLoader& loader)
{
    std::string text;
    for (CLevel* level : loader.levels)
        text += level->name;
    return text;
}

int LoadText(CLevelLoader& loader, const std::string& text, const char* name = "levels_text.xml")
{
    std::string path = TempPath(name);
    WriteFile(path, text);
    return loader.Load(path.c_str());
}

const char* const twoLevels =
    "<levels completed=\"1\" last=\"2\">"
    "<level nr=\"1\" name=\"One\"><grid size=\"6\"/><placeable mode=\"0\"/><stones/></level>"
    "<level nr=\"2\" name=\"Two\"><grid size=\"6\"/><placeable mode=\"0\"/><stones/></level>"
    "</levels>";

} // namespace

TEST(PuzzleLevelLoader, NewListDefaults)
{
    CLevelLoader loader;
    EXPECT_EQ(0, loader.GetLevelCount());
    EXPECT_EQ(1, loader.current);
    EXPECT_EQ(1, loader.last);
    EXPECT_EQ(0, loader.completed);
    EXPECT_EQ(0, loader.loaded);
    EXPECT_EQ(nullptr, loader.GetCurrentLevel());
    EXPECT_EQ(nullptr, loader.GetLevel(1));
}

TEST(PuzzleLevelLoader, SaveAndLoadKeepEveryPartOfALevel)
{
    std::string path = TempPath("levels_round.xml");
    {
        CLevelLoader loader;
        loader.completed = 3;
        loader.last = 2;
        CLevel* level = NamedLevel("Erste \"Ebene\" & <mehr>");
        level->number = 17;
        level->size = 6;
        level->placeableMode = 0;
        level->placeableCount = 3;
        level->placeableTypes = new int[3] { 4, 0, 1001 };
        CStoneInfo* fields = new CStoneInfo[2];
        fields[0] = CStoneInfo(1, 2, 0, 1001, "");
        fields[1] = CStoneInfo(5, 5, 0, 7, "");
        level->SetFields(fields, 2);
        CStoneInfo** stones = new CStoneInfo*[3];
        stones[0] = new CStoneInfo(3, 3, 1, 2, "");
        stones[1] = new CStoneInfo(3, 3, 0, 1, "");
        stones[2] = new CStoneInfo(0, 5, 0, 5, "");
        level->SetStones(stones, 3);
        loader.levels.push_back(level);
        CLevel* random = NamedLevel("Zufall");
        random->placeableMode = 1;
        loader.levels.push_back(random);
        loader.Save(path.c_str());
    }

    CLevelLoader loader;
    ASSERT_EQ(1, loader.Load(path.c_str()));
    EXPECT_EQ(1, loader.loaded);
    EXPECT_EQ(3, loader.completed);
    EXPECT_EQ(2, loader.last);
    EXPECT_EQ(2, loader.current);
    ASSERT_EQ(2, loader.GetLevelCount());

    CLevel* level = loader.GetLevel(1);
    EXPECT_EQ("Erste \"Ebene\" & <mehr>", level->GetName());
    EXPECT_EQ(1, level->number);    // saving numbers the levels by position
    EXPECT_EQ(6, level->size);
    EXPECT_EQ(0, level->placeableMode);
    ASSERT_EQ(3, level->placeableCount);
    EXPECT_EQ(4, level->placeableTypes[0]);
    EXPECT_EQ(0, level->placeableTypes[1]);
    EXPECT_EQ(1001, level->placeableTypes[2]);
    ASSERT_EQ(2, level->fieldCount);
    EXPECT_EQ(1, level->fields[0].x);
    EXPECT_EQ(2, level->fields[0].y);
    EXPECT_EQ(0, level->fields[0].z);
    EXPECT_EQ(1001, level->fields[0].type);
    EXPECT_EQ(7, level->fields[1].type);
    ASSERT_EQ(3, level->stoneCount);
    EXPECT_EQ(1, level->stones[0]->type);    // layer 0, in saved order
    EXPECT_EQ(5, level->stones[1]->type);
    EXPECT_EQ(2, level->stones[2]->type);
    EXPECT_EQ(3, level->stones[2]->x);
    EXPECT_EQ(3, level->stones[2]->y);
    EXPECT_EQ(1, level->stones[2]->z);

    CLevel* random = loader.GetLevel(2);
    EXPECT_EQ(2, random->number);
    EXPECT_EQ(1, random->placeableMode);
    EXPECT_EQ(0, random->placeableCount);
    EXPECT_EQ(0, random->fieldCount);
    EXPECT_EQ(0, random->stoneCount);
}

TEST(PuzzleLevelLoader, FileLayout)
{
    std::string path = TempPath("levels_layout.xml");
    CLevelLoader loader;
    loader.Save(path.c_str());
    EXPECT_EQ("<levels completed=\"0\" last=\"1\"/>\r\n", ReadFile(path));

    CLevel* level = NamedLevel("L");
    level->size = 6;
    level->placeableCount = 1;
    level->placeableTypes = new int[1] { 3 };
    CStoneInfo* fields = new CStoneInfo[1];
    fields[0] = CStoneInfo(1, 2, 0, 1001, "");
    level->SetFields(fields, 1);
    CStoneInfo** stones = new CStoneInfo*[1];
    stones[0] = new CStoneInfo(4, 5, 0, 2, "");
    level->SetStones(stones, 1);
    loader.levels.push_back(level);
    loader.Save(path.c_str());
    EXPECT_EQ("<levels completed=\"0\" last=\"1\">\r\n"
              "<level nr=\"1\" name=\"L\">\r\n"
              "<grid size=\"6\">\r\n"
              "<field type=\"1001\">\r\n<position x=\"1\" y=\"2\" z=\"0\"/>\r\n</field>\r\n"
              "</grid>\r\n"
              "<placeable mode=\"0\">\r\n<stone type=\"3\"/>\r\n</placeable>\r\n"
              "<stones>\r\n"
              "<stone type=\"2\">\r\n<position x=\"4\" y=\"5\" z=\"0\"/>\r\n</stone>\r\n"
              "</stones>\r\n"
              "</level>\r\n"
              "</levels>\r\n",
              ReadFile(path));
}

TEST(PuzzleLevelLoader, MissingPartsOfALevel)
{
    CLevelLoader loader;
    ASSERT_EQ(1, LoadText(loader,
        "<levels completed=\"0\" last=\"1\">"
        // no placeable element
        "<level nr=\"1\" name=\"A\"><grid size=\"6\"/><stones/></level>"
        // placeable without stones; a field and a stone without position
        "<level nr=\"2\" name=\"B\"><grid size=\"6\"><field type=\"1001\"/></grid>"
        "<placeable mode=\"3\"/><stones><stone type=\"4\"/></stones></level>"
        // no grid and no stones: the placeable stones stay placeable stones
        "<level name=\"C\"><placeable mode=\"0\"><stone type=\"2\"/><stone type=\"5\"/></placeable></level>"
        "</levels>"));
    ASSERT_EQ(3, loader.GetLevelCount());

    CLevel* a = loader.GetLevel(1);
    EXPECT_EQ(0, a->placeableMode);
    EXPECT_EQ(0, a->placeableCount);
    EXPECT_EQ(nullptr, a->placeableTypes);

    CLevel* b = loader.GetLevel(2);
    EXPECT_EQ(3, b->placeableMode);
    EXPECT_EQ(0, b->placeableCount);
    ASSERT_EQ(1, b->fieldCount);
    EXPECT_EQ(0, b->fields[0].x);
    EXPECT_EQ(0, b->fields[0].y);
    EXPECT_EQ(0, b->fields[0].z);
    EXPECT_EQ(1001, b->fields[0].type);
    ASSERT_EQ(1, b->stoneCount);
    EXPECT_EQ(4, b->stones[0]->type);
    EXPECT_EQ(0, b->stones[0]->x);
    EXPECT_EQ(0, b->stones[0]->z);

    CLevel* c = loader.GetLevel(3);
    EXPECT_EQ(0, c->number);
    EXPECT_EQ(0, c->size);
    EXPECT_EQ(0, c->fieldCount);
    EXPECT_EQ(0, c->stoneCount);
    ASSERT_EQ(2, c->placeableCount);
    EXPECT_EQ(5, c->placeableTypes[1]);
}

TEST(PuzzleLevelLoader, LoadingTwiceListsEveryLevelTwice)
{
    CLevelLoader loader;
    ASSERT_EQ(1, LoadText(loader, twoLevels));
    ASSERT_EQ(1, LoadText(loader, twoLevels));
    ASSERT_EQ(4, loader.GetLevelCount());
    EXPECT_EQ("One", loader.GetLevel(3)->name);
    EXPECT_EQ("Two", loader.GetLevel(4)->name);
}

TEST(PuzzleLevelLoader, UnreadableFilesChangeNothing)
{
    CLevelLoader loader;
    ASSERT_EQ(1, LoadText(loader, twoLevels));
    EXPECT_EQ(0, loader.Load(TempPath("levels_not_there.xml").c_str()));
    EXPECT_EQ(0, loader.loaded);
    EXPECT_EQ(0, LoadText(loader, "<levels completed=\"5\" last=\"1\"><level>", "levels_broken.xml"));
    EXPECT_EQ(2, loader.GetLevelCount());
    EXPECT_EQ(1, loader.completed);
    EXPECT_EQ(2, loader.last);
}

TEST(PuzzleLevelLoader, OtherDocumentElementStillGivesItsLevels)
{
    CLevelLoader loader;
    ASSERT_EQ(1, LoadText(loader,
        "<stages completed=\"4\" last=\"2\"><level nr=\"1\" name=\"X\"><grid size=\"6\"/></level></stages>"));
    EXPECT_EQ(0, loader.completed);
    EXPECT_EQ(0, loader.last);
    ASSERT_EQ(1, loader.GetLevelCount());
    EXPECT_EQ("X", loader.GetCurrentLevel()->name);
}

TEST(PuzzleLevelLoader, CurrentLevelStaysWithinTheList)
{
    CLevelLoader tooFar;
    LoadText(tooFar, "<levels completed=\"0\" last=\"9\">"
                     "<level name=\"A\"/><level name=\"B\"/></levels>");
    EXPECT_EQ("B", tooFar.GetCurrentLevel()->name);
    tooFar.last = 9;
    tooFar.ResetToLastLevel();
    EXPECT_EQ(2, tooFar.current);

    CLevelLoader zero;
    LoadText(zero, "<levels completed=\"0\" last=\"0\"><level name=\"A\"/></levels>");
    EXPECT_EQ("A", zero.GetCurrentLevel()->name);
    zero.current = -4;
    EXPECT_EQ("A", zero.GetCurrentLevel()->name);
    EXPECT_EQ(1, zero.current);

    CLevelLoader none;
    LoadText(none, "<levels completed=\"2\" last=\"3\"/>");
    EXPECT_EQ(0, none.GetLevelCount());
    EXPECT_EQ(nullptr, none.GetCurrentLevel());
    none.ResetToLastLevel();
    EXPECT_EQ(nullptr, none.GetCurrentLevel());
    EXPECT_EQ(0, none.NextLevel());
    EXPECT_EQ(nullptr, none.GetCurrentLevel());
    EXPECT_EQ(nullptr, none.GetLevel(0));
    EXPECT_EQ(nullptr, none.GetLevel(-1));
}

TEST(PuzzleLevelLoader, NextLevelAndCompleted)
{
    CLevelLoader loader;
    FillLetters(loader, "ABCDE");
    loader.current = 2;
    EXPECT_EQ(1, loader.NextLevel());
    EXPECT_EQ(3, loader.current);
    EXPECT_EQ(3, loader.last);

    loader.current = 5;
    EXPECT_EQ(0, loader.NextLevel());
    EXPECT_EQ(5, loader.current);
    EXPECT_EQ(5, loader.last);

    loader.completed = 4;
    loader.current = 2;
    loader.UpdateCompleted();
    EXPECT_EQ(4, loader.completed);
    loader.current = 5;
    loader.UpdateCompleted();
    EXPECT_EQ(5, loader.completed);

    loader.last = 3;
    loader.ResetToLastLevel();
    EXPECT_EQ(3, loader.current);
    EXPECT_EQ("C", loader.GetCurrentLevel()->name);
}

TEST(PuzzleLevelLoader, MovingAndInsertingLevels)
{
    CLevelLoader loader;
    FillLetters(loader, "ABCD");
    CLevel* a = loader.levels[0];
    CLevel* b = loader.levels[1];
    CLevel* c = loader.levels[2];
    CLevel* d = loader.levels[3];

    loader.MoveLevelUp(b);
    EXPECT_EQ("BACD", Letters(loader));
    loader.MoveLevelUp(b);
    EXPECT_EQ("BACD", Letters(loader));
    loader.MoveLevelDown(b);
    EXPECT_EQ("ABCD", Letters(loader));
    loader.MoveLevelDown(b);
    EXPECT_EQ("ACBD", Letters(loader));
    loader.MoveLevelUp(b);
    loader.MoveLevelDown(c);
    EXPECT_EQ("ABDC", Letters(loader));
    loader.MoveLevelDown(c);
    EXPECT_EQ("ABDC", Letters(loader));
    loader.MoveLevelUp(c);
    loader.MoveLevelDown(d);
    EXPECT_EQ("ABCD", Letters(loader));
    loader.MoveLevelUp(a);
    EXPECT_EQ("ABCD", Letters(loader));

    CLevel stranger;
    loader.MoveLevelUp(&stranger);
    loader.MoveLevelDown(&stranger);
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
