// CEditorDlg: the modeless "Level Editor" dialog beside the 3D view. It keeps
// its own level list for the file the user picks, lists the levels, opens one
// on the board of the game controller for editing, edits its name and its
// placeable stones, fills the board with random stones, inserts and reorders
// levels, lets the user try a level under the game's rules and saves the list.
// It drives the controller directly; the 3D view sends it nothing.
#ifndef CEDITORDLG_H
#define CEDITORDLG_H

#include <windows.h>

#include "CLevelLoader.h"

class CGameController;
class CGrid;
class CLevel;

class CEditorDlg
{
public:
    // Opens the dialog at once; the editor lives until the program ends.
    CEditorDlg(HWND mainWindow, HINSTANCE instance, CGameController* controller);
    virtual ~CEditorDlg();

    void CreateDialogWindow();
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    void BrowseLevelFile();
    void LoadLevelFile();
    void SaveLevelFile();
    void RefreshLevelList();
    void FillNextStoneList();
    void OpenLevel();
    void ShowLevel();
    void RestoreLevel();
    void TogglePlay();
    void StoreCurrentLevel();
    void InsertLevel();
    void MoveLevelUp();
    void MoveLevelDown();
    void SelectNextStone();
    void AddPlaceable();
    void MovePlaceableUp();
    void MovePlaceableDown();
    void DeletePlaceable();
    void RandomStones();

    HWND mainWindow;            // the application's window; kept, not used
    HWND dialog;                // the dialog window
    HINSTANCE instance;         // the module that holds the dialog resource
    CLevelLoader levels;        // the editor's own level list
    CGameController* controller;
    CLevel* currentLevel;       // the level open on the board; null until one is opened
    int playState;              // 1 while editing ("Play"), 0 while the level is tried ("Edit")
    const int* typeList;        // the next-stone list's stone types, row by row; set at the first Load
    int openedRow;              // the level row opened last

private:
    CEditorDlg(const CEditorDlg&) = delete;
    CEditorDlg& operator=(const CEditorDlg&) = delete;

    // The controller of the running game and its board; null without one.
    CGameController* Controller();
    CGrid* Board();
    void MoveSelectedLevel(void (CLevelLoader::*move)(CLevel*), int step);
    void TellFailure(const char* what, const char* path);
};

// The one editor, for the dialog procedure; null while there is none.
extern CEditorDlg* g_pEditorDlg;

#endif
