#include "CEditorDlg.h"

#include <stdio.h>
#include <string.h>
#include <strings.h>

#include <string>
#include <vector>

#include "CGameController.h"
#include "CGameData.h"
#include "CGrid.h"
#include "CLevel.h"
#include "CNextStoneViewEditor.h"
#include "CResourceManager.h"
#include "CSoundDev.h"
#include "CStoneInfo.h"
#include "CStoneTypes.h"
#include "EditorDialogResource.h"
#include "TextEncoding.h"

CEditorDlg* g_pEditorDlg = nullptr;

namespace {

const int PATH_SIZE = 1024;
const int NAME_SIZE = 32;  // a level name holds at most 31 characters

LRESULT LevelList(HWND dialog, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return SendDlgItemMessageA(dialog, IDC_LEVEL_LIST, message, wParam, lParam);
}

LRESULT PlaceableList(HWND dialog, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return SendDlgItemMessageA(dialog, IDC_PLACEABLE_LIST, message, wParam, lParam);
}

LRESULT NextStoneList(HWND dialog, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return SendDlgItemMessageA(dialog, IDC_NEXT_STONE, message, wParam, lParam);
}

void ShowLevelCount(HWND dialog, int count)
{
    char text[16];
    snprintf(text, sizeof(text), "%d", count);
    SetDlgItemTextA(dialog, IDC_LEVEL_COUNT, text);
}

// Puts a placeable row (its text and its stone type) in at the given row; -1 appends.
void InsertPlaceableRow(HWND dialog, int row, const char* text, LPARAM type)
{
    LRESULT at = PlaceableList(dialog, LB_INSERTSTRING, (WPARAM)row, (LPARAM)text);
    if (at >= 0)
        PlaceableList(dialog, LB_SETITEMDATA, (WPARAM)at, type);
}

// Moves a placeable row: a copy of it (same text, same stone type) goes in at
// insertAt and is selected, then the old row goes out, so the entry keeps
// its selection in its new place.
void MovePlaceableRow(HWND dialog, int row, int insertAt)
{
    std::vector<char> text((size_t)PlaceableList(dialog, LB_GETTEXTLEN, (WPARAM)row) + 1);
    PlaceableList(dialog, LB_GETTEXT, (WPARAM)row, (LPARAM)text.data());
    LPARAM type = PlaceableList(dialog, LB_GETITEMDATA, (WPARAM)row);
    InsertPlaceableRow(dialog, insertAt, text.data(), type);
    PlaceableList(dialog, LB_SETCURSEL, (WPARAM)insertAt);
    PlaceableList(dialog, LB_DELETESTRING, (WPARAM)(insertAt < row ? row + 1 : row));
}

// What the dialog does for a control's notification.
struct DialogCommand {
    int id;
    int code;
    void (CEditorDlg::*operation)();
};

const DialogCommand dialogCommands[] = {
    { IDC_LEVEL_LIST, LBN_DBLCLK, &CEditorDlg::OpenLevel },
    { IDC_BROWSE, BN_CLICKED, &CEditorDlg::BrowseLevelFile },
    { IDC_SAVE, BN_CLICKED, &CEditorDlg::SaveLevelFile },
    { IDC_LOAD, BN_CLICKED, &CEditorDlg::LoadLevelFile },
    { IDC_INSERT_LEVEL, BN_CLICKED, &CEditorDlg::InsertLevel },
    { IDC_LEVEL_DOWN, BN_CLICKED, &CEditorDlg::MoveLevelDown },
    { IDC_LEVEL_UP, BN_CLICKED, &CEditorDlg::MoveLevelUp },
    { IDC_DELETE_PLACEABLE, BN_CLICKED, &CEditorDlg::DeletePlaceable },
    { IDC_PLACEABLE_DOWN, BN_CLICKED, &CEditorDlg::MovePlaceableDown },
    { IDC_NEXT_STONE, CBN_SELCHANGE, &CEditorDlg::SelectNextStone },
    { IDC_PLACEABLE_UP, BN_CLICKED, &CEditorDlg::MovePlaceableUp },
    { IDC_RESTORE, BN_CLICKED, &CEditorDlg::RestoreLevel },
    { IDC_PLAY, BN_CLICKED, &CEditorDlg::TogglePlay },
    { IDC_ADD_PLACEABLE, BN_CLICKED, &CEditorDlg::AddPlaceable },
    { IDC_RANDOM, BN_CLICKED, &CEditorDlg::RandomStones },
};

} // namespace

CEditorDlg::CEditorDlg(HWND mainWindow, HINSTANCE instance, CGameController* controller)
    : mainWindow(mainWindow), dialog(nullptr), instance(instance), controller(controller), currentLevel(nullptr),
      playState(1), typeList(nullptr), openedRow(-1)
{
    // Set before the dialog exists, so its procedure finds the editor from the first message.
    g_pEditorDlg = this;
    CreateDialogWindow();
}

CEditorDlg::~CEditorDlg()
{
    if (dialog)
        DestroyWindow(dialog);
    if (g_pEditorDlg == this)
        g_pEditorDlg = nullptr;
}

void CEditorDlg::CreateDialogWindow()
{
    dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_LEVEL_EDITOR), nullptr, CEditorDlg::DialogProc, 0);
    ShowWindow(dialog, SW_RESTORE);
}

INT_PTR CALLBACK CEditorDlg::DialogProc(HWND, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    CEditorDlg* editor = g_pEditorDlg;
    if (message != WM_COMMAND || !editor)
        return FALSE;

    int id = LOWORD(wParam);
    int code = HIWORD(wParam);
    for (const DialogCommand& command : dialogCommands) {
        if (command.id == id && command.code == code) {
            (editor->*command.operation)();
            return TRUE;
        }
    }
    // "Save as ...", "Delete" and "Copy" of the level list, and the system
    // menu's close command: the dialog stays as it is.
    return FALSE;
}

// The application builds a new controller whenever it sets up its device
// again; the one in charge now is asked for each time, so a controller that
// is gone is never used.
CGameController* CEditorDlg::Controller()
{
    controller = CGameController::GetExistingInstance();
    return controller;
}

CGrid* CEditorDlg::Board()
{
    CGameController* game = Controller();
    if (!game || !game->gameData)
        return nullptr;
    return game->gameData->board;
}

void CEditorDlg::TellFailure(const char* what, const char* path)
{
    std::string text = std::string(what) + "\n" + path + "\n" + levels.GetResultText();
    MessageBoxA(dialog, text.c_str(), "Level Editor", MB_OK | MB_ICONERROR);
}

void CEditorDlg::BrowseLevelFile()
{
    char directory[PATH_SIZE];
    char file[PATH_SIZE];
    file[0] = 0;
    GetCurrentDirectoryA(PATH_SIZE, directory);

    OPENFILENAMEA ofn;
    memset(&ofn, 0, sizeof(ofn));
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400;
    ofn.hwndOwner = dialog;
    ofn.lpstrFilter = "All\0*.*\0XML\0*.XML\0\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = PATH_SIZE;
    ofn.lpstrTitle = "Select Level File";
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    if (GetOpenFileNameA(&ofn) == 1) {
        SetDlgItemTextA(dialog, IDC_LEVEL_FILE, file);
        SetCurrentDirectoryA(directory);
    } else {
        CommDlgExtendedError();
    }
}

// Level files are XML files; the name says so in any case (".xml", ".XML").
static bool NamesXmlFile(const char* path)
{
    for (const char* at = path; *at; at++) {
        if (strncasecmp(at, ".xml", 4) == 0)
            return true;
    }
    return false;
}

void CEditorDlg::LoadLevelFile()
{
    char path[PATH_SIZE];
    GetDlgItemTextA(dialog, IDC_LEVEL_FILE, path, PATH_SIZE);
    if (!NamesXmlFile(path)) {
        std::string text = std::string("Only level files named .xml are loaded:\n") + path;
        MessageBoxA(dialog, text.c_str(), "Level Editor", MB_OK | MB_ICONWARNING);
        return;
    }
    // A file that does not load leaves the list as it was.
    if (!levels.Load(path)) {
        TellFailure("The level file could not be loaded:", path);
        return;
    }
    RefreshLevelList();
    FillNextStoneList();
}

void CEditorDlg::SaveLevelFile()
{
    char path[PATH_SIZE];
    GetDlgItemTextA(dialog, IDC_LEVEL_FILE, path, PATH_SIZE);
    StoreCurrentLevel();
    // Levels of the file that the list does not hold would be lost (a Save
    // before any Load writes the empty list): that is asked first.
    CLevelLoader onDisk;
    if (onDisk.Load(path) && onDisk.GetLevelCount() > levels.GetLevelCount()) {
        char text[PATH_SIZE + 160];
        snprintf(text, sizeof(text), "%s\nholds %d levels, the editor's list %d.\nWrite the list over the file?", path,
                 onDisk.GetLevelCount(), levels.GetLevelCount());
        if (MessageBoxA(dialog, text, "Level Editor", MB_OKCANCEL | MB_ICONWARNING) != IDOK)
            return;
    }
    // A failed save leaves the file that was there as it was.
    if (!levels.Save(path))
        TellFailure("The level file could not be saved:", path);
}

void CEditorDlg::RefreshLevelList()
{
    LevelList(dialog, LB_RESETCONTENT);
    int count = levels.GetLevelCount();
    for (int n = 1; n <= count; n++) {
        CLevel* level = levels.GetLevel(n);
        LRESULT row = LevelList(dialog, LB_ADDSTRING, 0, (LPARAM)Utf8ToLatin1(level->GetName()).c_str());
        if (row >= 0)
            LevelList(dialog, LB_SETITEMDATA, (WPARAM)row, (LPARAM)level);
    }
    ShowLevelCount(dialog, count);
}

void CEditorDlg::FillNextStoneList()
{
    int count = 0;
    typeList = CStoneTypes::GetTypeList(&count);
    NextStoneList(dialog, CB_RESETCONTENT);
    for (int i = 0; i < count; i++)
        NextStoneList(dialog, CB_ADDSTRING, 0, (LPARAM)CStoneTypes::GetName(typeList[i]).c_str());
}

void CEditorDlg::OpenLevel()
{
    LRESULT row = LevelList(dialog, LB_GETCURSEL);
    if (row == LB_ERR || !Board())
        return;
    CLevel* level = (CLevel*)LevelList(dialog, LB_GETITEMDATA, (WPARAM)row);
    openedRow = (int)row;
    StoreCurrentLevel();
    controller->StartEditorLevel(level);
    currentLevel = level;
    ShowLevel();
}

void CEditorDlg::ShowLevel()
{
    if (!currentLevel)
        return;
    PlaceableList(dialog, LB_RESETCONTENT);
    for (int i = 0; i < currentLevel->placeableCount; i++) {
        int type = currentLevel->placeableTypes[i];
        InsertPlaceableRow(dialog, -1, CStoneTypes::GetName(type).c_str(), type);
    }
    SetDlgItemTextA(dialog, IDC_LEVEL_NAME, Utf8ToLatin1(currentLevel->GetName()).c_str());
    ShowLevelCount(dialog, levels.GetLevelCount());
}

void CEditorDlg::RestoreLevel()
{
    if (!Board())
        return;
    controller->StartEditorLevel(currentLevel);
    ShowLevel();
}

void CEditorDlg::TogglePlay()
{
    if (!currentLevel || !Board())
        return;
    playState = playState == 0 ? 1 : 0;
    if (playState == 1) {
        SetDlgItemTextA(dialog, IDC_PLAY, "Play");
        RestoreLevel();
    } else {
        SetDlgItemTextA(dialog, IDC_PLAY, "Edit");
        StoreCurrentLevel();
        controller->StartLevel(currentLevel);
    }
}

void CEditorDlg::StoreCurrentLevel()
{
    if (!currentLevel)
        return;

    // A game started again from the menu brings an empty board with no
    // next-stone view, not the level: storing it would wipe the level's
    // stones and fields, so only the dialog's part is taken then.
    CGrid* board = Board();
    if (board && !controller->nextStoneView)
        board = nullptr;
    if (board) {
        // Stones, in cell order: each a record of its own for the level.
        int count = board->GetStoneCount();
        CStoneInfo** cells = board->GetCells();
        CStoneInfo** stones = count > 0 ? new CStoneInfo*[count] : nullptr;
        int stored = 0;
        for (int i = 0; i < board->cellCount && stored < count; i++) {
            CStoneInfo* cell = cells[i];
            if (cell)
                stones[stored++] = new CStoneInfo(cell->x, cell->y, cell->z, cell->type, cell->name);
        }
        if (stored == 0) {
            delete[] stones;
            stones = nullptr;
        }
        currentLevel->SetStones(stones, stored);
    }

    // Placeable stones: the rows' stone types, in row order.
    int placeableCount = (int)PlaceableList(dialog, LB_GETCOUNT);
    int* placeable = placeableCount > 0 ? new int[placeableCount] : nullptr;
    for (int row = 0; row < placeableCount; row++)
        placeable[row] = (int)PlaceableList(dialog, LB_GETITEMDATA, (WPARAM)row);
    delete[] currentLevel->placeableTypes;
    currentLevel->placeableTypes = placeable;
    currentLevel->placeableCount = placeableCount;

    if (board) {
        // Fields: every column with a field value, by column, then by row.
        std::vector<CStoneInfo> found;
        for (int x = 0; x < board->width; x++) {
            for (int y = 0; y < board->height; y++) {
                if (board->fields[x][y] != 0)
                    found.push_back(CStoneInfo(x, y, 0, board->fields[x][y], ""));
            }
        }
        CStoneInfo* fields = nullptr;
        if (!found.empty()) {
            fields = new CStoneInfo[found.size()];
            for (size_t i = 0; i < found.size(); i++)
                fields[i] = found[i];
        }
        currentLevel->SetFields(fields, (int)found.size());
    }

    // The dialog's texts are Latin-1, level names UTF-8. A name the dialog
    // shows unchanged stays as it is, so characters it cannot show survive.
    char name[NAME_SIZE];
    GetDlgItemTextA(dialog, IDC_LEVEL_NAME, name, NAME_SIZE);
    if (name[0]) {
        if (name != Utf8ToLatin1(currentLevel->GetName()))
            currentLevel->SetName(Latin1ToUtf8(name));
        RefreshLevelList();
    }
}

void CEditorDlg::InsertLevel()
{
    LRESULT row = LevelList(dialog, LB_GETCURSEL);
    if (row == LB_ERR)
        return;
    CLevel* before = (CLevel*)LevelList(dialog, LB_GETITEMDATA, (WPARAM)row);
    levels.InsertLevel(new CLevel(), before);
    RefreshLevelList();
}

void CEditorDlg::MoveLevelUp()
{
    MoveSelectedLevel(&CLevelLoader::MoveLevelUp, -1);
}

void CEditorDlg::MoveLevelDown()
{
    MoveSelectedLevel(&CLevelLoader::MoveLevelDown, 1);
}

// Moves the selected row's level one place in the list; the selection goes
// with it (or is gone when the row it would move to does not exist).
void CEditorDlg::MoveSelectedLevel(void (CLevelLoader::*move)(CLevel*), int step)
{
    LRESULT row = LevelList(dialog, LB_GETCURSEL);
    if (row == LB_ERR)
        return;
    (levels.*move)((CLevel*)LevelList(dialog, LB_GETITEMDATA, (WPARAM)row));
    RefreshLevelList();
    LevelList(dialog, LB_SETCURSEL, (WPARAM)(row + step));
}

void CEditorDlg::SelectNextStone()
{
    LRESULT row = NextStoneList(dialog, CB_GETCURSEL);
    if (row == CB_ERR || !typeList || !Board())
        return;
    // Only the editor board has the editor's view; a level being tried has its own supply.
    CNextStoneViewEditor* view = dynamic_cast<CNextStoneViewEditor*>(controller->nextStoneView);
    if (!view)
        return;
    view->SetStoneType(typeList[row]);
    controller->CheckLevelFinished();
}

void CEditorDlg::AddPlaceable()
{
    LRESULT row = NextStoneList(dialog, CB_GETCURSEL);
    if (row == CB_ERR || !typeList)
        return;
    int type = typeList[row];
    std::string name = CStoneTypes::GetName(type);
    LRESULT selected = PlaceableList(dialog, LB_GETCURSEL);
    InsertPlaceableRow(dialog, selected == LB_ERR ? -1 : (int)selected, name.c_str(), type);
}

void CEditorDlg::MovePlaceableUp()
{
    LRESULT row = PlaceableList(dialog, LB_GETCURSEL);
    if (row == LB_ERR || row <= 0)
        return;
    MovePlaceableRow(dialog, (int)row, (int)row - 1);
}

void CEditorDlg::MovePlaceableDown()
{
    LRESULT row = PlaceableList(dialog, LB_GETCURSEL);
    if (row == LB_ERR || row >= PlaceableList(dialog, LB_GETCOUNT) - 1)
        return;
    MovePlaceableRow(dialog, (int)row, (int)row + 2);
}

void CEditorDlg::DeletePlaceable()
{
    LRESULT row = PlaceableList(dialog, LB_GETCURSEL);
    if (row != LB_ERR)
        PlaceableList(dialog, LB_DELETESTRING, (WPARAM)row);
}

void CEditorDlg::RandomStones()
{
    unsigned int tries = GetDlgItemInt(dialog, IDC_RANDOM_TRIES, nullptr, FALSE);
    CGrid* board = Board();
    if (!board)
        return;
    const int capacity = board->width * board->height * CGrid::LAYERS;
    for (unsigned int i = 0; i < tries; i++) {
        // Once every column is full no try can place anything.
        if (board->GetStoneCount() >= capacity)
            break;
        int x = rand() % board->width;
        int y = rand() % board->height;
        // Drawn from the block to yellow; a drawn block places nothing, nor
        // does a full column.
        int type = STONE_BLOCK + rand() % (STONE_YELLOW - STONE_BLOCK + 1);
        if (type == STONE_BLOCK || board->GetHeight(x, y) >= CGrid::LAYERS)
            continue;
        if (CSoundDev* sound = CResourceManager::GetSoundDevice())
            sound->PlayIndex(sound->LoadSound("GAME_PLACE", nullptr), 0, -1.0f, 1);
        controller->PlaceStoneOfType(x, y, type);
    }
}
