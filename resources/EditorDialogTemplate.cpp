// The "Level Editor" dialog template, built at start as the binary template a
// resource compiler makes (German, 8-point "MS Sans Serif", 189 x 404 dialog
// units) and registered as resource 146 of type RT_DIALOG.
#include "EditorDialogResource.h"

#include <windows.h>

#include <vector>

namespace {

const DWORD LIST_STYLE = LBS_NOTIFY | WS_BORDER | WS_VSCROLL | WS_TABSTOP;
const DWORD EDIT_STYLE = ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
const DWORD BUTTON_STYLE = BS_PUSHBUTTON | WS_TABSTOP;
const DWORD COMBO_STYLE = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
const DWORD LABEL_STYLE = SS_LEFT;
const DWORD GROUP_STYLE = BS_GROUPBOX;

struct ControlEntry {
    int id;
    WORD classAtom;
    const char* text;
    DWORD style;
    short x, y, cx, cy;
};

// In template order, which is also the tab order.
const ControlEntry controls[] = {
    { IDC_LEVEL_LIST, DLGCLASS_LISTBOX, "", LIST_STYLE, 7, 80, 116, 99 },
    { IDC_LEVEL_FILE, DLGCLASS_EDIT, "", EDIT_STYLE, 7, 18, 159, 12 },
    { IDC_BROWSE, DLGCLASS_BUTTON, "...", BUTTON_STYLE, 168, 17, 14, 12 },
    { IDC_LEVEL_FILE_LABEL, DLGCLASS_STATIC, "Level File", LABEL_STYLE, 7, 7, 160, 11 },
    { -1, DLGCLASS_STATIC, "Levels:", LABEL_STYLE, 7, 66, 26, 11 },
    { IDC_SAVE, DLGCLASS_BUTTON, "Save", BUTTON_STYLE, 56, 40, 39, 14 },
    { IDC_SAVE_AS, DLGCLASS_BUTTON, "Save as ...", BUTTON_STYLE, 106, 40, 39, 14 },
    { IDC_LOAD, DLGCLASS_BUTTON, "Load", BUTTON_STYLE, 7, 40, 39, 14 },
    { IDC_INSERT_LEVEL, DLGCLASS_BUTTON, "Insert", BUTTON_STYLE, 137, 87, 39, 12 },
    { IDC_DELETE_LEVEL, DLGCLASS_BUTTON, "Delete", BUTTON_STYLE, 137, 106, 39, 12 },
    { IDC_COPY_LEVEL, DLGCLASS_BUTTON, "Copy", BUTTON_STYLE, 137, 125, 39, 12 },
    { IDC_LEVEL_DOWN, DLGCLASS_BUTTON, "Down", BUTTON_STYLE, 137, 163, 39, 12 },
    { IDC_LEVEL_UP, DLGCLASS_BUTTON, "Up", BUTTON_STYLE, 137, 144, 39, 12 },
    { IDC_NEXT_STONE, DLGCLASS_COMBOBOX, "", COMBO_STYLE, 7, 238, 113, 96 },
    { -1, DLGCLASS_STATIC, "Next Stone:", LABEL_STYLE, 7, 225, 108, 13 },
    { IDC_RESTORE, DLGCLASS_BUTTON, "Restore", BUTTON_STYLE, 137, 236, 39, 12 },
    { IDC_PLAY, DLGCLASS_BUTTON, "Play", BUTTON_STYLE, 137, 254, 39, 12 },
    { -1, DLGCLASS_BUTTON, "Levels", GROUP_STYLE, 133, 77, 49, 103 },
    { -1, DLGCLASS_BUTTON, "Editor", GROUP_STYLE, 133, 225, 49, 48 },
    { IDC_PLACEABLE_LIST, DLGCLASS_LISTBOX, "", LIST_STYLE, 7, 309, 113, 88 },
    { IDC_ADD_PLACEABLE, DLGCLASS_BUTTON, "->", BUTTON_STYLE, 41, 293, 39, 12 },
    { IDC_DELETE_PLACEABLE, DLGCLASS_BUTTON, "Delete", BUTTON_STYLE, 137, 298, 39, 12 },
    { IDC_PLACEABLE_DOWN, DLGCLASS_BUTTON, "Down", BUTTON_STYLE, 137, 336, 39, 12 },
    { IDC_PLACEABLE_UP, DLGCLASS_BUTTON, "Up", BUTTON_STYLE, 137, 318, 39, 12 },
    { -1, DLGCLASS_BUTTON, "Placebales", GROUP_STYLE, 131, 283, 51, 71 },
    { -1, DLGCLASS_BUTTON, "Level", GROUP_STYLE, 7, 179, 175, 46 },
    { IDC_LEVEL_NAME, DLGCLASS_EDIT, "", EDIT_STYLE, 13, 199, 69, 12 },
    { -1, DLGCLASS_STATIC, "Name:", LABEL_STYLE, 13, 188, 41, 8 },
    { IDC_LEVEL_COUNT, DLGCLASS_STATIC, "Count", LABEL_STYLE, 41, 66, 24, 11 },
    { IDC_RANDOM_TRIES, DLGCLASS_EDIT, "", EDIT_STYLE, 7, 264, 24, 13 },
    { IDC_RANDOM, DLGCLASS_BUTTON, "Random", BUTTON_STYLE, 42, 264, 40, 14 },
};

struct TemplateWriter {
    std::vector<BYTE> bytes;

    void Word(WORD value)
    {
        bytes.push_back((BYTE)(value & 0xFF));
        bytes.push_back((BYTE)(value >> 8));
    }
    void Dword(DWORD value)
    {
        Word((WORD)(value & 0xFFFF));
        Word((WORD)(value >> 16));
    }
    void Text(const char* text)
    {
        for (const char* c = text; *c; c++)
            Word((BYTE)*c);
        Word(0);
    }
    void AlignToDword()
    {
        while (bytes.size() % 4)
            bytes.push_back(0);
    }
};

std::vector<BYTE> BuildTemplate()
{
    const int count = (int)(sizeof(controls) / sizeof(controls[0]));
    TemplateWriter out;
    out.Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_SETFOREGROUND);
    out.Dword(0);
    out.Word((WORD)count);
    out.Word(0);
    out.Word(0);
    out.Word(189);
    out.Word(404);
    out.Word(0);  // no menu
    out.Word(0);  // the standard dialog class
    out.Text("Level Editor");
    out.Word(8);
    out.Text("MS Sans Serif");
    for (const ControlEntry& c : controls) {
        out.AlignToDword();
        out.Dword(c.style | WS_CHILD | WS_VISIBLE);
        out.Dword(0);
        out.Word((WORD)c.x);
        out.Word((WORD)c.y);
        out.Word((WORD)c.cx);
        out.Word((WORD)c.cy);
        out.Word((WORD)c.id);
        out.Word(0xFFFF);
        out.Word(c.classAtom);
        out.Text(c.text);
        out.Word(0);  // no creation data
    }
    return out.bytes;
}

} // namespace

void RegisterEditorDialog()
{
    // Built once and kept for the whole run, as resources in a program file are.
    static const std::vector<BYTE> dialogTemplate = BuildTemplate();
    RegisterResourceA(MAKEINTRESOURCEA(IDD_LEVEL_EDITOR), RT_DIALOG, dialogTemplate.data(),
                      (DWORD)dialogTemplate.size());
}
