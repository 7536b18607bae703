// Synthetic input for scripted runs: each call puts an event into the same
// stream the window system's events arrive in, so it reaches the window as an
// ordinary message (WM_KEYDOWN, WM_CHAR, WM_MOUSEMOVE, WM_LBUTTONDOWN, ...) at
// the next message pump, through the same translation as real input.
#ifndef ZARUL_INPUTINJECTION_H
#define ZARUL_INPUTINJECTION_H

#include <windows.h>

enum {
    INJECT_BUTTON_LEFT = 0,
    INJECT_BUTTON_RIGHT = 1
};

// A key by its name ("Escape", "Return", "Space", "Left", "Right", "A", "7", ...).
// False when the name names no key or the window is not live.
BOOL InjectKey(HWND window, const char* keyName, BOOL down);
// True when the name names a key that InjectKey can press.
BOOL IsInjectableKeyName(const char* keyName);
// Typed text (UTF-8), as the text that follows a key press.
BOOL InjectText(HWND window, const char* text);
// Pointer at pixel (x, y) of the window's client area.
BOOL InjectMouseMove(HWND window, int x, int y);
// A button going down or up at pixel (x, y).
BOOL InjectMouseButton(HWND window, int button, BOOL down, int x, int y);
// The answer (IDOK, IDCANCEL, IDYES, IDNO) the next message box gives without
// being shown; answers queue up, one per box.
void InjectMessageBoxAnswer(int answer);
// The client size of a live window in pixels; false for any other handle.
BOOL InjectClientSize(HWND window, int* width, int* height);

#endif
