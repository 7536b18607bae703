#include "CEditorDlg.h"

CEditorDlg* CEditorDlg::instance = nullptr;

CEditorDlg::CEditorDlg(HWND mainWindow, HINSTANCE instance, CGameController* controller)
    : mainWindow(mainWindow), dialog(nullptr), moduleInstance(instance), controller(controller),
      currentLevel(nullptr), playState(1), typeList(nullptr), openedRow(-1)
{
    CEditorDlg::instance = this;
    CreateDialogWindow();
}

CEditorDlg::~CEditorDlg()
{
    if (instance == this)
        instance = nullptr;
}

void CEditorDlg::CreateDialogWindow() {}

INT_PTR CALLBACK CEditorDlg::DialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

void CEditorDlg::BrowseLevelFile() {}
void CEditorDlg::LoadLevelFile() {}
void CEditorDlg::SaveLevelFile() {}
void CEditorDlg::RefreshLevelList() {}
void CEditorDlg::FillNextStoneList() {}
void CEditorDlg::OpenLevel() {}
void CEditorDlg::ShowLevel() {}
void CEditorDlg::RestoreLevel() {}
void CEditorDlg::TogglePlay() {}
void CEditorDlg::StoreCurrentLevel() {}
void CEditorDlg::InsertLevel() {}
void CEditorDlg::MoveLevelUp() {}
void CEditorDlg::MoveLevelDown() {}
void CEditorDlg::SelectNextStone() {}
void CEditorDlg::AddPlaceable() {}
void CEditorDlg::MovePlaceableUp() {}
void CEditorDlg::MovePlaceableDown() {}
void CEditorDlg::DeletePlaceable() {}
void CEditorDlg::RandomStones() {}
