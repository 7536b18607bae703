// The little of GDI a loading message needs. The window's pixels belong to
// OpenGL, so text is measured and laid out but not drawn.
#include "Win32Internal.h"

struct HDC__ {
    HWND window;
    COLORREF textColor;
    COLORREF backColor;
    int backMode;
};

namespace {

const int glyphWidth = 8;
const int lineHeight = 16;

// Stores a new colour in a device context's slot and returns the old one.
COLORREF ExchangeColor(COLORREF& slot, COLORREF color)
{
    COLORREF previous = slot;
    slot = color;
    return previous;
}

} // namespace

HDC GetDC(HWND hWnd)
{
    if (hWnd && !Win32LookupWindow(hWnd))
        return nullptr;
    HDC__* dc = new HDC__();
    dc->window = hWnd;
    dc->textColor = RGB(0, 0, 0);
    dc->backColor = RGB(255, 255, 255);
    dc->backMode = OPAQUE;
    return dc;
}

int ReleaseDC(HWND, HDC hdc)
{
    if (!hdc)
        return 0;
    delete hdc;
    return 1;
}

HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT paint)
{
    HDC hdc = GetDC(hWnd);
    if (paint) {
        memset(paint, 0, sizeof(*paint));
        paint->hdc = hdc;
        GetClientRect(hWnd, &paint->rcPaint);
    }
    ValidateRect(hWnd, nullptr);
    return hdc;
}

BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* paint)
{
    if (paint)
        ReleaseDC(hWnd, paint->hdc);
    return TRUE;
}

// Returns the height of the text; with DT_CALCRECT the rectangle is widened
// and heightened to hold it. count -1 means a zero-terminated string.
int DrawTextA(HDC hdc, LPCSTR text, int count, LPRECT rect, UINT format)
{
    if (!hdc || !text || !rect)
        return 0;
    if (count < 0)
        count = (int)strlen(text);
    int lines = 1;
    int longest = 0;
    int current = 0;
    for (int i = 0; i < count; i++) {
        if (text[i] == '\n' && !(format & DT_SINGLELINE)) {
            lines++;
            current = 0;
            continue;
        }
        current++;
        if (current > longest)
            longest = current;
    }
    int height = lines * lineHeight;
    if (format & DT_CALCRECT) {
        rect->right = rect->left + longest * glyphWidth;
        rect->bottom = rect->top + height;
    }
    return height;
}

BOOL TextOutA(HDC hdc, int, int, LPCSTR text, int)
{
    return hdc && text;
}

COLORREF SetTextColor(HDC hdc, COLORREF color)
{
    return hdc ? ExchangeColor(hdc->textColor, color) : 0;
}

COLORREF SetBkColor(HDC hdc, COLORREF color)
{
    return hdc ? ExchangeColor(hdc->backColor, color) : 0;
}

int SetBkMode(HDC hdc, int mode)
{
    if (!hdc)
        return 0;
    int previous = hdc->backMode;
    hdc->backMode = mode;
    return previous;
}
