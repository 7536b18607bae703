// Scripted input enters as SDL events: the message pump translates them as it
// does the window system's, so the program sees the same messages either way.
#include "InputInjection.h"
#include "Win32Internal.h"

#include <cstring>

static HWND__* LiveWindow(HWND window)
{
    HWND__* live = Win32LookupWindow(window);
    return (live && !live->destroyed) ? live : nullptr;
}

static BOOL Push(SDL_Event* event)
{
    return SDL_PushEvent(event) == 1 ? TRUE : FALSE;
}

BOOL InjectKey(HWND window, const char* keyName, BOOL down)
{
    HWND__* live = LiveWindow(window);
    if (!live || !keyName)
        return FALSE;
    SDL_Scancode scancode = SDL_GetScancodeFromName(keyName);
    if (scancode == SDL_SCANCODE_UNKNOWN)
        return FALSE;
    SDL_Event event;
    memset(&event, 0, sizeof(event));
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.windowID = live->sdlId;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = scancode;
    event.key.keysym.sym = SDL_GetKeyFromScancode(scancode);
    return Push(&event);
}

BOOL IsInjectableKeyName(const char* keyName)
{
    return keyName && SDL_GetScancodeFromName(keyName) != SDL_SCANCODE_UNKNOWN;
}

BOOL InjectText(HWND window, const char* text)
{
    HWND__* live = LiveWindow(window);
    if (!live || !text)
        return FALSE;
    SDL_Event event;
    memset(&event, 0, sizeof(event));
    event.type = SDL_TEXTINPUT;
    event.text.windowID = live->sdlId;
    strncpy(event.text.text, text, sizeof(event.text.text) - 1);
    return Push(&event);
}

BOOL InjectMouseMove(HWND window, int x, int y)
{
    HWND__* live = LiveWindow(window);
    if (!live)
        return FALSE;
    SDL_Event event;
    memset(&event, 0, sizeof(event));
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = live->sdlId;
    event.motion.x = x;
    event.motion.y = y;
    return Push(&event);
}

BOOL InjectMouseButton(HWND window, int button, BOOL down, int x, int y)
{
    HWND__* live = LiveWindow(window);
    if (!live || (button != INJECT_BUTTON_LEFT && button != INJECT_BUTTON_RIGHT))
        return FALSE;
    SDL_Event event;
    memset(&event, 0, sizeof(event));
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.windowID = live->sdlId;
    event.button.button = button == INJECT_BUTTON_LEFT ? SDL_BUTTON_LEFT : SDL_BUTTON_RIGHT;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    event.button.x = x;
    event.button.y = y;
    return Push(&event);
}

BOOL InjectClientSize(HWND window, int* width, int* height)
{
    HWND__* live = LiveWindow(window);
    if (!live)
        return FALSE;
    if (width)
        *width = live->width;
    if (height)
        *height = live->height;
    return TRUE;
}
