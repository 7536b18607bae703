// The little of GDI a loading message needs: device contexts on a window,
// their text and background colours and mode, and text drawn with SDL_ttf
// into the window's GDI picture, which is then put on the screen.
#include "Win32Internal.h"

#include <SDL_ttf.h>

struct HDC__ {
    HWND window;
    COLORREF textColor;
    COLORREF backColor;
    int backMode;
};

namespace {

// Roughly the height of the system font Windows gives a new device context.
const int FONT_POINTS = 13;
// Extents used when no font can be opened: the text is laid out, not drawn.
const int FALLBACK_GLYPH_WIDTH = 8;
const int FALLBACK_LINE_HEIGHT = 16;

const char* const FONT_FILES[] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    "/usr/share/fonts/dejavu/DejaVuSans.ttf",
};

// Stores a new colour in a device context's slot and returns the old one.
COLORREF ExchangeColor(COLORREF& slot, COLORREF color)
{
    COLORREF previous = slot;
    slot = color;
    return previous;
}

// Opens the font for one drawing call; null (and a line in the log) when
// there is none. Opened per call so a font named later is picked up.
TTF_Font* OpenFont()
{
    if (!TTF_WasInit() && TTF_Init() != 0) {
        OutputDebugStringA("GDI text: SDL_ttf cannot start; text is not drawn\n");
        return nullptr;
    }
    const char* chosen = SDL_getenv("ZARUL_GDI_FONT");
    if (chosen && chosen[0]) {
        if (TTF_Font* font = TTF_OpenFont(chosen, FONT_POINTS))
            return font;
    } else {
        for (const char* file : FONT_FILES) {
            if (TTF_Font* font = TTF_OpenFont(file, FONT_POINTS))
                return font;
        }
    }
    std::string line = "GDI text: no font (";
    line += chosen && chosen[0] ? chosen : FONT_FILES[0];
    line += "); text is measured but not drawn\n";
    OutputDebugStringA(line.c_str());
    return nullptr;
}

struct TextLine {
    std::string utf8;
    int width;
};

// Splits the text into lines (one when singleLine) and measures each.
std::vector<TextLine> MeasureLines(TTF_Font* font, const char* text, int count, bool singleLine)
{
    std::vector<TextLine> lines;
    int start = 0;
    for (int i = 0; i <= count; i++) {
        bool end = i == count;
        if (!end && (singleLine || text[i] != '\n'))
            continue;
        int length = i - start;
        if (length > 0 && text[start + length - 1] == '\r')
            length--;
        TextLine line;
        line.utf8 = Win32Latin1ToUtf8(text + start, length);
        line.width = length * FALLBACK_GLYPH_WIDTH;
        if (font) {
            int height = 0;
            if (line.utf8.empty() || TTF_SizeUTF8(font, line.utf8.c_str(), &line.width, &height) != 0)
                line.width = 0;
        }
        lines.push_back(line);
        start = i + 1;
    }
    return lines;
}

RECT WholeWindow(HWND__* window)
{
    RECT whole;
    whole.left = 0;
    whole.top = 0;
    whole.right = window->width;
    whole.bottom = window->height;
    return whole;
}

int LineHeight(TTF_Font* font)
{
    return font ? TTF_FontHeight(font) : FALLBACK_LINE_HEIGHT;
}

BYTE Mix(BYTE under, BYTE over, int coverage)
{
    return (BYTE)((under * (255 - coverage) + over * coverage + 127) / 255);
}

// Draws one line with its top left corner at (x, y) into the window's
// picture, inside clip: in OPAQUE mode the line's cell is first filled with
// the background colour, then the glyphs are blended in the text colour.
void DrawLine(HDC__* dc, HWND__* window, TTF_Font* font, const TextLine& line, int x, int y, const RECT& clip)
{
    std::vector<BYTE>& picture = Win32WindowPicture(window);
    int height = LineHeight(font);
    SDL_Surface* glyphs = nullptr;
    if (!line.utf8.empty()) {
        SDL_Color white = {255, 255, 255, 255};
        SDL_Surface* rendered = TTF_RenderUTF8_Blended(font, line.utf8.c_str(), white);
        if (rendered) {
            glyphs = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ARGB8888, 0);
            SDL_FreeSurface(rendered);
        }
    }
    int left = SDL_max(x, (int)SDL_max(clip.left, 0L));
    int top = SDL_max(y, (int)SDL_max(clip.top, 0L));
    int right = SDL_min(x + line.width, (int)SDL_min(clip.right, (LONG)window->width));
    int bottom = SDL_min(y + height, (int)SDL_min(clip.bottom, (LONG)window->height));
    BYTE textB = GetBValue(dc->textColor), textG = GetGValue(dc->textColor), textR = GetRValue(dc->textColor);
    BYTE backB = GetBValue(dc->backColor), backG = GetGValue(dc->backColor), backR = GetRValue(dc->backColor);
    for (int py = top; py < bottom; py++) {
        for (int px = left; px < right; px++) {
            BYTE* out = &picture[((size_t)py * window->width + px) * 4];
            if (dc->backMode == OPAQUE) {
                out[0] = backB;
                out[1] = backG;
                out[2] = backR;
            }
            int gx = px - x;
            int gy = py - y;
            if (!glyphs || gx >= glyphs->w || gy >= glyphs->h)
                continue;
            Uint32 pixel = ((const Uint32*)((const BYTE*)glyphs->pixels + gy * glyphs->pitch))[gx];
            int coverage = (int)(pixel >> 24);
            out[0] = Mix(out[0], textB, coverage);
            out[1] = Mix(out[1], textG, coverage);
            out[2] = Mix(out[2], textR, coverage);
        }
    }
    if (glyphs)
        SDL_FreeSurface(glyphs);
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

// Draws the text into the rectangle, or with DT_CALCRECT only widens and
// heightens the rectangle to the extent the text would be drawn in. Returns
// the text's height (with DT_VCENTER or DT_BOTTOM, from the rectangle's top
// to the text's bottom). count -1 means a zero-terminated string.
int DrawTextA(HDC hdc, LPCSTR text, int count, LPRECT rect, UINT format)
{
    if (!hdc || !text || !rect)
        return 0;
    if (count < 0)
        count = (int)strlen(text);
    HWND__* window = Win32LookupWindow(hdc->window);
    TTF_Font* font = OpenFont();
    bool singleLine = (format & DT_SINGLELINE) != 0;
    std::vector<TextLine> lines = MeasureLines(font, text, count, singleLine);
    int lineHeight = LineHeight(font);
    int height = (int)lines.size() * lineHeight;
    int widest = 0;
    for (const TextLine& line : lines)
        widest = SDL_max(widest, line.width);

    int top = rect->top;
    if (singleLine && (format & DT_VCENTER))
        top = rect->top + (rect->bottom - rect->top - height) / 2;
    else if (singleLine && (format & DT_BOTTOM))
        top = rect->bottom - height;
    int result = (format & (DT_VCENTER | DT_BOTTOM)) && singleLine ? top + height - rect->top : height;

    if (format & DT_CALCRECT) {
        rect->right = rect->left + widest;
        rect->bottom = rect->top + height;
    } else if (window && font) {
        RECT clip = *rect;
        if (format & DT_NOCLIP)
            clip = WholeWindow(window);
        for (size_t i = 0; i < lines.size(); i++) {
            int x = rect->left;
            if (format & DT_CENTER)
                x = rect->left + (rect->right - rect->left - lines[i].width) / 2;
            else if (format & DT_RIGHT)
                x = rect->right - lines[i].width;
            DrawLine(hdc, window, font, lines[i], x, top + (int)i * lineHeight, clip);
        }
        Win32ShowWindowPicture(window);
    }
    if (font)
        TTF_CloseFont(font);
    return result;
}

// Draws one line of text with its top left corner at (x, y).
BOOL TextOutA(HDC hdc, int x, int y, LPCSTR text, int count)
{
    if (!hdc || !text)
        return FALSE;
    if (count < 0)
        count = (int)strlen(text);
    HWND__* window = Win32LookupWindow(hdc->window);
    TTF_Font* font = OpenFont();
    if (window && font) {
        std::vector<TextLine> lines = MeasureLines(font, text, count, true);
        DrawLine(hdc, window, font, lines[0], x, y, WholeWindow(window));
        Win32ShowWindowPicture(window);
    }
    if (font)
        TTF_CloseFont(font);
    return TRUE;
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
