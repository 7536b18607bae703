// Windows: each HWND is an SDL window with an OpenGL surface and a WNDPROC.
#include "DialogInternal.h"

#include <map>
#include <vector>

namespace {

std::map<std::string, WNDCLASSA> windowClasses;

// The live windows. A handle is looked up here before it is used, so the
// handle of a destroyed window is recognised as dead, never dereferenced.
std::vector<HWND__*> allWindows;

int cursorCount = 0;

int DefaultSize(int value, int fallback)
{
    return (value == CW_USEDEFAULT || value <= 0) ? fallback : value;
}

} // namespace

bool Win32StartVideo()
{
    if (SDL_WasInit(SDL_INIT_VIDEO))
        return true;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return false;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, Win32IsHeadless() ? 0 : 1);
    return true;
}

bool Win32IsHeadless()
{
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver)
        driver = SDL_getenv("SDL_VIDEODRIVER");
    return driver && SDL_strcasecmp(driver, "offscreen") == 0;
}

HWND__* Win32LookupWindow(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    for (HWND__* window : allWindows) {
        if (window == hWnd)
            return window;
    }
    return nullptr;
}

HWND__* Win32MainWindow()
{
    for (HWND__* window : allWindows) {
        if (!window->destroyed)
            return window;
    }
    return nullptr;
}

ATOM RegisterClassA(const WNDCLASSA* wc)
{
    if (!wc || !wc->lpszClassName || IS_INTRESOURCE(wc->lpszClassName))
        return 0;
    windowClasses[wc->lpszClassName] = *wc;
    return (ATOM)windowClasses.size();
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE)
{
    if (!className || IS_INTRESOURCE(className))
        return FALSE;
    return windowClasses.erase(className) > 0;
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND, HMENU, HINSTANCE hInstance, LPVOID param)
{
    if (!className || IS_INTRESOURCE(className))
        return nullptr;
    std::map<std::string, WNDCLASSA>::iterator found = windowClasses.find(className);
    if (found == windowClasses.end())
        return nullptr;
    if (!Win32StartVideo())
        return nullptr;

    width = DefaultSize(width, 640);
    height = DefaultSize(height, 480);
    int posX = (x == CW_USEDEFAULT) ? (int)SDL_WINDOWPOS_UNDEFINED : x;
    int posY = (y == CW_USEDEFAULT) ? (int)SDL_WINDOWPOS_UNDEFINED : y;
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if (style & WS_THICKFRAME)
        flags |= SDL_WINDOW_RESIZABLE;
    if (!(style & WS_CAPTION) && (style & WS_POPUP))
        flags |= SDL_WINDOW_BORDERLESS;
    const char* title = windowName ? windowName : "";
    SDL_Window* sdlWindow = SDL_CreateWindow(title, posX, posY, width, height, flags);
    if (!sdlWindow)
        return nullptr;

    HWND__* window = new HWND__();
    window->sdlWindow = sdlWindow;
    window->sdlId = SDL_GetWindowID(sdlWindow);
    window->proc = found->second.lpfnWndProc;
    window->className = className;
    window->title = title;
    window->style = style & ~WS_VISIBLE;
    window->exStyle = exStyle;
    window->instance = hInstance;
    window->userData = 0;
    SDL_GetWindowPosition(sdlWindow, &window->x, &window->y);
    window->width = width;
    window->height = height;
    window->visible = false;
    window->active = false;
    window->needsPaint = false;
    window->destroyed = false;
    allWindows.push_back(window);
    SDL_SetWindowData(sdlWindow, "hwnd", window);

    CREATESTRUCTA create;
    memset(&create, 0, sizeof(create));
    create.lpCreateParams = param;
    create.hInstance = hInstance;
    create.cx = width;
    create.cy = height;
    create.x = x;
    create.y = y;
    create.style = (LONG)style;
    create.lpszName = windowName;
    create.lpszClass = className;
    create.dwExStyle = exStyle;
    if (window->proc && window->proc(window, WM_CREATE, 0, (LPARAM)&create) == -1) {
        DestroyWindow(window);
        return nullptr;
    }
    if (style & WS_VISIBLE)
        ShowWindow(window, SW_SHOW);
    return window;
}

HWND CreateWindowA(LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width, int height,
                   HWND parent, HMENU menu, HINSTANCE hInstance, LPVOID param)
{
    return CreateWindowExA(0, className, windowName, style, x, y, width, height, parent, menu, hInstance, param);
}

BOOL DestroyWindow(HWND hWnd)
{
    if (DialogItem* item = Win32LookupDialogItem(hWnd))
        return Win32DestroyDialogItem(item);
    HWND__* window = Win32LookupWindow(hWnd);
    if (!window)
        return FALSE;
    if (window->destroyed)
        return FALSE; // already on its way out (DestroyWindow from WM_DESTROY)
    window->destroyed = true;
    if (window->proc)
        window->proc(window, WM_DESTROY, 0, 0);
    for (size_t i = 0; i < allWindows.size(); i++) {
        if (allWindows[i] == window) {
            allWindows.erase(allWindows.begin() + (long)i);
            break;
        }
    }
    // A window made later may get the same address: it must not receive these.
    Win32DropWindowMessages(window);
    SDL_DestroyWindow(window->sdlWindow);
    delete window;
    return TRUE;
}

BOOL IsWindow(HWND hWnd)
{
    if (Win32LookupDialogItem(hWnd))
        return TRUE;
    return Win32LookupWindow(hWnd) != nullptr;
}

BOOL ShowWindow(HWND hWnd, int cmdShow)
{
    if (DialogItem* item = Win32LookupDialogItem(hWnd))
        return Win32ShowDialogItem(item, cmdShow);
    HWND__* window = Win32LookupWindow(hWnd);
    if (!window)
        return FALSE;
    BOOL wasVisible = window->visible;
    switch (cmdShow) {
    case SW_HIDE:
        SDL_HideWindow(window->sdlWindow);
        window->visible = false;
        return wasVisible;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
        SDL_MinimizeWindow(window->sdlWindow);
        break;
    case SW_MAXIMIZE:
        SDL_ShowWindow(window->sdlWindow);
        SDL_MaximizeWindow(window->sdlWindow);
        break;
    case SW_RESTORE:
        SDL_ShowWindow(window->sdlWindow);
        SDL_RestoreWindow(window->sdlWindow);
        break;
    default:
        SDL_ShowWindow(window->sdlWindow);
        break;
    }
    window->visible = true;
    window->needsPaint = true;
    // A top-level window shown for the first time becomes the active one.
    bool activates = cmdShow != SW_SHOWNA && cmdShow != SW_SHOWNOACTIVATE && cmdShow != SW_MINIMIZE &&
                     cmdShow != SW_SHOWMINIMIZED;
    if (!wasVisible && activates && !window->active) {
        window->active = true;
        SendMessageA(window, WM_ACTIVATE, WA_ACTIVE, 0);
        // The activation handler may have destroyed the window: its record is gone then.
        if (Win32LookupWindow(hWnd))
            SendMessageA(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(window->width, window->height));
    }
    return wasVisible;
}

BOOL UpdateWindow(HWND hWnd)
{
    HWND__* window = Win32LookupWindow(hWnd);
    if (!window)
        return FALSE;
    if (window->needsPaint && window->visible) {
        window->needsPaint = false;
        SendMessageA(window, WM_PAINT, 0, 0);
    }
    return TRUE;
}

BOOL SetWindowTextA(HWND hWnd, LPCSTR text)
{
    if (DialogItem* item = Win32LookupDialogItem(hWnd))
        return (BOOL)Win32SendDialogMessage(item, WM_SETTEXT, 0, (LPARAM)text);
    HWND__* window = Win32LookupWindow(hWnd);
    if (!window)
        return FALSE;
    window->title = text ? text : "";
    SDL_SetWindowTitle(window->sdlWindow, window->title.c_str());
    return TRUE;
}

int GetWindowTextA(HWND hWnd, LPSTR text, int maxCount)
{
    if (DialogItem* item = Win32LookupDialogItem(hWnd))
        return (int)Win32SendDialogMessage(item, WM_GETTEXT, (WPARAM)maxCount, (LPARAM)text);
    HWND__* window = Win32LookupWindow(hWnd);
    if (!window || !text || maxCount <= 0)
        return 0;
    int length = (int)window->title.size();
    if (length > maxCount - 1)
        length = maxCount - 1;
    memcpy(text, window->title.c_str(), length);
    text[length] = 0;
    return length;
}

BOOL GetClientRect(HWND hWnd, LPRECT rect)
{
    HWND__* window = Win32LookupWindow(hWnd);
    if (!window || !rect)
        return FALSE;
    rect->left = 0;
    rect->top = 0;
    rect->right = window->width;
    rect->bottom = window->height;
    return TRUE;
}

BOOL GetWindowRect(HWND hWnd, LPRECT rect)
{
    HWND__* window = Win32LookupWindow(hWnd);
    if (!window || !rect)
        return FALSE;
    SDL_GetWindowPosition(window->sdlWindow, &window->x, &window->y);
    rect->left = window->x;
    rect->top = window->y;
    rect->right = window->x + window->width;
    rect->bottom = window->y + window->height;
    return TRUE;
}

BOOL SetWindowPos(HWND hWnd, HWND, int x, int y, int cx, int cy, UINT flags)
{
    HWND__* window = Win32LookupWindow(hWnd);
    if (!window)
        return FALSE;
    if (!(flags & SWP_NOMOVE)) {
        SDL_SetWindowPosition(window->sdlWindow, x, y);
        window->x = x;
        window->y = y;
    }
    if (!(flags & SWP_NOSIZE) && cx > 0 && cy > 0 && (cx != window->width || cy != window->height)) {
        SDL_SetWindowSize(window->sdlWindow, cx, cy);
        window->width = cx;
        window->height = cy;
        SendMessageA(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(cx, cy));
    }
    if (flags & SWP_SHOWWINDOW)
        ShowWindow(window, SW_SHOW);
    return TRUE;
}

BOOL MoveWindow(HWND hWnd, int x, int y, int width, int height, BOOL)
{
    return SetWindowPos(hWnd, nullptr, x, y, width, height, SWP_NOZORDER);
}

// Windows here have no frame: the window rectangle is the client rectangle.
BOOL AdjustWindowRect(LPRECT rect, DWORD, BOOL)
{
    return rect != nullptr;
}

BOOL AdjustWindowRectEx(LPRECT rect, DWORD, BOOL, DWORD)
{
    return rect != nullptr;
}

LONG_PTR GetWindowLongPtrA(HWND hWnd, int index)
{
    HWND__* window = Win32LookupWindow(hWnd);
    if (!window)
        return 0;
    switch (index) {
    case GWL_STYLE:
        return (LONG_PTR)(window->style | (window->visible ? WS_VISIBLE : 0));
    case GWL_EXSTYLE:
        return (LONG_PTR)window->exStyle;
    case GWLP_USERDATA:
        return window->userData;
    default:
        return 0;
    }
}

LONG_PTR SetWindowLongPtrA(HWND hWnd, int index, LONG_PTR value)
{
    HWND__* window = Win32LookupWindow(hWnd);
    if (!window)
        return 0;
    LONG_PTR previous = GetWindowLongPtrA(hWnd, index);
    switch (index) {
    case GWL_STYLE:
        window->style = (DWORD)value & ~WS_VISIBLE;
        break;
    case GWL_EXSTYLE:
        window->exStyle = (DWORD)value;
        break;
    case GWLP_USERDATA:
        window->userData = value;
        break;
    default:
        break;
    }
    return previous;
}

LONG GetWindowLongA(HWND hWnd, int index)
{
    return (LONG)GetWindowLongPtrA(hWnd, index);
}

LONG SetWindowLongA(HWND hWnd, int index, LONG value)
{
    return (LONG)SetWindowLongPtrA(hWnd, index, value);
}

BOOL IsIconic(HWND hWnd)
{
    HWND__* window = Win32LookupWindow(hWnd);
    return window && (SDL_GetWindowFlags(window->sdlWindow) & SDL_WINDOW_MINIMIZED) != 0;
}

BOOL IsZoomed(HWND hWnd)
{
    HWND__* window = Win32LookupWindow(hWnd);
    return window && (SDL_GetWindowFlags(window->sdlWindow) & SDL_WINDOW_MAXIMIZED) != 0;
}

HWND GetActiveWindow(void)
{
    for (HWND__* window : allWindows) {
        if (window->active)
            return window;
    }
    return nullptr;
}

HWND GetFocus(void)
{
    return GetActiveWindow();
}

HWND GetForegroundWindow(void)
{
    return GetActiveWindow();
}

HWND SetActiveWindow(HWND hWnd)
{
    HWND previous = GetActiveWindow();
    HWND__* window = Win32LookupWindow(hWnd);
    if (window)
        SDL_RaiseWindow(window->sdlWindow);
    return previous;
}

HWND SetFocus(HWND hWnd)
{
    return SetActiveWindow(hWnd);
}

BOOL SetForegroundWindow(HWND hWnd)
{
    return SetActiveWindow(hWnd) != nullptr || Win32LookupWindow(hWnd) != nullptr;
}

BOOL InvalidateRect(HWND hWnd, const RECT*, BOOL)
{
    HWND__* window = Win32LookupWindow(hWnd);
    if (!window)
        return FALSE;
    window->needsPaint = true;
    return TRUE;
}

BOOL ValidateRect(HWND hWnd, const RECT*)
{
    HWND__* window = Win32LookupWindow(hWnd);
    if (!window)
        return FALSE;
    window->needsPaint = false;
    return TRUE;
}

LRESULT DefWindowProcA(HWND hWnd, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_CLOSE:
        DestroyWindow(hWnd);
        return 0;
    case WM_PAINT:
        ValidateRect(hWnd, nullptr);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE)
            SendMessageA(hWnd, WM_CLOSE, 0, 0);
        return 0;
    default:
        return 0;
    }
}

LRESULT CallWindowProcA(WNDPROC proc, HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return proc ? proc(hWnd, msg, wParam, lParam) : 0;
}

int ShowCursor(BOOL show)
{
    cursorCount += show ? 1 : -1;
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_ShowCursor(cursorCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
    return cursorCount;
}

HCURSOR SetCursor(HCURSOR cursor)
{
    return cursor;
}

HCURSOR LoadCursorA(HINSTANCE, LPCSTR)
{
    return nullptr;
}

HICON LoadIconA(HINSTANCE, LPCSTR)
{
    return nullptr;
}

BOOL GetCursorPos(LPPOINT point)
{
    if (!point)
        return FALSE;
    int x = 0;
    int y = 0;
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_GetGlobalMouseState(&x, &y);
    point->x = x;
    point->y = y;
    return TRUE;
}

BOOL SetCursorPos(int x, int y)
{
    if (!SDL_WasInit(SDL_INIT_VIDEO))
        return FALSE;
    return SDL_WarpMouseGlobal(x, y) == 0;
}

BOOL ScreenToClient(HWND hWnd, LPPOINT point)
{
    RECT rect;
    if (!point || !GetWindowRect(hWnd, &rect))
        return FALSE;
    point->x -= rect.left;
    point->y -= rect.top;
    return TRUE;
}

BOOL ClientToScreen(HWND hWnd, LPPOINT point)
{
    RECT rect;
    if (!point || !GetWindowRect(hWnd, &rect))
        return FALSE;
    point->x += rect.left;
    point->y += rect.top;
    return TRUE;
}

HWND SetCapture(HWND)
{
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_CaptureMouse(SDL_TRUE);
    return nullptr;
}

BOOL ReleaseCapture(void)
{
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_CaptureMouse(SDL_FALSE);
    return TRUE;
}

SHORT GetKeyState(int virtualKey)
{
    if (!SDL_WasInit(SDL_INIT_VIDEO))
        return 0;
    if (virtualKey == VK_LBUTTON || virtualKey == VK_RBUTTON || virtualKey == VK_MBUTTON) {
        Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
        Uint32 mask = virtualKey == VK_LBUTTON   ? SDL_BUTTON_LMASK
                      : virtualKey == VK_RBUTTON ? SDL_BUTTON_RMASK
                                                 : SDL_BUTTON_MMASK;
        return (buttons & mask) ? (SHORT)0x8000 : 0;
    }
    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    if (virtualKey == VK_SHIFT)
        return (keys[SDL_SCANCODE_LSHIFT] || keys[SDL_SCANCODE_RSHIFT]) ? (SHORT)0x8000 : 0;
    if (virtualKey == VK_CONTROL)
        return (keys[SDL_SCANCODE_LCTRL] || keys[SDL_SCANCODE_RCTRL]) ? (SHORT)0x8000 : 0;
    if (virtualKey == VK_MENU)
        return (keys[SDL_SCANCODE_LALT] || keys[SDL_SCANCODE_RALT]) ? (SHORT)0x8000 : 0;
    SDL_Scancode scancode = Win32ScancodeFromVirtualKey(virtualKey);
    if (scancode == SDL_SCANCODE_UNKNOWN)
        return 0;
    return keys[scancode] ? (SHORT)0x8000 : 0;
}

SHORT GetAsyncKeyState(int virtualKey)
{
    SDL_PumpEvents();
    return GetKeyState(virtualKey);
}

int GetSystemMetrics(int index)
{
    SDL_DisplayMode mode;
    if (!Win32StartVideo() || SDL_GetDesktopDisplayMode(0, &mode) != 0)
        return 0;
    if (index == SM_CXSCREEN)
        return mode.w;
    if (index == SM_CYSCREEN)
        return mode.h;
    return 0;
}

HGDIOBJ GetStockObject(int)
{
    return nullptr;
}
