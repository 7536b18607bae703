// Dialogs from template resources: the dialog and its controls keep their
// state here (texts, rows with item data, selection), the desktop window in
// DialogView.cpp only shows it and reports what the user does.
#include "DialogInternal.h"

#include <limits.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>

namespace {

// The live dialogs and controls. Handles are looked up here before use, so a
// destroyed one is recognised, never dereferenced.
std::vector<DialogItem*> dialogItems;

struct Notification {
    HWND dialog;
    HWND control;
    int id;
    WORD code;
};
std::vector<Notification> notifications;

DialogItem* NewItem(int kind)
{
    DialogItem* item = new DialogItem();
    item->kind = kind;
    item->id = -1;
    item->selection = -1;
    dialogItems.push_back(item);
    return item;
}

// ---------------------------------------------------------------------------
// Reading the binary template
// ---------------------------------------------------------------------------

struct TemplateReader {
    const BYTE* start;
    const BYTE* at;
    const BYTE* end;

    bool Has(size_t bytes) const { return at + bytes <= end; }

    WORD Word()
    {
        if (!Has(2)) {
            at = end;
            return 0;
        }
        WORD value = (WORD)(at[0] | (at[1] << 8));
        at += 2;
        return value;
    }

    // A zero-ended 16-bit text, kept as 8-bit characters.
    std::string Text()
    {
        std::string text;
        for (WORD c = Word(); c != 0 && at < end; c = Word())
            text += c < 0x100 ? (char)c : '?';
        return text;
    }

    // A name field: none (0), an ordinal (0xFFFF then a number) or a text.
    // Ordinals come back as "#<number>".
    std::string Name()
    {
        if (!Has(2))
            return "";
        WORD first = (WORD)(at[0] | (at[1] << 8));
        if (first == 0) {
            at += 2;
            return "";
        }
        if (first == 0xFFFF) {
            at += 2;
            return "#" + std::to_string(Word());
        }
        return Text();
    }

    void AlignToDword()
    {
        size_t offset = (size_t)(at - start);
        at += (4 - offset % 4) % 4;
        if (at > end)
            at = end;
    }
};

int KindOfClass(const std::string& name, DWORD style)
{
    std::string upper = name;
    for (char& c : upper)
        c = (char)toupper((unsigned char)c);
    if (upper == "#128" || upper == "BUTTON")
        return (style & 0xF) == BS_GROUPBOX ? CONTROL_GROUPBOX : CONTROL_BUTTON;
    if (upper == "#129" || upper == "EDIT")
        return CONTROL_EDIT;
    if (upper == "#130" || upper == "STATIC")
        return CONTROL_STATIC;
    if (upper == "#131" || upper == "LISTBOX")
        return CONTROL_LISTBOX;
    if (upper == "#133" || upper == "COMBOBOX")
        return CONTROL_COMBOBOX;
    return CONTROL_OTHER;
}

DWORD ReadDword(TemplateReader& reader)
{
    DWORD low = reader.Word();
    DWORD high = reader.Word();
    return low | (high << 16);
}

short ReadShort(TemplateReader& reader)
{
    return (short)reader.Word();
}

// What a dialog and each of its controls take alike from the template:
// their styles and their position and size in dialog units.
struct TemplateEntry {
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;
};

void ReadBox(TemplateReader& reader, TemplateEntry* entry)
{
    entry->x = ReadShort(reader);
    entry->y = ReadShort(reader);
    entry->cx = ReadShort(reader);
    entry->cy = ReadShort(reader);
}

DialogItem* NewTemplateItem(int kind, const TemplateEntry& entry, const std::string& title, HINSTANCE instance)
{
    DialogItem* item = NewItem(kind);
    item->title = title;
    item->style = entry.style;
    item->exStyle = entry.exStyle;
    item->instance = instance;
    item->x = entry.x;
    item->y = entry.y;
    item->cx = entry.cx;
    item->cy = entry.cy;
    return item;
}

// Builds the dialog and its controls; null when the template is cut short.
DialogItem* BuildDialog(const BYTE* data, size_t size, HINSTANCE instance)
{
    TemplateReader reader = { data, data, data + size };
    if (!reader.Has(sizeof(DLGTEMPLATE)))
        return nullptr;
    TemplateEntry header;
    header.style = ReadDword(reader);
    header.exStyle = ReadDword(reader);
    int count = reader.Word();
    ReadBox(reader, &header);
    reader.Name();  // menu: dialogs here have none
    reader.Name();  // window class: always the dialog class
    std::string caption = reader.Text();
    int pointSize = 8;
    std::string fontName = "MS Sans Serif";
    if (header.style & DS_SETFONT) {
        pointSize = reader.Word();
        fontName = reader.Text();
    }
    if (reader.at >= reader.end && count > 0)
        return nullptr;

    // Shown only by ShowWindow, or after WM_INITDIALOG when the template asks.
    header.style &= ~WS_VISIBLE;
    DialogItem* dialog = NewTemplateItem(DIALOG_WINDOW, header, caption, instance);
    dialog->pointSize = pointSize;
    dialog->fontName = fontName;

    for (int i = 0; i < count; i++) {
        reader.AlignToDword();
        if (!reader.Has(sizeof(DLGITEMTEMPLATE))) {
            Win32DestroyDialogItem(dialog);
            return nullptr;
        }
        TemplateEntry entry;
        entry.style = ReadDword(reader);
        entry.exStyle = ReadDword(reader);
        ReadBox(reader, &entry);
        short id = (short)reader.Word();
        std::string className = reader.Name();
        std::string text = reader.Name();
        WORD extra = reader.Word();
        reader.at = std::min(reader.at + extra, reader.end);

        // An ordinal in place of the text (an icon's resource) shows no text.
        std::string title = text[0] == '#' ? "" : text;
        DialogItem* control = NewTemplateItem(KindOfClass(className, entry.style), entry, title, instance);
        control->id = id;
        control->visible = (entry.style & WS_VISIBLE) != 0;
        control->dialog = dialog;
        dialog->controls.push_back(control);
    }
    return dialog;
}

// ---------------------------------------------------------------------------
// Control messages
// ---------------------------------------------------------------------------

LRESULT CopyText(const std::string& text, LPSTR buffer, int size)
{
    if (!buffer || size <= 0)
        return 0;
    int length = std::min((int)text.size(), size - 1);
    memcpy(buffer, text.data(), (size_t)length);
    buffer[length] = 0;
    return length;
}

// List and combo boxes answer the same questions with their own message
// numbers and error value; both are handled here through one table.
struct BoxMessages {
    UINT add, insert, remove, reset, setSelection, getSelection, getText, getTextLength, count, getData, setData;
    LRESULT error;
};

const BoxMessages listMessages = { LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT,
                                   LB_SETCURSEL, LB_GETCURSEL,    LB_GETTEXT,      LB_GETTEXTLEN,
                                   LB_GETCOUNT,  LB_GETITEMDATA,  LB_SETITEMDATA,  LB_ERR };
const BoxMessages comboMessages = { CB_ADDSTRING, CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT,
                                    CB_SETCURSEL, CB_GETCURSEL,    CB_GETLBTEXT,    CB_GETLBTEXTLEN,
                                    CB_GETCOUNT,  CB_GETITEMDATA,  CB_SETITEMDATA,  CB_ERR };

// Handles a list or combo box message; false when the message is not one of them.
bool BoxMessage(DialogItem* box, const BoxMessages& m, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    std::vector<DialogRow>& rows = box->rows;
    bool valid = (size_t)wParam < rows.size();
    *result = m.error;
    if (msg == m.add || msg == m.insert) {
        size_t at = rows.size();
        if (msg == m.insert && (int)wParam != -1)
            at = wParam;
        if (!lParam || at > rows.size())
            return true;
        DialogRow row = { (LPCSTR)lParam, 0 };
        rows.insert(rows.begin() + (long)at, row);
        // The selected row stays selected when a row goes in before it.
        if (box->selection >= (int)at)
            box->selection++;
        *result = (LRESULT)at;
    } else if (msg == m.remove) {
        if (!valid)
            return true;
        rows.erase(rows.begin() + (long)wParam);
        if (box->selection == (int)wParam)
            box->selection = -1;
        else if (box->selection > (int)wParam)
            box->selection--;
        *result = (LRESULT)rows.size();
    } else if (msg == m.reset) {
        rows.clear();
        box->selection = -1;
        *result = 0;
    } else if (msg == m.setSelection) {
        box->selection = valid ? (int)wParam : -1;
        if (valid)
            *result = box->selection;
    } else if (msg == m.setData) {
        if (!valid)
            return true;
        rows[wParam].data = lParam;
        *result = 0;
    } else {
        // Questions: they change nothing on the screen.
        if (msg == m.getSelection) {
            if (box->selection >= 0)
                *result = box->selection;
        } else if (msg == m.getText) {
            // The caller's buffer holds the text's length plus one, as it asked before.
            if (valid && lParam) {
                memcpy((char*)lParam, rows[wParam].text.c_str(), rows[wParam].text.size() + 1);
                *result = (LRESULT)rows[wParam].text.size();
            }
        } else if (msg == m.getTextLength) {
            if (valid)
                *result = (LRESULT)rows[wParam].text.size();
        } else if (msg == m.count) {
            *result = (LRESULT)rows.size();
        } else if (msg == m.getData) {
            if (valid)
                *result = rows[wParam].data;
        } else {
            return false;
        }
        return true;
    }
    DialogViewUpdate(box);
    return true;
}

UINT ParseUnsigned(const std::string& text, BOOL* ok, BOOL isSigned)
{
    const char* p = text.c_str();
    while (*p == ' ' || *p == '\t')
        p++;
    bool negative = false;
    if (isSigned && *p == '-') {
        negative = true;
        p++;
    }
    long long value = 0;
    const char* digits = p;
    while (*p >= '0' && *p <= '9') {
        value = value * 10 + (*p - '0');
        if (value > (long long)UINT_MAX)
            break;
        p++;
    }
    while (*p == ' ' || *p == '\t')
        p++;
    bool good = p != digits && *p == 0;
    if (good && isSigned)
        good = negative ? value <= (long long)INT_MAX + 1 : value <= INT_MAX;
    if (good && !isSigned)
        good = value <= (long long)UINT_MAX;
    if (ok)
        *ok = good;
    if (!good)
        return 0;
    return negative ? (UINT)(-value) : (UINT)value;
}

} // namespace

DialogItem* Win32LookupDialogItem(HWND hWnd)
{
    std::vector<DialogItem*>::iterator found = std::find(dialogItems.begin(), dialogItems.end(), hWnd);
    return hWnd && found != dialogItems.end() ? *found : nullptr;
}

LRESULT Win32SendDialogMessage(DialogItem* item, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (item->kind == DIALOG_WINDOW && msg != WM_SETTEXT && msg != WM_GETTEXT && msg != WM_GETTEXTLENGTH)
        return item->dialogProc ? item->dialogProc(item, msg, wParam, lParam) : 0;

    LRESULT result = 0;
    switch (msg) {
    case WM_SETTEXT:
        item->title = lParam ? (LPCSTR)lParam : "";
        DialogViewUpdate(item);
        return TRUE;
    case WM_GETTEXT:
        return CopyText(item->title, (LPSTR)lParam, (int)wParam);
    case WM_GETTEXTLENGTH:
        return (LRESULT)item->title.size();
    case EM_LIMITTEXT:
        if (item->kind == CONTROL_EDIT) {
            item->textLimit = (int)wParam;
            DialogViewUpdate(item);
        }
        return 0;
    default:
        break;
    }
    if (item->kind == CONTROL_LISTBOX && BoxMessage(item, listMessages, msg, wParam, lParam, &result))
        return result;
    if (item->kind == CONTROL_COMBOBOX && BoxMessage(item, comboMessages, msg, wParam, lParam, &result))
        return result;
    return 0;
}

namespace {

HWND CreateDialogFromTemplate(const BYTE* data, size_t size, HINSTANCE instance, DLGPROC dialogProc,
                              LPARAM initParam)
{
    DialogItem* dialog = BuildDialog(data, size, instance);
    if (!dialog)
        return nullptr;
    dialog->dialogProc = dialogProc;
    DialogViewCreate(dialog);

    HWND focus = nullptr;
    for (DialogItem* control : dialog->controls) {
        if (control->style & WS_TABSTOP) {
            focus = control;
            break;
        }
    }
    if (dialogProc)
        dialogProc(dialog, WM_INITDIALOG, (WPARAM)focus, initParam);
    // The procedure may have destroyed its own dialog.
    if (!Win32LookupDialogItem(dialog))
        return nullptr;
    if (((const DLGTEMPLATE*)data)->style & WS_VISIBLE)
        Win32ShowDialogItem(dialog, SW_SHOW);
    return dialog;
}

} // namespace

HWND CreateDialogIndirectParamA(HINSTANCE hInstance, LPCDLGTEMPLATEA dialogTemplate, HWND, DLGPROC dialogProc,
                                LPARAM initParam)
{
    if (!dialogTemplate)
        return nullptr;
    // The template's size is not passed: it is read up to its last control,
    // which a well-formed template holds in full.
    return CreateDialogFromTemplate((const BYTE*)dialogTemplate, 0x10000, hInstance, dialogProc, initParam);
}

HWND CreateDialogParamA(HINSTANCE hInstance, LPCSTR templateName, HWND, DLGPROC dialogProc, LPARAM initParam)
{
    HRSRC resource = FindResourceA(hInstance, templateName, RT_DIALOG);
    if (!resource)
        return nullptr;
    const BYTE* data = (const BYTE*)LockResource(LoadResource(hInstance, resource));
    DWORD size = SizeofResource(hInstance, resource);
    if (!data || size < sizeof(DLGTEMPLATE))
        return nullptr;
    return CreateDialogFromTemplate(data, size, hInstance, dialogProc, initParam);
}

BOOL Win32ShowDialogItem(DialogItem* item, int cmdShow)
{
    BOOL wasVisible = item->visible;
    item->visible = cmdShow != SW_HIDE;
    if (item->kind == DIALOG_WINDOW)
        DialogViewShow(item, item->visible);
    else
        DialogViewUpdate(item);
    return wasVisible;
}

BOOL Win32DestroyDialogItem(DialogItem* item)
{
    if (item->destroyed)
        return FALSE;
    item->destroyed = true;
    if (item->kind == DIALOG_WINDOW) {
        if (item->dialogProc)
            item->dialogProc(item, WM_DESTROY, 0, 0);
        DialogViewDestroy(item);
        // Taken out first: a control that goes takes itself out of its dialog's list.
        std::vector<DialogItem*> controls;
        controls.swap(item->controls);
        for (DialogItem* control : controls)
            Win32DestroyDialogItem(control);
    } else if (DialogItem* dialog = Win32LookupDialogItem(item->dialog)) {
        std::vector<DialogItem*>& controls = dialog->controls;
        controls.erase(std::remove(controls.begin(), controls.end(), item), controls.end());
    }
    dialogItems.erase(std::remove(dialogItems.begin(), dialogItems.end(), item), dialogItems.end());
    delete item;
    return TRUE;
}

HWND GetDlgItem(HWND dialog, int id)
{
    DialogItem* item = Win32LookupDialogItem(dialog);
    if (!item)
        return nullptr;
    for (DialogItem* control : item->controls) {
        if (control->id == (int)(short)id)
            return control;
    }
    return nullptr;
}

int GetDlgCtrlID(HWND control)
{
    DialogItem* item = Win32LookupDialogItem(control);
    return item && item->kind != DIALOG_WINDOW ? item->id : 0;
}

UINT GetDlgItemTextA(HWND dialog, int id, LPSTR text, int maxCount)
{
    DialogItem* control = (DialogItem*)GetDlgItem(dialog, id);
    if (!control) {
        if (text && maxCount > 0)
            text[0] = 0;
        return 0;
    }
    return (UINT)CopyText(control->title, text, maxCount);
}

BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text)
{
    DialogItem* control = (DialogItem*)GetDlgItem(dialog, id);
    if (!control)
        return FALSE;
    return (BOOL)Win32SendDialogMessage(control, WM_SETTEXT, 0, (LPARAM)text);
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned)
{
    DialogItem* control = (DialogItem*)GetDlgItem(dialog, id);
    if (!control) {
        if (translated)
            *translated = FALSE;
        return 0;
    }
    return ParseUnsigned(control->title, translated, isSigned);
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned)
{
    char text[16];
    if (isSigned)
        snprintf(text, sizeof(text), "%d", (int)value);
    else
        snprintf(text, sizeof(text), "%u", value);
    return SetDlgItemTextA(dialog, id, text);
}

LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam)
{
    DialogItem* control = (DialogItem*)GetDlgItem(dialog, id);
    return control ? Win32SendDialogMessage(control, msg, wParam, lParam) : 0;
}

BOOL IsDialogMessageA(HWND dialog, LPMSG msg)
{
    DialogItem* item = Win32LookupDialogItem(dialog);
    if (!item || !msg)
        return FALSE;
    DialogItem* target = Win32LookupDialogItem(msg->hwnd);
    return target && (target == item || target->dialog == item);
}

void Win32QueueDialogCommand(DialogItem* dialog, int id, WORD code, DialogItem* control)
{
    Notification note = { dialog, control, id, code };
    notifications.push_back(note);
}

void Win32QueueDialogNotification(DialogItem* control, WORD code)
{
    Win32QueueDialogCommand(control->dialog, control->id, code, control);
}

void Win32PumpDialogs()
{
    // Dialog procedures may pump again (a file chooser or message box runs
    // its own loop); the notifications are delivered by the outer pump.
    static bool pumping = false;
    if (pumping || dialogItems.empty())
        return;
    pumping = true;
    DialogViewRun();
    while (!notifications.empty()) {
        Notification note = notifications.front();
        notifications.erase(notifications.begin());
        DialogItem* dialog = Win32LookupDialogItem(note.dialog);
        if (!dialog || !dialog->dialogProc || (note.control && !Win32LookupDialogItem(note.control)))
            continue;
        dialog->dialogProc(dialog, WM_COMMAND, MAKEWPARAM((WORD)note.id, note.code), (LPARAM)note.control);
    }
    pumping = false;
}
