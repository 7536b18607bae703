// Dialogs drawn as desktop windows with FLTK. Used only when there is an X
// display and SDL is not on its offscreen driver: FLTK ends the process when
// it cannot reach a display, so the display is opened here first and handed
// to FLTK only when that worked.
#include "DialogInternal.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_File_Chooser.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Input.H>
#include <FL/fl_ask.H>
#include <FL/fl_draw.H>
#include <FL/fl_utf8.h>
#include <FL/x.H>

#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <string>
#include <vector>

struct DialogView {
    Fl_Double_Window* window;
};

struct DialogControlView {
    Fl_Widget* widget;
    bool changed;                           // the control's state differs from what is drawn
    std::vector<std::string> labels;        // combo boxes: the texts the menu points to
    std::vector<Fl_Menu_Item> menu;
};

namespace {

// The dialogs that have a window.
std::vector<DialogItem*> drawnDialogs;

// An 8-point dialog font on a 96-dpi screen: a dialog unit is a quarter of
// the average character width (6 pixels) across and an eighth of the
// character height (13 pixels) down.
const int BASE_UNIT_X = 6;
const int BASE_UNIT_Y = 13;
const int FONT_PIXELS = 10;
// The closed height of a drop-down list; its template height is that of the open list.
const int COMBO_HEIGHT_UNITS = 13;

int PixelsX(int units)
{
    return (units * BASE_UNIT_X + 2) / 4;
}

int PixelsY(int units)
{
    return (units * BASE_UNIT_Y + 4) / 8;
}

// The program's texts are 8-bit (Latin-1); FLTK draws UTF-8.
std::string ToUtf8(const std::string& text)
{
    return Win32Latin1ToUtf8(text.c_str(), (int)text.size());
}

std::string FromUtf8(const char* text)
{
    std::string out;
    const char* end = text + strlen(text);
    while (text < end) {
        int length = 0;
        unsigned code = fl_utf8decode(text, end, &length);
        out += code < 0x100 ? (char)code : '?';
        text += length > 0 ? length : 1;
    }
    return out;
}

// Groups draw a frame with their text set into its top line.
class GroupFrame : public Fl_Box
{
public:
    GroupFrame(int x, int y, int w, int h) : Fl_Box(x, y, w, h) {}

    void draw() override
    {
        int half = FONT_PIXELS / 2;
        draw_box(FL_ENGRAVED_FRAME, x(), y() + half, w(), h() - half, FL_BACKGROUND_COLOR);
        if (!label() || !*label())
            return;
        fl_font(labelfont(), labelsize());
        int textWidth = (int)fl_width(label()) + 4;
        fl_color(FL_BACKGROUND_COLOR);
        fl_rectf(x() + 6, y(), textWidth, FONT_PIXELS + 2);
        fl_color(labelcolor());
        fl_draw(label(), x() + 8, y() + FONT_PIXELS - 1);
    }
};

// The dialog window: its close box asks the dialog procedure to cancel, as
// the system menu's close command does; the procedure decides.
class DialogWindow : public Fl_Double_Window
{
public:
    DialogWindow(int w, int h, DialogItem* dialog) : Fl_Double_Window(w, h), dialog(dialog) {}
    DialogItem* dialog;
};

void Notify(DialogItem* control, WORD code)
{
    if (Win32LookupDialogItem(control))
        Win32QueueDialogNotification(control, code);
}

void ButtonPressed(Fl_Widget*, void* data)
{
    Notify((DialogItem*)data, BN_CLICKED);
}

void EditChanged(Fl_Widget* widget, void* data)
{
    DialogItem* control = (DialogItem*)data;
    if (!Win32LookupDialogItem(control))
        return;
    control->title = FromUtf8(((Fl_Input*)widget)->value());
    Notify(control, EN_CHANGE);
}

void ListClicked(Fl_Widget* widget, void* data)
{
    DialogItem* control = (DialogItem*)data;
    if (!Win32LookupDialogItem(control))
        return;
    Fl_Hold_Browser* browser = (Fl_Hold_Browser*)widget;
    int row = browser->value() - 1;
    bool notify = (control->style & LBS_NOTIFY) != 0;
    if (Fl::event() == FL_RELEASE && Fl::event_clicks()) {
        control->selection = row;
        if (notify && row >= 0)
            Notify(control, LBN_DBLCLK);
    } else if (row != control->selection) {
        control->selection = row;
        if (notify)
            Notify(control, LBN_SELCHANGE);
    }
}

void ComboChosen(Fl_Widget* widget, void* data)
{
    DialogItem* control = (DialogItem*)data;
    if (!Win32LookupDialogItem(control))
        return;
    int row = ((Fl_Choice*)widget)->value();
    if (row == control->selection)
        return;
    control->selection = row;
    Notify(control, CBN_SELCHANGE);
}

void WindowClosed(Fl_Widget* widget, void*)
{
    DialogItem* dialog = ((DialogWindow*)widget)->dialog;
    if (Win32LookupDialogItem(dialog))
        Win32QueueDialogCommand(dialog, IDCANCEL, BN_CLICKED, nullptr);
}

// An edit, list or drop-down list: text in the dialog font, and the control
// told when the user changes it.
template <class Widget>
Widget* NewTextWidget(int x, int y, int w, int h, int when, Fl_Callback* changed, DialogItem* control)
{
    Widget* widget = new Widget(x, y, w, h);
    widget->textsize(FONT_PIXELS);
    widget->when((uchar)when);
    widget->callback(changed, control);
    return widget;
}

Fl_Widget* MakeWidget(DialogItem* control)
{
    int x = PixelsX(control->x);
    int y = PixelsY(control->y);
    int w = PixelsX(control->cx);
    int h = PixelsY(control->kind == CONTROL_COMBOBOX ? COMBO_HEIGHT_UNITS : control->cy);
    Fl_Widget* widget = nullptr;
    switch (control->kind) {
    case CONTROL_BUTTON:
        widget = new Fl_Button(x, y, w, h);
        widget->callback(ButtonPressed, control);
        break;
    case CONTROL_GROUPBOX:
        widget = new GroupFrame(x, y, w, h);
        break;
    case CONTROL_EDIT:
        widget = NewTextWidget<Fl_Input>(x, y, w, h, FL_WHEN_CHANGED, EditChanged, control);
        break;
    case CONTROL_LISTBOX: {
        Fl_Hold_Browser* browser =
            NewTextWidget<Fl_Hold_Browser>(x, y, w, h, FL_WHEN_CHANGED | FL_WHEN_ENTER_KEY, ListClicked, control);
        browser->format_char(0);  // rows are shown as they are, never as format codes
        browser->column_char(0);
        widget = browser;
        break;
    }
    case CONTROL_COMBOBOX:
        widget = NewTextWidget<Fl_Choice>(x, y, w, h, FL_WHEN_CHANGED, ComboChosen, control);
        break;
    default: {
        Fl_Box* label = new Fl_Box(x, y, w, h);
        // Labels are never cut: the dialog font here is a little wider than the one the layout was made for.
        label->align(FL_ALIGN_TOP_LEFT | FL_ALIGN_INSIDE);
        widget = label;
        break;
    }
    }
    widget->labelsize(FONT_PIXELS);
    if (!(control->style & WS_TABSTOP))
        widget->clear_visible_focus();
    return widget;
}

void FillList(DialogItem* control, Fl_Hold_Browser* browser)
{
    browser->clear();
    for (const DialogRow& row : control->rows)
        browser->add(ToUtf8(row.text).c_str());
    browser->value(control->selection + 1);
}

void FillCombo(DialogItem* control, DialogControlView* view, Fl_Choice* choice)
{
    // The menu's own texts are parsed for submenus and shortcuts; items made
    // here show the rows' texts as they are.
    view->labels.clear();
    for (const DialogRow& row : control->rows)
        view->labels.push_back(ToUtf8(row.text));
    view->menu.assign(view->labels.size() + 1, Fl_Menu_Item());
    for (size_t i = 0; i < view->labels.size(); i++) {
        memset(&view->menu[i], 0, sizeof(Fl_Menu_Item));
        view->menu[i].text = view->labels[i].c_str();
        view->menu[i].labelsize_ = FONT_PIXELS;
    }
    memset(&view->menu.back(), 0, sizeof(Fl_Menu_Item));
    choice->menu(view->menu.data());
    if (control->selection >= 0)
        choice->value(control->selection);
    else
        choice->value((const Fl_Menu_Item*)nullptr);
}

// FLTK matches file patterns with case; Windows does not, and "*.*" there
// means every file.
std::string PatternOf(const std::string& pattern)
{
    if (pattern == "*.*")
        return "*";
    std::string out;
    for (char c : pattern) {
        if (isalpha((unsigned char)c)) {
            out += '[';
            out += (char)toupper((unsigned char)c);
            out += (char)tolower((unsigned char)c);
            out += ']';
        } else {
            out += c;
        }
    }
    return out;
}

// Brings a control's widget up to the control's state.
void SyncControl(DialogItem* item)
{
    item->controlView->changed = false;
    Fl_Widget* widget = item->controlView->widget;
    switch (item->kind) {
    case CONTROL_EDIT: {
        Fl_Input* input = (Fl_Input*)widget;
        std::string text = ToUtf8(item->title);
        if (text != input->value())
            input->value(text.c_str());
        input->maximum_size(item->textLimit > 0 ? item->textLimit : 30000);
        break;
    }
    case CONTROL_LISTBOX:
        FillList(item, (Fl_Hold_Browser*)widget);
        break;
    case CONTROL_COMBOBOX:
        FillCombo(item, item->controlView, (Fl_Choice*)widget);
        break;
    default:
        widget->copy_label(ToUtf8(item->title).c_str());
        break;
    }
    if (item->visible)
        widget->show();
    else
        widget->hide();
    widget->redraw();
}

void SyncChangedControls()
{
    for (DialogItem* dialog : drawnDialogs) {
        for (DialogItem* control : dialog->controls) {
            if (control->controlView && control->controlView->changed)
                SyncControl(control);
        }
    }
}

// A signal (SIGTERM, SIGINT) reaches the program as SDL's quit event, which
// the frame loop's message pump turns into closing the window. While a
// message box or the file chooser waits for the user that pump does not run:
// a timer looks for the quit event meanwhile and closes them as their close
// box would (Cancel, No), so the program still ends. The event stays queued
// for the pump.
const double QUIT_CHECK_SECONDS = 0.1;

void CloseModalOnQuit(void*)
{
    if (SDL_WasInit(SDL_INIT_VIDEO)) {
        SDL_PumpEvents();
        Fl_Window* modal = Fl::modal();
        if (modal && SDL_HasEvent(SDL_QUIT)) {
            modal->do_callback();
            modal->hide();
        }
    }
    Fl::repeat_timeout(QUIT_CHECK_SECONDS, CloseModalOnQuit);
}

struct QuitWatch {
    QuitWatch() { Fl::add_timeout(QUIT_CHECK_SECONDS, CloseModalOnQuit); }
    ~QuitWatch() { Fl::remove_timeout(CloseModalOnQuit); }
};

} // namespace

bool DialogViewAvailable()
{
    static int state = -1;
    if (state >= 0)
        return state == 1;
    state = 0;
    const char* display = getenv("DISPLAY");
    if (!display || !*display || Win32IsHeadless())
        return false;
    Display* connection = XOpenDisplay(nullptr);
    if (!connection)
        return false;
    fl_open_display(connection);
    Fl::scheme("gtk+");
    Fl::visible_focus(1);
    state = 1;
    return true;
}

void DialogViewCreate(DialogItem* dialog)
{
    if (!DialogViewAvailable())
        return;
    int w = PixelsX(dialog->cx);
    int h = PixelsY(dialog->cy);
    DialogWindow* window = new DialogWindow(w, h, dialog);
    window->copy_label(ToUtf8(dialog->title).c_str());
    window->callback(WindowClosed);
    window->begin();
    for (DialogItem* control : dialog->controls) {
        control->controlView = new DialogControlView();
        control->controlView->widget = MakeWidget(control);
    }
    window->end();
    // With no place of its own the dialog stands at the right edge of the
    // screen, beside a main window at the left.
    if (dialog->x == 0 && dialog->y == 0)
        window->position(Fl::w() - w - 8, 24);
    else
        window->position(PixelsX(dialog->x), PixelsY(dialog->y));
    dialog->view = new DialogView();
    dialog->view->window = window;
    drawnDialogs.push_back(dialog);
    for (DialogItem* control : dialog->controls)
        SyncControl(control);
}

void DialogViewShow(DialogItem* dialog, bool show)
{
    if (!dialog->view)
        return;
    if (show)
        dialog->view->window->show();
    else
        dialog->view->window->hide();
    DialogViewRun();
}

void DialogViewDestroy(DialogItem* dialog)
{
    for (DialogItem* control : dialog->controls) {
        delete control->controlView;
        control->controlView = nullptr;
    }
    if (!dialog->view)
        return;
    drawnDialogs.erase(std::remove(drawnDialogs.begin(), drawnDialogs.end(), dialog), drawnDialogs.end());
    dialog->view->window->hide();
    // Deleted once FLTK has left any handler that may still use it.
    Fl::delete_widget(dialog->view->window);
    delete dialog->view;
    dialog->view = nullptr;
}

// Rows and texts often change many times in a row (a list refilled row by
// row): the widget is brought up to date once, before events are handled.
void DialogViewUpdate(DialogItem* item)
{
    if (item->kind == DIALOG_WINDOW) {
        if (item->view)
            item->view->window->copy_label(ToUtf8(item->title).c_str());
        return;
    }
    if (item->controlView)
        item->controlView->changed = true;
}

void DialogViewRun()
{
    if (!DialogViewAvailable())
        return;
    SyncChangedControls();
    Fl::check();
}

bool DialogViewChooseFile(const char* title, const char* filter, int filterIndex, bool mustExist, std::string* path)
{
    if (!DialogViewAvailable())
        return false;
    // Windows filters come as pairs of zero-ended texts: name, pattern.
    std::string patterns;
    for (const char* p = filter; p && *p;) {
        std::string name = p;
        p += name.size() + 1;
        std::string pattern = p;
        p += pattern.size() + (*p ? 1 : 0);
        if (!patterns.empty())
            patterns += '\t';
        patterns += ToUtf8(name) + " (" + PatternOf(pattern) + ")";
    }
    // The dialog stays drawn as it is behind the chooser, which runs events itself.
    SyncChangedControls();
    char directory[1024] = ".";
    GetCurrentDirectoryA(sizeof(directory), directory);
    // The chooser keeps pointers to its texts: they live as long as it does.
    std::string start = ToUtf8(directory);
    std::string caption = ToUtf8(title ? title : "");
    Fl_File_Chooser chooser(start.c_str(), patterns.c_str(), Fl_File_Chooser::SINGLE, caption.c_str());
    if (filterIndex > 0)
        chooser.filter_value(filterIndex - 1);
    QuitWatch watch;
    for (;;) {
        chooser.show();
        while (chooser.shown())
            Fl::wait();
        if (!chooser.value())
            return false;
        struct stat info;
        if (mustExist && (stat(chooser.value(), &info) != 0 || S_ISDIR(info.st_mode))) {
            fl_alert("%s\nFile not found.", chooser.value());
            continue;
        }
        *path = FromUtf8(chooser.value());
        return true;
    }
}

bool DialogViewMessageBox(const char* text, const char* caption, UINT type, int* answer)
{
    // Only on a display; headless the message stays on the error output.
    if (!DialogViewAvailable())
        return false;
    SyncChangedControls();
    QuitWatch watch;
    fl_message_title(ToUtf8(caption ? caption : "").c_str());
    std::string message = ToUtf8(text ? text : "");
    switch (type & 0xF) {
    case MB_YESNO:
        *answer = fl_choice("%s", "No", "Yes", nullptr, message.c_str()) == 1 ? IDYES : IDNO;
        break;
    case MB_OKCANCEL:
        *answer = fl_choice("%s", "Cancel", "OK", nullptr, message.c_str()) == 1 ? IDOK : IDCANCEL;
        break;
    default:
        if ((type & 0xF0) == MB_ICONERROR || (type & 0xF0) == MB_ICONWARNING)
            fl_alert("%s", message.c_str());
        else
            fl_message("%s", message.c_str());
        *answer = IDOK;
        break;
    }
    return true;
}
