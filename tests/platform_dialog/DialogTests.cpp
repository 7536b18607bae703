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
        dialog = CreateDialogParamA(nullptr, MAKEINTRESOURCEA(IDD_LEVEL_EDITOR), nullptr, RecordingProc, 7);
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

    HWND dialog = nullptr;
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
    SetDlgItemTextA(dialog, IDC_LEVEL_NAME, "name");
    char name[8] = "x";
    EXPECT_EQ(GetDlgItemTextA(dialog, IDC_LEVEL_NAME, name, 0), 0u);
    EXPECT_STREQ(name, "x");

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
        EXPECT_EQ(GetDlgItemInt(dialog, IDC_RANDOM_TRIES, nullptr, c.isSigned), c.value) << c.text;
    }
    SetDlgItemInt(dialog, IDC_LEVEL_COUNT, 6, FALSE);
    EXPECT_EQ(Text(IDC_LEVEL_COUNT), "6");
}

// Rows going in and out around the selection are walked by the editor's
// tests; here the answers to rows that do not exist.
TEST_F(DialogTest, ListAnswersErrorsForRowsThatDoNotExist)
{
    List(LB_ADDSTRING, 0, (LPARAM) "Blue");
    List(LB_ADDSTRING, 0, (LPARAM) "Red");
    EXPECT_EQ(List(LB_INSERTSTRING, 3, (LPARAM) "Far"), LB_ERR);
    EXPECT_EQ(List(LB_INSERTSTRING, 2, 0), LB_ERR);
    EXPECT_EQ(List(LB_SETITEMDATA, 2, 9), LB_ERR);
    EXPECT_EQ(List(LB_GETITEMDATA, 2), LB_ERR);
    EXPECT_EQ(List(LB_GETTEXTLEN, 2), LB_ERR);
    EXPECT_EQ(List(LB_DELETESTRING, 2), LB_ERR);
    EXPECT_EQ(List(LB_GETCOUNT), 2);

    List(LB_SETCURSEL, 1);
    EXPECT_EQ(List(LB_SETCURSEL, 8), LB_ERR);
    EXPECT_EQ(List(LB_GETCURSEL), LB_ERR);
    List(LB_SETCURSEL, 1);
    List(LB_RESETCONTENT);
    EXPECT_EQ(List(LB_GETCURSEL), LB_ERR);
    EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_NEXT_STONE, CB_GETCURSEL, 0, 0), CB_ERR);
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
    dialog = nullptr;
}

TEST(DialogResources, MissingOrCutTemplatesMakeNoDialog)
{
    EXPECT_EQ(CreateDialogParamA(nullptr, MAKEINTRESOURCEA(4711), nullptr, RecordingProc, 0), nullptr);
    static const BYTE shortTemplate[10] = { 0 };
    RegisterResourceA(MAKEINTRESOURCEA(4712), RT_DIALOG, shortTemplate, sizeof(shortTemplate));
    EXPECT_EQ(CreateDialogParamA(nullptr, MAKEINTRESOURCEA(4712), nullptr, RecordingProc, 0), nullptr);
    // A header that promises three controls but holds none.
    static const BYTE noControls[26] = { 0, 0, 0, 0, 0, 0, 0, 0, 3, 0 };
    RegisterResourceA(MAKEINTRESOURCEA(4713), RT_DIALOG, noControls, sizeof(noControls));
    EXPECT_EQ(CreateDialogParamA(nullptr, MAKEINTRESOURCEA(4713), nullptr, RecordingProc, 0), nullptr);
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
