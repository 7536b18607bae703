// The dialog layer without a display: the editor's template, the controls'
// state and the messages the editor sends to them.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "EditorDialogResource.h"
#include "GameResources.h"

namespace {

std::vector<std::pair<UINT, WPARAM>> received;

INT_PTR CALLBACK RecordingProc(HWND, UINT message, WPARAM wParam, LPARAM)
{
    received.push_back({ message, wParam });
    return message == WM_INITDIALOG;
}

class DialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterGameResources();
        received.clear();
        dialog = CreateDialogParamA(NULL, MAKEINTRESOURCEA(IDD_LEVEL_EDITOR), NULL, RecordingProc, 7);
        ASSERT_NE(dialog, nullptr);
    }
    void TearDown() override
    {
        if (dialog)
            DestroyWindow(dialog);
    }

    LRESULT List(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return SendDlgItemMessageA(dialog, IDC_PLACEABLE_LIST, msg, wParam, lParam);
    }
    std::string Text(int id)
    {
        char buffer[256];
        GetDlgItemTextA(dialog, id, buffer, sizeof(buffer));
        return buffer;
    }

    HWND dialog = NULL;
};

TEST_F(DialogTest, TemplateMakesTheEditorDialogHiddenUntilShown)
{
    char caption[64];
    GetWindowTextA(dialog, caption, sizeof(caption));
    EXPECT_STREQ(caption, "Level Editor");
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received[0].first, (UINT)WM_INITDIALOG);
    EXPECT_EQ(ShowWindow(dialog, SW_RESTORE), FALSE);
    EXPECT_EQ(ShowWindow(dialog, SW_RESTORE), TRUE);

    struct Expected {
        int id;
        const char* text;
    };
    const Expected controls[] = { { IDC_BROWSE, "..." },      { IDC_LEVEL_FILE_LABEL, "Level File" },
                                  { IDC_SAVE_AS, "Save as ..." }, { IDC_PLAY, "Play" },
                                  { IDC_ADD_PLACEABLE, "->" },   { IDC_LEVEL_COUNT, "Count" },
                                  { IDC_RANDOM, "Random" },      { IDC_LEVEL_FILE, "" } };
    for (const Expected& c : controls) {
        ASSERT_NE(GetDlgItem(dialog, c.id), nullptr) << c.id;
        EXPECT_EQ(GetDlgCtrlID(GetDlgItem(dialog, c.id)), c.id);
        EXPECT_EQ(Text(c.id), c.text) << c.id;
    }
    // The first control without an id is the "Levels:" label.
    EXPECT_EQ(Text(-1), "Levels:");
    EXPECT_EQ(GetDlgItem(dialog, 9999), nullptr);

    // A dialog procedure's answer comes back through SendMessage.
    EXPECT_EQ(SendMessageA(dialog, WM_INITDIALOG, 0, 0), TRUE);
    EXPECT_EQ(SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SAVE, BN_CLICKED), 0), FALSE);
}

TEST_F(DialogTest, TextsAreCutToTheCallersBufferAndNumbersParsedAsWindowsDoes)
{
    std::string forty(40, 'n');
    SetDlgItemTextA(dialog, IDC_LEVEL_NAME, forty.c_str());
    char name[32];
    memset(name, 'x', sizeof(name));
    EXPECT_EQ(GetDlgItemTextA(dialog, IDC_LEVEL_NAME, name, sizeof(name)), 31u);
    EXPECT_EQ(std::string(name), std::string(31, 'n'));
    EXPECT_EQ(GetDlgItemTextA(dialog, IDC_LEVEL_NAME, name, 0), 0u);

    SetWindowTextA(GetDlgItem(dialog, IDC_PLAY), "Edit");
    EXPECT_EQ(Text(IDC_PLAY), "Edit");

    struct Case {
        const char* text;
        BOOL isSigned;
        UINT value;
        BOOL ok;
    };
    const Case cases[] = { { "10", FALSE, 10, TRUE },        { " 42 ", FALSE, 42, TRUE },
                           { "abc", FALSE, 0, FALSE },       { "12x", FALSE, 0, FALSE },
                           { "", FALSE, 0, FALSE },          { "-3", FALSE, 0, FALSE },
                           { "-3", TRUE, (UINT)-3, TRUE },   { "4294967295", FALSE, 4294967295u, TRUE },
                           { "4294967296", FALSE, 0, FALSE } };
    for (const Case& c : cases) {
        SetDlgItemTextA(dialog, IDC_RANDOM_TRIES, c.text);
        BOOL ok = -1;
        EXPECT_EQ(GetDlgItemInt(dialog, IDC_RANDOM_TRIES, &ok, c.isSigned), c.value) << c.text;
        EXPECT_EQ(ok, c.ok) << c.text;
        EXPECT_EQ(GetDlgItemInt(dialog, IDC_RANDOM_TRIES, NULL, c.isSigned), c.value) << c.text;
    }
    SetDlgItemInt(dialog, IDC_LEVEL_COUNT, 6, FALSE);
    EXPECT_EQ(Text(IDC_LEVEL_COUNT), "6");
}

TEST_F(DialogTest, ListRowsKeepTextDataAndSelection)
{
    EXPECT_EQ(List(LB_GETCURSEL), LB_ERR);
    EXPECT_EQ(List(LB_ADDSTRING, 0, (LPARAM) "Blue"), 0);
    EXPECT_EQ(List(LB_ADDSTRING, 0, (LPARAM) "Red"), 1);
    List(LB_SETITEMDATA, 0, 2);
    List(LB_SETITEMDATA, 1, 4);
    EXPECT_EQ(List(LB_INSERTSTRING, 1, (LPARAM) "Green"), 1);
    EXPECT_EQ(List(LB_INSERTSTRING, 9, (LPARAM) "Far"), LB_ERR);
    EXPECT_EQ(List(LB_INSERTSTRING, (WPARAM)-1, (LPARAM) "End"), 3);
    EXPECT_EQ(List(LB_GETCOUNT), 4);
    EXPECT_EQ(List(LB_GETITEMDATA, 2), 4);
    EXPECT_EQ(List(LB_GETITEMDATA, 7), LB_ERR);

    char text[32];
    EXPECT_EQ(List(LB_GETTEXTLEN, 1), 5);
    EXPECT_EQ(List(LB_GETTEXT, 1, (LPARAM)text), 5);
    EXPECT_STREQ(text, "Green");

    // The selection follows its row when rows go in or out before it.
    EXPECT_EQ(List(LB_SETCURSEL, 2), 2);
    List(LB_INSERTSTRING, 0, (LPARAM) "Top");
    EXPECT_EQ(List(LB_GETCURSEL), 3);
    EXPECT_EQ(List(LB_DELETESTRING, 0), 4);
    EXPECT_EQ(List(LB_GETCURSEL), 2);
    EXPECT_EQ(List(LB_DELETESTRING, 2), 3);
    EXPECT_EQ(List(LB_GETCURSEL), LB_ERR);
    EXPECT_EQ(List(LB_DELETESTRING, 5), LB_ERR);
    EXPECT_EQ(List(LB_SETCURSEL, (WPARAM)-1), LB_ERR);
    EXPECT_EQ(List(LB_SETCURSEL, 8), LB_ERR);
    EXPECT_EQ(List(LB_GETCURSEL), LB_ERR);

    List(LB_SETCURSEL, 1);
    List(LB_RESETCONTENT);
    EXPECT_EQ(List(LB_GETCOUNT), 0);
    EXPECT_EQ(List(LB_GETCURSEL), LB_ERR);

    // The drop-down list answers the same with its own messages.
    HWND combo = GetDlgItem(dialog, IDC_NEXT_STONE);
    EXPECT_EQ(SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM) "Special"), 0);
    EXPECT_EQ(SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM) "Block"), 1);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    SendMessageA(combo, CB_SETCURSEL, 1, 0);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 0);
}

TEST_F(DialogTest, DestroyedDialogAndItsControlsAreDeadHandles)
{
    HWND list = GetDlgItem(dialog, IDC_LEVEL_LIST);
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_TRUE(DestroyWindow(dialog));
    EXPECT_EQ(received.back().first, (UINT)WM_DESTROY);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_FALSE(IsWindow(list));
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(GetDlgItem(dialog, IDC_LEVEL_LIST), nullptr);
    dialog = NULL;
}

TEST(DialogResources, MissingOrCutTemplatesMakeNoDialog)
{
    EXPECT_EQ(CreateDialogParamA(NULL, MAKEINTRESOURCEA(4711), NULL, RecordingProc, 0), nullptr);
    static const BYTE shortTemplate[10] = { 0 };
    RegisterResourceA(MAKEINTRESOURCEA(4712), RT_DIALOG, shortTemplate, sizeof(shortTemplate));
    EXPECT_EQ(CreateDialogParamA(NULL, MAKEINTRESOURCEA(4712), NULL, RecordingProc, 0), nullptr);
    // A header that promises three controls but holds none.
    static const BYTE noControls[26] = { 0, 0, 0, 0, 0, 0, 0, 0, 3, 0 };
    RegisterResourceA(MAKEINTRESOURCEA(4713), RT_DIALOG, noControls, sizeof(noControls));
    EXPECT_EQ(CreateDialogParamA(NULL, MAKEINTRESOURCEA(4713), NULL, RecordingProc, 0), nullptr);
}

TEST(DialogResources, OpenFileDialogWithoutDisplayFailsWithReason)
{
    char file[1024] = "";
    OPENFILENAMEA ofn;
    memset(&ofn, 0, sizeof(ofn));
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof(file);
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), (DWORD)CDERR_DIALOGFAILURE);
    EXPECT_STREQ(file, "");
    ofn.lStructSize = 12;
    EXPECT_FALSE(GetOpenFileNameA(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), (DWORD)CDERR_STRUCTSIZE);
}

} // namespace
