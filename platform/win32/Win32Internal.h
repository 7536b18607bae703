// What the Win32 layer shares with the Direct3D layer underneath it: the SDL
// window behind an HWND, and the command line recorded at start.
#ifndef ZARUL_WIN32INTERNAL_H
#define ZARUL_WIN32INTERNAL_H

#include <windows.h>
#include <SDL.h>

#include <string>

struct HWND__ {
    SDL_Window* sdlWindow;
    Uint32 sdlId;
    WNDPROC proc;
    std::string className;
    std::string title;
    DWORD style;
    DWORD exStyle;
    HINSTANCE instance;
    LONG_PTR userData;
    int x;
    int y;
    int width;  // client size in pixels
    int height;
    bool visible;
    bool active;
    bool needsPaint;
    bool destroyed;
};

// Starts SDL's video and sets the OpenGL attributes every window is made
// with: compatibility profile, depth 24, stencil 8, double-buffered except on
// the offscreen driver. Returns false when SDL cannot start.
bool Win32StartVideo();

// True when SDL runs on its offscreen driver (no display).
bool Win32IsHeadless();

// The window behind a handle, or null when the handle is not a live window.
HWND__* Win32LookupWindow(HWND hWnd);

// The first window made that is still live (the program's main window), or null.
HWND__* Win32MainWindow();

// Removes the messages still queued for a window that is being destroyed.
void Win32DropWindowMessages(HWND hWnd);

// Records the program's arguments for GetCommandLineA.
void Win32SetCommandLine(int argc, char** argv);

// The part of the command line after the program's name, as WinMain receives it.
LPSTR Win32GetArgumentLine();

// Key translation for SDL scancodes: the virtual key and the DirectInput code
// (0 when the key has none).
BYTE Win32VirtualKeyFromScancode(SDL_Scancode scancode);
BYTE Win32DikFromScancode(SDL_Scancode scancode);
SDL_Scancode Win32ScancodeFromVirtualKey(int virtualKey);

#endif
