// The message queue: SDL events become Win32 messages for the windows' WNDPROCs.
#include "DialogInternal.h"

#include <deque>

namespace {

std::deque<MSG> messageQueue;
bool quitPosted = false;
int quitCode = 0;
WPARAM mouseButtons = 0;

HWND__* WindowFromId(Uint32 id)
{
    SDL_Window* sdlWindow = SDL_GetWindowFromID(id);
    if (!sdlWindow)
        return nullptr;
    // The handle is looked up by its SDL window; the list lives in Window.cpp.
    HWND__* window = (HWND__*)SDL_GetWindowData(sdlWindow, "hwnd");
    return Win32LookupWindow(window);
}

void Post(HWND__* window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!window)
        return;
    PostMessageA(window, message, wParam, lParam);
}

WPARAM ModifierKeys()
{
    SDL_Keymod mods = SDL_GetModState();
    WPARAM keys = mouseButtons;
    if (mods & KMOD_SHIFT)
        keys |= MK_SHIFT;
    if (mods & KMOD_CTRL)
        keys |= MK_CONTROL;
    return keys;
}

void PostActivation(HWND__* window, bool active)
{
    if (!window || window->active == active)
        return;
    window->active = active;
    Post(window, WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, 0);
}

void TranslateWindowEvent(const SDL_WindowEvent& event)
{
    HWND__* window = WindowFromId(event.windowID);
    if (!window)
        return;
    switch (event.event) {
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED:
        window->needsPaint = true;
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        PostActivation(window, true);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        PostActivation(window, false);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        if (event.data1 != window->width || event.data2 != window->height) {
            window->width = event.data1;
            window->height = event.data2;
            Post(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(window->width, window->height));
        }
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
        Post(window, WM_SIZE, SIZE_MINIMIZED, 0);
        break;
    case SDL_WINDOWEVENT_MAXIMIZED:
        Post(window, WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(window->width, window->height));
        break;
    case SDL_WINDOWEVENT_RESTORED:
        Post(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(window->width, window->height));
        break;
    case SDL_WINDOWEVENT_MOVED:
        window->x = event.data1;
        window->y = event.data2;
        Post(window, WM_MOVE, 0, MAKELPARAM(event.data1, event.data2));
        break;
    case SDL_WINDOWEVENT_CLOSE:
        Post(window, WM_CLOSE, 0, 0);
        break;
    default:
        break;
    }
}

// lParam of a key message: repeat count 1, the DirectInput code in bits
// 16-23, bit 24 for the extended keys (codes 0x80 and above), bit 30 the
// previous key state and bit 31 the transition (set on release).
LPARAM KeyParameter(BYTE dik, bool down, bool repeat)
{
    DWORD value = 1 | ((DWORD)dik << 16);
    if (dik & 0x80)
        value |= 1u << 24;
    if (!down)
        value |= (1u << 30) | (1u << 31);
    else if (repeat)
        value |= 1u << 30;
    return (LPARAM)value;
}

void TranslateKeyEvent(const SDL_KeyboardEvent& event)
{
    HWND__* window = WindowFromId(event.windowID);
    if (!window)
        window = (HWND__*)GetActiveWindow();
    BYTE virtualKey = Win32VirtualKeyFromScancode(event.keysym.scancode);
    BYTE dik = Win32DikFromScancode(event.keysym.scancode);
    if (!virtualKey && !dik)
        return;
    bool down = event.type == SDL_KEYDOWN;
    Post(window, down ? WM_KEYDOWN : WM_KEYUP, virtualKey, KeyParameter(dik, down, event.repeat != 0));
}

// Typed text arrives as UTF-8; each character of Latin-1 becomes a WM_CHAR.
void TranslateTextEvent(const SDL_TextInputEvent& event)
{
    HWND__* window = WindowFromId(event.windowID);
    if (!window)
        window = (HWND__*)GetActiveWindow();
    const unsigned char* text = (const unsigned char*)event.text;
    while (*text) {
        unsigned int code = 0;
        int extra = 0;
        if (*text < 0x80) {
            code = *text;
        } else if ((*text & 0xE0) == 0xC0) {
            code = *text & 0x1F;
            extra = 1;
        } else if ((*text & 0xF0) == 0xE0) {
            code = *text & 0x0F;
            extra = 2;
        } else {
            code = *text & 0x07;
            extra = 3;
        }
        text++;
        for (; extra > 0 && (*text & 0xC0) == 0x80; extra--, text++)
            code = (code << 6) | (*text & 0x3F);
        if (extra == 0 && code <= 0xFF)
            Post(window, WM_CHAR, code, 1);
    }
}

WPARAM ButtonMask(Uint8 button)
{
    switch (button) {
    case SDL_BUTTON_LEFT:
        return MK_LBUTTON;
    case SDL_BUTTON_RIGHT:
        return MK_RBUTTON;
    case SDL_BUTTON_MIDDLE:
        return MK_MBUTTON;
    default:
        return 0;
    }
}

void TranslateButtonEvent(const SDL_MouseButtonEvent& event)
{
    HWND__* window = WindowFromId(event.windowID);
    WPARAM mask = ButtonMask(event.button);
    if (!window || !mask)
        return;
    bool down = event.type == SDL_MOUSEBUTTONDOWN;
    if (down)
        mouseButtons |= mask;
    else
        mouseButtons &= ~mask;
    UINT message = 0;
    if (mask == MK_LBUTTON)
        message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    else if (mask == MK_RBUTTON)
        message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    else
        message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    Post(window, message, ModifierKeys(), MAKELPARAM(event.x, event.y));
}

void TranslateEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_WINDOWEVENT:
        TranslateWindowEvent(event.window);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        TranslateKeyEvent(event.key);
        break;
    case SDL_TEXTINPUT:
        TranslateTextEvent(event.text);
        break;
    case SDL_MOUSEMOTION: {
        HWND__* window = WindowFromId(event.motion.windowID);
        Post(window, WM_MOUSEMOVE, ModifierKeys(), MAKELPARAM(event.motion.x, event.motion.y));
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        TranslateButtonEvent(event.button);
        break;
    case SDL_MOUSEWHEEL: {
        HWND__* window = WindowFromId(event.wheel.windowID);
        Post(window, WM_MOUSEWHEEL, MAKEWPARAM(ModifierKeys(), (WORD)(short)(event.wheel.y * 120)), 0);
        break;
    }
    case SDL_QUIT: {
        // The process was asked to end (the last window closed, or a signal):
        // ask the active window to close as a click on its close box would.
        // With the keyboard in a dialog no window of ours is active; the main
        // window is closed then, or nothing would end.
        HWND__* window = (HWND__*)GetActiveWindow();
        if (!window)
            window = Win32MainWindow();
        Post(window, WM_CLOSE, 0, 0);
        break;
    }
    default:
        break;
    }
}

void PumpEvents()
{
    // Dialog windows are handled on every poll, so they stay responsive
    // while the frame loop runs.
    Win32PumpDialogs();
    if (!SDL_WasInit(SDL_INIT_VIDEO))
        return;
    SDL_Event event;
    while (SDL_PollEvent(&event))
        TranslateEvent(event);
}

bool Matches(const MSG& msg, HWND hWnd, UINT filterMin, UINT filterMax)
{
    if (hWnd && msg.hwnd != hWnd)
        return false;
    if ((filterMin || filterMax) && (msg.message < filterMin || msg.message > filterMax))
        return false;
    return true;
}

HWND__* WindowNeedingPaint(HWND hWnd)
{
    if (hWnd) {
        HWND__* window = Win32LookupWindow(hWnd);
        return (window && window->visible && window->needsPaint) ? window : nullptr;
    }
    HWND active = GetActiveWindow();
    HWND__* window = Win32LookupWindow(active);
    return (window && window->visible && window->needsPaint) ? window : nullptr;
}

void FillMessage(LPMSG msg, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    msg->hwnd = hWnd;
    msg->message = message;
    msg->wParam = wParam;
    msg->lParam = lParam;
    msg->time = SDL_WasInit(SDL_INIT_TIMER | SDL_INIT_VIDEO) ? SDL_GetTicks() : 0;
    msg->pt.x = 0;
    msg->pt.y = 0;
}

} // namespace

void Win32DropWindowMessages(HWND hWnd)
{
    std::deque<MSG>::iterator it = messageQueue.begin();
    while (it != messageQueue.end()) {
        if (it->hwnd == hWnd)
            it = messageQueue.erase(it);
        else
            ++it;
    }
}

BOOL PostMessageA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (hWnd && !Win32LookupWindow(hWnd) && !Win32LookupDialogItem(hWnd))
        return FALSE;
    MSG entry;
    FillMessage(&entry, hWnd, msg, wParam, lParam);
    messageQueue.push_back(entry);
    return TRUE;
}

LRESULT SendMessageA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (DialogItem* item = Win32LookupDialogItem(hWnd))
        return Win32SendDialogMessage(item, msg, wParam, lParam);
    HWND__* window = Win32LookupWindow(hWnd);
    if (!window || !window->proc)
        return 0;
    return window->proc(window, msg, wParam, lParam);
}

void PostQuitMessage(int exitCode)
{
    quitPosted = true;
    quitCode = exitCode;
}

BOOL PeekMessageA(LPMSG msg, HWND hWnd, UINT filterMin, UINT filterMax, UINT removeMsg)
{
    if (!msg)
        return FALSE;
    PumpEvents();
    for (std::deque<MSG>::iterator it = messageQueue.begin(); it != messageQueue.end(); ++it) {
        if (!Matches(*it, hWnd, filterMin, filterMax))
            continue;
        *msg = *it;
        if (removeMsg & PM_REMOVE)
            messageQueue.erase(it);
        return TRUE;
    }
    bool paintWanted = !(filterMin || filterMax) || (WM_PAINT >= filterMin && WM_PAINT <= filterMax);
    HWND__* painted = paintWanted ? WindowNeedingPaint(hWnd) : nullptr;
    if (painted) {
        FillMessage(msg, painted, WM_PAINT, 0, 0);
        if (removeMsg & PM_REMOVE)
            painted->needsPaint = false;
        return TRUE;
    }
    // WM_QUIT comes once the queue holds nothing else, as on Windows.
    if (quitPosted) {
        FillMessage(msg, nullptr, WM_QUIT, (WPARAM)quitCode, 0);
        if (removeMsg & PM_REMOVE)
            quitPosted = false;
        return TRUE;
    }
    return FALSE;
}

BOOL GetMessageA(LPMSG msg, HWND hWnd, UINT filterMin, UINT filterMax)
{
    if (!msg)
        return -1;
    while (!PeekMessageA(msg, hWnd, filterMin, filterMax, PM_REMOVE)) {
        if (SDL_WasInit(SDL_INIT_VIDEO))
            SDL_WaitEventTimeout(nullptr, 10);
        else
            SDL_Delay(10);
    }
    return msg->message != WM_QUIT;
}

BOOL WaitMessage(void)
{
    if (!messageQueue.empty() || quitPosted)
        return TRUE;
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_WaitEventTimeout(nullptr, 10);
    return TRUE;
}

// The control keys produce characters too (backspace, tab, enter, escape);
// SDL reports only printable text, so they are made here as Win32 does.
BOOL TranslateMessage(const MSG* msg)
{
    if (!msg || msg->message != WM_KEYDOWN)
        return FALSE;
    WPARAM character = 0;
    switch (msg->wParam) {
    case VK_BACK:
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
        character = msg->wParam;
        break;
    default:
        return FALSE;
    }
    MSG entry;
    FillMessage(&entry, msg->hwnd, WM_CHAR, character, msg->lParam);
    messageQueue.push_front(entry);
    return TRUE;
}

LRESULT DispatchMessageA(const MSG* msg)
{
    if (!msg || !msg->hwnd)
        return 0;
    return SendMessageA(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

int TranslateAcceleratorA(HWND, HACCEL, LPMSG)
{
    return 0;
}

HACCEL LoadAcceleratorsA(HINSTANCE, LPCSTR)
{
    return nullptr;
}
