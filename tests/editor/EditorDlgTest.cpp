// The level editor driven as the user drives it: every button and list goes
// through the dialog procedure, on the board of an editor game run headless.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "C3DStaticText.h"
#include "CEditorDlg.h"
#include "CGameController.h"
#include "CGameData.h"
#include "CGameOverlay.h"
#include "CGridView.h"
#include "CGrid.h"
#include "CLevel.h"
#include "CLevelLoader.h"
#include "CNextStoneViewEditor.h"
#include "CStoneInfo.h"
#include "CStoneTypes.h"
#include "EditorDialogResource.h"
#include "GameResources.h"
#include "GameTestApp.h"
#include "GameTestFolder.h"
#include "InputInjection.h"

namespace {

typedef std::tuple<int, int, int, int> Stone;  // x, y, z, type

// Three levels; the first has a target field at (2, 3), a special stone to
// place and one blue stone standing at (0, 0).
const char* THREE_LEVELS =
    "<levels completed=\"0\" last=\"1\">"
    "<level nr=\"1\" name=\"First\"><grid size=\"6\"><field type=\"1001\"><position x=\"2\" y=\"3\" z=\"0\"/></field></grid>"
    "<placeable mode=\"0\"><stone type=\"0\"/></placeable>"
    "<stones><stone type=\"2\"><position x=\"0\" y=\"0\" z=\"0\"/></stone></stones></level>"
    "<level nr=\"2\" name=\"Second\"><grid size=\"6\"></grid><placeable mode=\"0\"></placeable><stones></stones></level>"
    "<level nr=\"3\" name=\"Third\"><grid size=\"6\"></grid><placeable mode=\"1\"></placeable><stones></stones></level>"
    "</levels>";

void WriteFile(const char* path, const char* text)
{
    std::ofstream(path) << text;
}

std::vector<Stone> BoardStones(CGrid* board)
{
    std::vector<Stone> stones;
    for (int i = 0; i < board->cellCount; i++) {
        if (CStoneInfo* c = board->cells[i])
            stones.push_back(Stone(c->x, c->y, c->z, c->type));
    }
    std::sort(stones.begin(), stones.end());
    return stones;
}

std::vector<Stone> BoardFields(CGrid* board)
{
    std::vector<Stone> fields;
    for (int x = 0; x < board->width; x++) {
        for (int y = 0; y < board->height; y++) {
            if (board->fields[x][y])
                fields.push_back(Stone(x, y, 0, board->fields[x][y]));
        }
    }
    return fields;
}

std::vector<Stone> LevelStones(CLevel* level)
{
    std::vector<Stone> stones;
    for (int i = 0; i < level->stoneCount; i++) {
        CStoneInfo* s = level->stones[i];
        stones.push_back(Stone(s->x, s->y, s->z, s->type));
    }
    std::sort(stones.begin(), stones.end());
    return stones;
}

class EditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterGameResources();
        ASSERT_TRUE(folder.IsReady());
        ASSERT_TRUE(app.Open());
        // As the application starts the editor: editor mode, a game, an empty editor board.
        controller()->SetEditorMode(1);
        controller()->StartGame();
        controller()->StartEditorLevel(nullptr);
        editor = new CEditorDlg(nullptr, nullptr, controller());
        ASSERT_NE(editor->dialog, nullptr);
        WriteFile("three.xml", THREE_LEVELS);
    }
    void TearDown() override
    {
        delete editor;
        app.Close();
    }

    CGameController* controller() { return app.controller; }
    CGrid* board() { return controller()->gameData->board; }
    CGameOverlay* overlay() { return controller()->gridView->overlay; }
    HWND dialog() { return editor->dialog; }

    INT_PTR Command(int id, int code = BN_CLICKED)
    {
        return CEditorDlg::DialogProc(dialog(), WM_COMMAND, MAKEWPARAM(id, code), (LPARAM)GetDlgItem(dialog(), id));
    }
    LRESULT Send(int id, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return SendDlgItemMessageA(dialog(), id, msg, wParam, lParam);
    }
    std::string Text(int id)
    {
        char text[256];
        GetDlgItemTextA(dialog(), id, text, sizeof(text));
        return text;
    }
    // Random on a full board adds nothing and ends at once, however many
    // tries it is given; with one open column the tries that hit a full
    // column place nothing.
    void ExpectRandomOverfillsNoColumn()
    {
        Command(IDC_RESTORE);
        for (int x = 0; x < 6; x++) {
            for (int y = 0; y < 6; y++) {
                for (int z = 0; z < CGrid::LAYERS; z++)
                    board()->PlaceStone(x, y, STONE_BLOCK, 0.0f);
            }
        }
        SetDlgItemTextA(dialog(), IDC_RANDOM_TRIES, "4294967295");
        Command(IDC_RANDOM);
        EXPECT_EQ(board()->GetStoneCount(), 6 * 6 * CGrid::LAYERS);
        board()->RemoveStone(3, 3, 14);
        SetDlgItemTextA(dialog(), IDC_RANDOM_TRIES, "2000");
        Command(IDC_RANDOM);
        EXPECT_EQ(board()->GetHeight(3, 3), CGrid::LAYERS);
        EXPECT_EQ(board()->GetStoneCount(), 6 * 6 * CGrid::LAYERS);
    }
    std::string Row(int id, int row)
    {
        char text[256] = "";
        Send(id, LB_GETTEXT, row, (LPARAM)text);
        return text;
    }
    void Load(const char* path)
    {
        SetDlgItemTextA(dialog(), IDC_LEVEL_FILE, path);
        EXPECT_EQ(Command(IDC_LOAD), TRUE);
    }
    void OpenRow(int row)
    {
        Send(IDC_LEVEL_LIST, LB_SETCURSEL, row);
        EXPECT_EQ(Command(IDC_LEVEL_LIST, LBN_DBLCLK), TRUE);
    }
    void ChooseType(int type)
    {
        int count = 0;
        const int* types = CStoneTypes::GetTypeList(&count);
        int row = (int)(std::find(types, types + count, type) - types);
        Send(IDC_NEXT_STONE, CB_SETCURSEL, row);
    }
    std::vector<LPARAM> PlaceableTypes()
    {
        std::vector<LPARAM> types;
        for (int row = 0; row < Send(IDC_PLACEABLE_LIST, LB_GETCOUNT); row++)
            types.push_back(Send(IDC_PLACEABLE_LIST, LB_GETITEMDATA, row));
        return types;
    }

    GameTestFolder folder;
    GameTestApp app;
    CEditorDlg* editor = nullptr;
};

TEST_F(EditorTest, LoadAddsTheFilesLevelsAndNeedsXmlInThePath)
{
    // A path without ".xml" loads nothing and says why; ".XML" is as good.
    rename("three.xml", "three.lvl");
    testing::internal::CaptureStderr();
    Load("three.lvl");
    EXPECT_NE(testing::internal::GetCapturedStderr().find("named .xml"), std::string::npos);
    EXPECT_EQ(Send(IDC_LEVEL_LIST, LB_GETCOUNT), 0);
    EXPECT_EQ(Text(IDC_LEVEL_COUNT), "Count");

    rename("three.lvl", "THREE.XML");
    Load("THREE.XML");
    rename("THREE.XML", "three.xml");
    EXPECT_EQ(Send(IDC_LEVEL_LIST, LB_GETCOUNT), 3);
    EXPECT_EQ(Row(IDC_LEVEL_LIST, 0), "First");
    EXPECT_EQ(((CLevel*)Send(IDC_LEVEL_LIST, LB_GETITEMDATA, 0))->GetName(), "First");
    EXPECT_EQ(Text(IDC_LEVEL_COUNT), "3");
    EXPECT_EQ(Send(IDC_NEXT_STONE, CB_GETCOUNT), 10);

    Load("three.xml");
    EXPECT_EQ(Send(IDC_LEVEL_LIST, LB_GETCOUNT), 6);
    EXPECT_EQ(Row(IDC_LEVEL_LIST, 3), "First");
    EXPECT_EQ(Text(IDC_LEVEL_COUNT), "6");

    // A broken or missing file is reported and changes nothing.
    WriteFile("broken.xml", "<levels><level name=\"x\">");
    for (const char* path : { "broken.xml", "missing.xml" }) {
        testing::internal::CaptureStderr();
        Load(path);
        EXPECT_NE(testing::internal::GetCapturedStderr().find("could not be loaded"), std::string::npos) << path;
        EXPECT_EQ(Send(IDC_LEVEL_LIST, LB_GETCOUNT), 6);
        EXPECT_EQ(Text(IDC_LEVEL_COUNT), "6");
    }
}

// Save writes the list over the file in the path edit; a list with fewer
// levels than the file (nothing loaded yet, say) is written only after "OK".
TEST_F(EditorTest, SaveOfFewerLevelsOverAFileAsksFirst)
{
    SetDlgItemTextA(dialog(), IDC_LEVEL_FILE, "three.xml");
    const int answers[] = { IDCANCEL, IDOK };
    const int levelsAfter[] = { 3, 0 };
    for (int i = 0; i < 2; i++) {
        InjectMessageBoxAnswer(answers[i]);
        testing::internal::CaptureStderr();
        Command(IDC_SAVE);
        EXPECT_NE(testing::internal::GetCapturedStderr().find("holds 3 levels, the editor's list 0"), std::string::npos);
        CLevelLoader file;
        file.Load("three.xml");
        EXPECT_EQ(file.GetLevelCount(), levelsAfter[i]) << answers[i];
    }

    // As many levels as the file: written without a question.
    WriteFile("three.xml", THREE_LEVELS);
    Load("three.xml");
    testing::internal::CaptureStderr();
    Command(IDC_SAVE);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(EditorTest, LevelAndPlaceableListsEditAndKeepTheirSelection)
{
    // Insert needs a selected row and puts the new level in its place.
    Load("three.xml");
    Command(IDC_INSERT_LEVEL);
    EXPECT_EQ(Send(IDC_LEVEL_LIST, LB_GETCOUNT), 3);
    Send(IDC_LEVEL_LIST, LB_SETCURSEL, 1);
    Command(IDC_INSERT_LEVEL);
    EXPECT_EQ(Send(IDC_LEVEL_LIST, LB_GETCOUNT), 4);
    EXPECT_EQ(Row(IDC_LEVEL_LIST, 1), "New Level");
    EXPECT_EQ(Row(IDC_LEVEL_LIST, 2), "Second");
    EXPECT_EQ(Text(IDC_LEVEL_COUNT), "4");

    // Level Up and Down move "Second" and the selection with it; past the
    // last row there is no selection.
    const int levelSteps[][3] = {
        { IDC_LEVEL_UP, 1, 1 }, { IDC_LEVEL_DOWN, 2, 2 }, { IDC_LEVEL_DOWN, 3, 3 }, { IDC_LEVEL_DOWN, 3, LB_ERR }
    };
    Send(IDC_LEVEL_LIST, LB_SETCURSEL, 2);
    for (const auto& step : levelSteps) {
        Command(step[0]);
        EXPECT_EQ(Row(IDC_LEVEL_LIST, step[1]), "Second") << step[1];
        EXPECT_EQ(Send(IDC_LEVEL_LIST, LB_GETCURSEL), step[2]) << step[1];
    }

    // "->" appends without a selection and inserts in front of the selected row.
    Command(IDC_ADD_PLACEABLE);
    EXPECT_EQ(Send(IDC_PLACEABLE_LIST, LB_GETCOUNT), 0);
    ChooseType(FIELD_SPECIAL_TARGET);
    Command(IDC_ADD_PLACEABLE);
    EXPECT_EQ(Row(IDC_PLACEABLE_LIST, 0), "Special Target(Field)");
    ChooseType(STONE_BLUE);
    Command(IDC_ADD_PLACEABLE);
    ChooseType(STONE_RED);
    Send(IDC_PLACEABLE_LIST, LB_SETCURSEL, 1);
    Command(IDC_ADD_PLACEABLE);
    EXPECT_EQ(PlaceableTypes(), (std::vector<LPARAM>{ 1001, STONE_RED, STONE_BLUE }));

    // Up and Down move the row with its text and keep it selected; the ends
    // stay put. Delete takes the selected row, and then there is none.
    struct Step {
        int command;
        std::vector<LPARAM> types;
        LRESULT selected;
    };
    const Step steps[] = {
        { IDC_PLACEABLE_UP, { 1001, STONE_BLUE, STONE_RED }, 1 },
        { IDC_PLACEABLE_UP, { STONE_BLUE, 1001, STONE_RED }, 0 },
        { IDC_PLACEABLE_UP, { STONE_BLUE, 1001, STONE_RED }, 0 },
        { IDC_PLACEABLE_DOWN, { 1001, STONE_BLUE, STONE_RED }, 1 },
        { IDC_PLACEABLE_DOWN, { 1001, STONE_RED, STONE_BLUE }, 2 },
        { IDC_PLACEABLE_DOWN, { 1001, STONE_RED, STONE_BLUE }, 2 },
        { IDC_DELETE_PLACEABLE, { 1001, STONE_RED }, LB_ERR },
        { IDC_DELETE_PLACEABLE, { 1001, STONE_RED }, LB_ERR },
    };
    // The selection went along with "Blue" when "Red" was put in before it.
    for (const Step& step : steps) {
        EXPECT_EQ(Command(step.command), TRUE);
        EXPECT_EQ(PlaceableTypes(), step.types) << step.command;
        EXPECT_EQ(Send(IDC_PLACEABLE_LIST, LB_GETCURSEL), step.selected) << step.command;
    }
    EXPECT_EQ(Row(IDC_PLACEABLE_LIST, 1), "Red");

    // Buttons without an action, and the close command, leave everything as it is.
    for (int id : { IDC_SAVE_AS, IDC_DELETE_LEVEL, IDC_COPY_LEVEL, IDCANCEL })
        EXPECT_EQ(Command(id), FALSE);
    EXPECT_EQ(Command(IDC_LOAD, EN_CHANGE), FALSE);
    EXPECT_EQ(Send(IDC_LEVEL_LIST, LB_GETCOUNT), 4);
    EXPECT_TRUE(IsWindow(dialog()));
}

TEST_F(EditorTest, OpenPlayAndEditSwitchTheBoardAndSaveKeepsWhatTheTrialLeft)
{
    Load("three.xml");
    OpenRow(0);
    CLevel* first = editor->currentLevel;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Text(IDC_LEVEL_NAME), "First");
    EXPECT_EQ(PlaceableTypes(), (std::vector<LPARAM>{ STONE_SPECIAL }));
    EXPECT_EQ(BoardStones(board()), (std::vector<Stone>{ Stone(0, 0, 0, STONE_BLUE) }));
    EXPECT_EQ(board()->fields[2][3], FIELD_SPECIAL_TARGET);
    EXPECT_NE(dynamic_cast<CNextStoneViewEditor*>(controller()->nextStoneView), nullptr);

    // The chosen next stone is what a place click puts down on the editor board.
    ChooseType(STONE_YELLOW);
    EXPECT_EQ(Command(IDC_NEXT_STONE, CBN_SELCHANGE), TRUE);
    controller()->PlaceStone(4, 4);
    EXPECT_EQ(board()->GetStoneInfo(4, 4, 0).type, STONE_YELLOW);

    Command(IDC_PLAY);
    EXPECT_EQ(Text(IDC_PLAY), "Edit");
    EXPECT_EQ(editor->playState, 0);
    EXPECT_EQ(board()->GetStoneInfo(4, 4, 0).type, STONE_YELLOW);   // the trial starts from the board as edited
    EXPECT_EQ(dynamic_cast<CNextStoneViewEditor*>(controller()->nextStoneView), nullptr);
    // While trying, the next-stone choice does not touch the level's own supply.
    ChooseType(STONE_RED);
    Command(IDC_NEXT_STONE, CBN_SELCHANGE);
    float x, y;
    ASSERT_TRUE(app.FindCellPointer(5, 5, &x, &y));
    app.Click(x, y);
    EXPECT_EQ(board()->GetStoneInfo(5, 5, 0).type, STONE_SPECIAL);
    EXPECT_STREQ(overlay()->levelLabel->GetText(), "Level 1");
    EXPECT_STREQ(overlay()->moveCounter->GetText(), "0001");
    app.StepSeconds(0.5f);
    std::vector<Stone> trial = BoardStones(board());

    Command(IDC_SAVE);
    CLevelLoader saved;
    ASSERT_EQ(saved.Load("three.xml"), 1);
    EXPECT_EQ(LevelStones(saved.GetLevel(1)), trial);
    EXPECT_EQ(saved.GetLevelCount(), 3);

    Command(IDC_PLAY);
    EXPECT_EQ(Text(IDC_PLAY), "Play");
    EXPECT_NE(dynamic_cast<CNextStoneViewEditor*>(controller()->nextStoneView), nullptr);
    EXPECT_EQ(BoardStones(board()), trial);
    EXPECT_EQ(editor->currentLevel, first);
    // The trial's level number and moves leave the panel with it.
    EXPECT_STREQ(overlay()->levelLabel->GetText(), "Level");
    EXPECT_STREQ(overlay()->moveCounter->GetText(), "0000");
    EXPECT_EQ(controller()->gameData->moves, 0);
}

TEST_F(EditorTest, OpeningAnotherLevelStoresTheBoardInTheLevelOpenBefore)
{
    Load("three.xml");
    OpenRow(0);
    controller()->PlaceStoneOfType(3, 3, STONE_RED);
    SetDlgItemTextA(dialog(), IDC_LEVEL_NAME, "Renamed");
    OpenRow(1);
    CLevel* first = editor->levels.GetLevel(1);
    EXPECT_EQ(LevelStones(first), (std::vector<Stone>{ Stone(0, 0, 0, STONE_BLUE), Stone(3, 3, 0, STONE_RED) }));
    EXPECT_EQ(first->GetName(), "Renamed");
    EXPECT_EQ(Text(IDC_LEVEL_NAME), "Second");
    EXPECT_TRUE(BoardStones(board()).empty());
}

TEST_F(EditorTest, WithoutTheLevelsBoardTheBoardOperationsDoNothing)
{
    Load("three.xml");
    OpenRow(0);
    // A game started again from the menu has an empty board: saving keeps
    // the open level's stones and fields, and Restore brings them back.
    controller()->StartGame();
    controller()->StartEditorLevel(nullptr);
    Command(IDC_SAVE);
    CLevelLoader saved;
    ASSERT_EQ(saved.Load("three.xml"), 1);
    EXPECT_EQ(LevelStones(saved.GetLevel(1)), (std::vector<Stone>{ Stone(0, 0, 0, STONE_BLUE) }));
    EXPECT_EQ(saved.GetLevel(1)->fieldCount, 1);
    Command(IDC_RESTORE);
    EXPECT_EQ(BoardStones(board()), LevelStones(saved.GetLevel(1)));

    // The application rebuilds its controller with each new device; the
    // editor must never reach the one that is gone.
    CGameController::DestroyInstance();
    app.controller = nullptr;
    SetDlgItemTextA(dialog(), IDC_RANDOM_TRIES, "10");
    ChooseType(STONE_RED);
    for (int id : { IDC_RESTORE, IDC_PLAY, IDC_RANDOM })
        EXPECT_EQ(Command(id), TRUE);
    Command(IDC_NEXT_STONE, CBN_SELCHANGE);
    OpenRow(1);
    EXPECT_EQ(editor->playState, 1);
    EXPECT_EQ(editor->currentLevel, editor->levels.GetLevel(1));
    EXPECT_EQ(Text(IDC_PLAY), "Play");
}

TEST_F(EditorTest, RandomPlacesEveryColourAndNeverOverfillsAColumn)
{
    Load("three.xml");
    OpenRow(1);
    srand(7);
    SetDlgItemTextA(dialog(), IDC_RANDOM_TRIES, "40");
    Command(IDC_RANDOM);
    std::set<int> colours;
    for (const Stone& s : BoardStones(board()))
        colours.insert(std::get<3>(s));
    EXPECT_EQ(colours, (std::set<int>{ STONE_BLUE, STONE_GREEN, STONE_RED, STONE_YELLOW }));
    ExpectRandomOverfillsNoColumn();
}

TEST_F(EditorTest, RandomPlacesColouredStonesAndNeverOverfillsAColumn)
{
    Load("three.xml");
    OpenRow(1);
    for (unsigned seed : { 1u, 7u, 12345u }) {
        Command(IDC_RESTORE);
        ASSERT_EQ(board()->GetStoneCount(), 0);
        srand(seed);
        SetDlgItemTextA(dialog(), IDC_RANDOM_TRIES, "10");
        Command(IDC_RANDOM);
        std::vector<Stone> stones = BoardStones(board());
        EXPECT_LE(stones.size(), 10u);
        for (const Stone& s : stones) {
            EXPECT_GE(std::get<3>(s), STONE_BLUE);
            EXPECT_LE(std::get<3>(s), STONE_YELLOW);
        }
    }
    ExpectRandomOverfillsNoColumn();
}

TEST_F(EditorTest, ShippedLevelRoundTripsThroughSaveAndAFreshEditorWithItsNameCut)
{
    Load("media/levels.xml");
    ASSERT_GE(Send(IDC_LEVEL_LIST, LB_GETCOUNT), 1);
    OpenRow(0);

    controller()->PlaceStoneOfType(5, 0, STONE_GREEN);
    controller()->PlaceStoneOfType(5, 0, STONE_RED);
    ChooseType(FIELD_SPECIAL_TARGET);
    Command(IDC_NEXT_STONE, CBN_SELCHANGE);
    controller()->PlaceStone(1, 5);
    // The dialog's texts are Latin-1 ("J\xF6rg"); the file has UTF-8.
    const std::string forty = "J\xF6rg Trip 45678901234567890123456789012";
    const std::string name = forty.substr(0, 31);
    const std::string utf8Name = "J\xC3\xB6rg" + name.substr(4);
    SetDlgItemTextA(dialog(), IDC_LEVEL_NAME, forty.c_str());
    ChooseType(STONE_ORANGE);
    Command(IDC_ADD_PLACEABLE);
    app.StepSeconds(0.5f);
    std::vector<Stone> stones = BoardStones(board());
    std::vector<LPARAM> placeable = PlaceableTypes();
    std::vector<Stone> fields = BoardFields(board());
    ASSERT_EQ(board()->fields[1][5], FIELD_SPECIAL_TARGET);
    // A failed save is reported; the level keeps the first 31 characters of
    // the name, and an empty name edit leaves them.
    SetDlgItemTextA(dialog(), IDC_LEVEL_FILE, "no_such_folder/roundtrip.xml");
    testing::internal::CaptureStderr();
    Command(IDC_SAVE);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("could not be saved"), std::string::npos);
    EXPECT_EQ(Row(IDC_LEVEL_LIST, 0), name);
    SetDlgItemTextA(dialog(), IDC_LEVEL_NAME, "");
    SetDlgItemTextA(dialog(), IDC_LEVEL_FILE, "roundtrip.xml");
    Command(IDC_SAVE);
    std::ifstream saved("roundtrip.xml");
    std::string file((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
    EXPECT_NE(file.find("name=\"" + utf8Name + "\""), std::string::npos);

    delete editor;
    editor = new CEditorDlg(nullptr, nullptr, controller());
    controller()->StartEditorLevel(nullptr);
    Load("roundtrip.xml");
    OpenRow(0);
    EXPECT_EQ(Text(IDC_LEVEL_NAME), name);
    EXPECT_EQ(PlaceableTypes(), placeable);
    EXPECT_EQ(placeable.back(), STONE_ORANGE);
    EXPECT_EQ(BoardStones(board()), stones);
    EXPECT_EQ(BoardFields(board()), fields);

    // The level checker reads the saved file and names the level.
    std::string command = std::string(LEVELCHECK_PATH) + " roundtrip.xml > levelcheck.txt 2>&1";
    int status = system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 2);
    std::ifstream output("levelcheck.txt");
    std::string text((std::istreambuf_iterator<char>(output)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("\"" + utf8Name + "\""), std::string::npos) << text;
}

// The level list's edits that the editor reaches.
TEST(EditorLevelList, InsertingAListedLevelAndSettingAnOwnArrayKeepOneOwner)
{
    CLevelLoader list;
    CLevel* a = new CLevel();
    CLevel* b = new CLevel();
    list.InsertLevel(a, nullptr);
    list.InsertLevel(b, nullptr);
    list.InsertLevel(a, b);
    list.InsertLevel(b, nullptr);
    ASSERT_EQ(list.GetLevelCount(), 2);
    EXPECT_EQ(list.GetLevel(1), a);
    EXPECT_EQ(list.GetLevel(2), b);

    CStoneInfo** stones = new CStoneInfo*[2];
    stones[0] = new CStoneInfo(1, 1, 1, STONE_RED, "");
    stones[1] = new CStoneInfo(1, 1, 0, STONE_BLUE, "");
    a->SetStones(stones, 2);
    a->SetStones(a->stones, a->stoneCount);
    ASSERT_EQ(a->stoneCount, 2);
    EXPECT_EQ(a->stones[0]->type, STONE_BLUE);
    EXPECT_EQ(a->stones[1]->type, STONE_RED);
    a->SetStones(a->stones, 1);
    EXPECT_EQ(a->stoneCount, 1);

    CStoneInfo* fields = new CStoneInfo[1];
    fields[0] = CStoneInfo(2, 2, 0, FIELD_SPECIAL_TARGET, "");
    a->SetFields(fields, 1);
    a->SetFields(a->fields, a->fieldCount);
    EXPECT_EQ(a->fields[0].type, FIELD_SPECIAL_TARGET);
}

} // namespace
