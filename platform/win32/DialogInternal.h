// What the dialog layer shares between its state (Dialog.cpp), the desktop
// window that draws it (DialogView.cpp) and the window functions of the rest
// of the Win32 layer. A dialog and each of its controls is one DialogItem; its
// HWND is the item's address.
#ifndef ZARUL_DIALOGINTERNAL_H
#define ZARUL_DIALOGINTERNAL_H

#include "Win32Internal.h"

#include <string>
#include <vector>

enum DialogItemKind {
    DIALOG_WINDOW,
    CONTROL_BUTTON,
    CONTROL_GROUPBOX,
    CONTROL_EDIT,
    CONTROL_STATIC,
    CONTROL_LISTBOX,
    CONTROL_COMBOBOX,
    CONTROL_OTHER
};

struct DialogRow {
    std::string text;
    LPARAM data;
};

struct DialogView;
struct DialogControlView;

// The HWND__ part holds the text (title), style, visibility and instance.
struct DialogItem : HWND__ {
    int kind;
    int id;                 // control id; -1 for none and for the dialog
    int x, y, cx, cy;       // position and size in dialog units
    DialogItem* dialog;     // the dialog of a control; null for a dialog
    // Dialogs only
    DLGPROC dialogProc;
    std::vector<DialogItem*> controls;  // in template order (the tab order)
    int pointSize;
    std::string fontName;
    DialogView* view;       // the drawn window, when there is a display
    // List and combo boxes
    std::vector<DialogRow> rows;
    int selection;          // -1 for none
    int textLimit;          // edits: most characters the user may type; 0 for no limit
    DialogControlView* controlView;
};

// The dialog or control behind a handle, or null.
DialogItem* Win32LookupDialogItem(HWND hWnd);

// Window functions on dialogs and controls; the generic functions hand
// dialog handles over to these.
BOOL Win32ShowDialogItem(DialogItem* item, int cmdShow);
BOOL Win32DestroyDialogItem(DialogItem* item);
LRESULT Win32SendDialogMessage(DialogItem* item, UINT msg, WPARAM wParam, LPARAM lParam);

// Runs the drawn dialogs' events and then hands their notifications to the
// dialog procedures. Called whenever the message queue is polled.
void Win32PumpDialogs();

// A control tells its dialog procedure what the user did (WM_COMMAND with the
// control's id and the code). Queued while the drawn window handles its
// events, delivered by Win32PumpDialogs.
void Win32QueueDialogNotification(DialogItem* control, WORD code);
// The same for a command of no control (the close box's IDCANCEL).
void Win32QueueDialogCommand(DialogItem* dialog, int id, WORD code, DialogItem* control);

// The desktop side (DialogView.cpp). Every function does nothing, or
// reports failure, when there is no display.
bool DialogViewAvailable();
void DialogViewCreate(DialogItem* dialog);
void DialogViewShow(DialogItem* dialog, bool show);
void DialogViewDestroy(DialogItem* dialog);
void DialogViewUpdate(DialogItem* control);  // texts, rows or selection changed
void DialogViewRun();                        // handles pending window events
// The file chooser: fills path (UTF-8 converted to the program's 8-bit text)
// and returns true when a file was chosen.
bool DialogViewChooseFile(const char* title, const char* filter, int filterIndex, bool mustExist, std::string* path);
// A message box in front of the dialogs; false when none can be shown.
bool DialogViewMessageBox(const char* text, const char* caption, UINT type, int* answer);

#endif
