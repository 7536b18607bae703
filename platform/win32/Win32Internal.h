// What the Win32 layer shares with the Direct3D layer underneath it: the SDL
// window behind an HWND, and the command line recorded at start.
#ifndef ZARUL_WIN32INTERNAL_H
#define ZARUL_WIN32INTERNAL_H

#include <windows.h>
#include <SDL.h>

#include <string>
#include <vector>

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
    // What GDI has drawn into the window: B,G,R,A, top row first, client size.
    std::vector<BYTE> picture;
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

// The program's 8-bit texts (Latin-1) as UTF-8; count -1 means up to the zero.
std::string Win32Latin1ToUtf8(const char* text, int count);

// The window's GDI picture at its client size (black until drawn into).
std::vector<BYTE>& Win32WindowPicture(HWND__* window);

// Puts the window's GDI picture on the screen. False when the window has no
// way to show it (no OpenGL context can be made for it).
bool Win32ShowWindowPicture(HWND__* window);

// Reads back what the window shows: from the X server on a display, from
// the window's own buffer headless. B,G,R,A, top row first.
bool Win32ReadWindowPixels(HWND__* window, std::vector<BYTE>& bgra, int& width, int& height);

// Key translation for SDL scancodes: the virtual key and the DirectInput code
// (0 when the key has none).
BYTE Win32VirtualKeyFromScancode(SDL_Scancode scancode);
BYTE Win32DikFromScancode(SDL_Scancode scancode);
SDL_Scancode Win32ScancodeFromVirtualKey(int virtualKey);

#endif
