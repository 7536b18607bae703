// Checks text that GDI drew into a window, from what the window shows.
#ifndef ZARUL_GDITEXTCHECK_H
#define ZARUL_GDITEXTCHECK_H

#include <windows.h>
#include <gtest/gtest.h>

#include <stdlib.h>

#include <algorithm>
#include <vector>

#include "Win32Internal.h"

namespace gdicheck {

inline LRESULT CALLBACK PlainProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

// A shown window of the given client size, its messages handled.
inline HWND OpenWindow(int width, int height)
{
    WNDCLASSA wc;
    memset(&wc, 0, sizeof(wc));
    wc.lpfnWndProc = PlainProc;
    wc.lpszClassName = "GdiText";
    RegisterClassA(&wc);
    HWND window = CreateWindowA("GdiText", "text", WS_OVERLAPPEDWINDOW, 0, 0, width, height, nullptr, nullptr,
                                nullptr, nullptr);
    if (!window)
        return nullptr;
    ShowWindow(window, SW_SHOWNORMAL);
    MSG msg;
    for (int i = 0; i < 10; i++) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(10);
    }
    return window;
}

struct Shown {
    std::vector<BYTE> bgra;
    int width = 0;
    int height = 0;
    COLORREF At(int x, int y) const
    {
        const BYTE* p = &bgra[((size_t)y * width + x) * 4];
        return RGB(p[2], p[1], p[0]);
    }
};

inline Shown ReadWindow(HWND window)
{
    Shown shown;
    EXPECT_TRUE(Win32ReadWindowPixels(Win32LookupWindow(window), shown.bgra, shown.width, shown.height));
    return shown;
}

// How far along the way from back to text a pixel's colour lies (0 to 255),
// or -1 when it is off that line by more than a few levels.
inline int Coverage(COLORREF pixel, COLORREF back, COLORREF text)
{
    int channels[3][3] = {
        {GetRValue(pixel), GetRValue(back), GetRValue(text)},
        {GetGValue(pixel), GetGValue(back), GetGValue(text)},
        {GetBValue(pixel), GetBValue(back), GetBValue(text)},
    };
    int widest = 0;
    for (int c = 1; c < 3; c++) {
        if (abs(channels[c][2] - channels[c][1]) > abs(channels[widest][2] - channels[widest][1]))
            widest = c;
    }
    int span = channels[widest][2] - channels[widest][1];
    int coverage = (channels[widest][0] - channels[widest][1]) * 255 / span;
    for (int c = 0; c < 3; c++) {
        int expected = channels[c][1] + (channels[c][2] - channels[c][1]) * coverage / 255;
        if (abs(expected - channels[c][0]) > 6)
            return -1;
    }
    return coverage;
}

// The loading text, drawn as the program draws it, lies centred in the
// window inside the extent DT_CALCRECT gives, in the context's colours, and
// nothing outside that extent changes.
inline void CheckCentredText(HWND window)
{
    const char* text = "Zarul wird geladen ...";
    const COLORREF textColor = RGB(250, 40, 30);
    const COLORREF backColor = RGB(20, 60, 200);
    HDC dc = GetDC(window);
    ASSERT_TRUE(dc != nullptr);
    EXPECT_EQ(RGB(0, 0, 0), SetTextColor(dc, textColor));
    EXPECT_EQ(RGB(255, 255, 255), SetBkColor(dc, backColor));

    RECT measured = {0, 0, 0, 0};
    int height = DrawTextA(dc, text, -1, &measured, DT_CALCRECT | DT_SINGLELINE);
    int width = measured.right;
    EXPECT_EQ(height, measured.bottom);
    EXPECT_GT(width, 80);
    EXPECT_GE(height, 12);
    EXPECT_LE(height, 24);

    RECT client;
    GetClientRect(window, &client);
    int drawn = DrawTextA(dc, text, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ReleaseDC(window, dc);
    int left = (client.right - width) / 2;
    int top = (client.bottom - height) / 2;
    EXPECT_EQ(top + height, drawn) << "with DT_VCENTER: from the rectangle's top to the text's bottom";

    Shown shown = ReadWindow(window);
    ASSERT_EQ(client.right, shown.width);
    int inkLeft = shown.width, inkRight = -1, inkTop = shown.height, inkBottom = -1;
    int background = 0, foreground = 0, outsideChanged = 0, offColour = 0;
    for (int y = 0; y < shown.height; y++) {
        for (int x = 0; x < shown.width; x++) {
            COLORREF pixel = shown.At(x, y);
            bool inside = x >= left && x < left + width && y >= top && y < top + height;
            if (!inside) {
                outsideChanged += pixel != RGB(0, 0, 0);
                continue;
            }
            int coverage = Coverage(pixel, backColor, textColor);
            if (coverage < 0) {
                offColour++;
                continue;
            }
            background += coverage < 20;
            foreground += coverage > 235;
            if (coverage > 128) {
                inkLeft = std::min(inkLeft, x);
                inkRight = std::max(inkRight, x);
                inkTop = std::min(inkTop, y);
                inkBottom = std::max(inkBottom, y);
            }
        }
    }
    EXPECT_EQ(0, outsideChanged) << "pixels changed outside the measured extent";
    EXPECT_EQ(0, offColour) << "pixels inside that are neither text nor background colour";
    EXPECT_GT(foreground, 60) << "the glyphs in the text colour";
    EXPECT_GT(background, width * height / 2) << "the cell filled with the background colour";
    ASSERT_GE(inkRight, inkLeft);
    // The ink is centred across the window and lies within the line.
    EXPECT_LE(abs((inkLeft - 0) - (shown.width - 1 - inkRight)), 4);
    EXPECT_GE(inkTop, top);
    EXPECT_LE(inkBottom, top + height - 1);
    EXPECT_LE(inkRight - inkLeft + 1, width);
    EXPECT_GE(inkRight - inkLeft + 1, width - 6);
}

} // namespace gdicheck

#endif
