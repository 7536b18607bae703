// What GDI draws into a window before (or beside) Direct3D: a picture kept
// in memory per window and put on the screen through a short-lived OpenGL
// context of its own, so no device made later on the window sees its state.
#include "Win32Internal.h"

#include "OpenGL.h"
#include "PngWriter.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

// Runs draw with a fresh context current on the window and puts back the
// context that was current before. False when no context can be made.
template <typename Draw>
bool WithOwnContext(HWND__* window, Draw draw)
{
    SDL_Window* previousWindow = SDL_GL_GetCurrentWindow();
    SDL_GLContext previousContext = SDL_GL_GetCurrentContext();
    SDL_GLContext context = SDL_GL_CreateContext(window->sdlWindow);
    if (!context) {
        OutputDebugStringA("window picture: no OpenGL context for the window: ");
        OutputDebugStringA(SDL_GetError());
        OutputDebugStringA("\n");
        return false;
    }
    draw();
    SDL_GL_MakeCurrent(previousWindow, previousContext);
    SDL_GL_DeleteContext(context);
    return true;
}

// Reads the window as the X server shows it: what reached the screen.
bool ReadFromXServer(HWND__* window, std::vector<BYTE>& bgra, int width, int height)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window->sdlWindow, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    XImage* image = XGetImage(info.info.x11.display, info.info.x11.window, 0, 0, (unsigned)width,
                              (unsigned)height, AllPlanes, ZPixmap);
    if (!image)
        return false;
    for (int y = 0; y < height; y++) {
        for (int x = 0; x < width; x++) {
            unsigned long pixel = XGetPixel(image, x, y);
            BYTE* out = &bgra[((size_t)y * width + x) * 4];
            out[0] = (BYTE)(pixel & 0xFF);
            out[1] = (BYTE)((pixel >> 8) & 0xFF);
            out[2] = (BYTE)((pixel >> 16) & 0xFF);
            out[3] = 255;
        }
    }
    XDestroyImage(image);
    return true;
}

} // namespace

std::vector<BYTE>& Win32WindowPicture(HWND__* window)
{
    size_t size = (size_t)window->width * window->height * 4;
    if (window->picture.size() != size) {
        // A window without a background brush shows black until drawn into.
        window->picture.assign(size, 0);
        for (size_t i = 3; i < size; i += 4)
            window->picture[i] = 255;
    }
    return window->picture;
}

bool Win32ShowWindowPicture(HWND__* window)
{
    std::vector<BYTE>& picture = Win32WindowPicture(window);
    int width = window->width;
    int height = window->height;
    return WithOwnContext(window, [&]() {
        int drawableWidth = 0;
        int drawableHeight = 0;
        SDL_GL_GetDrawableSize(window->sdlWindow, &drawableWidth, &drawableHeight);
        glViewport(0, 0, drawableWidth, drawableHeight);
        glDisable(GL_DEPTH_TEST);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        // The picture is stored top row first: start at the top left corner
        // and let each row go down.
        glRasterPos2f(-1.0f, 1.0f);
        glPixelZoom(1.0f, -1.0f);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glDrawPixels(width, height, GL_BGRA, GL_UNSIGNED_BYTE, picture.data());
        if (Win32IsHeadless())
            glFinish(); // one buffer only: the window holds the picture now
        else
            SDL_GL_SwapWindow(window->sdlWindow);
    });
}

bool Win32ReadWindowPixels(HWND__* window, std::vector<BYTE>& bgra, int& width, int& height)
{
    width = window->width;
    height = window->height;
    bgra.assign((size_t)width * height * 4, 0);
    if (!Win32IsHeadless())
        return ReadFromXServer(window, bgra, width, height);
    std::vector<BYTE> rows(bgra.size());
    bool made = WithOwnContext(window, [&]() {
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_BYTE, rows.data());
    });
    if (!made)
        return false;
    // OpenGL reads the bottom row first.
    size_t rowBytes = (size_t)width * 4;
    for (int y = 0; y < height; y++)
        memcpy(&bgra[y * rowBytes], &rows[(size_t)(height - 1 - y) * rowBytes], rowBytes);
    return true;
}

BOOL Win32SaveWindowPNG(HWND hWnd, const char* fileName)
{
    HWND__* window = Win32LookupWindow(hWnd);
    if (!window || !fileName)
        return FALSE;
    std::vector<BYTE> bgra;
    int width = 0;
    int height = 0;
    if (!Win32ReadWindowPixels(window, bgra, width, height))
        return FALSE;
    return WritePNG(fileName, bgra.data(), (UINT)width, (UINT)height);
}
