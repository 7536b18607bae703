// The Win32 layer: message routing, the quit message, key and mouse
// translation, the command line, formatting helpers and built-in resources.
#include <windows.h>
#include <dinput.h>
#include <gtest/gtest.h>

#include <SDL.h>

#include <stdlib.h>
#include <time.h>

#include <algorithm>

#include <string>
#include <vector>

#include "Win32Internal.h"

namespace {

struct Received {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

std::vector<Received> received;

LRESULT CALLBACK RecordingProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Received entry = {hWnd, msg, wParam, lParam};
    received.push_back(entry);
    if (msg == WM_USER + 1)
        return (LRESULT)(wParam + lParam);
    if (msg == WM_DESTROY)
        PostQuitMessage(7);
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

class Win32Window : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA wc;
        memset(&wc, 0, sizeof(wc));
        wc.lpfnWndProc = RecordingProc;
        wc.lpszClassName = "Win32Window";
        ASSERT_NE(0, RegisterClassA(&wc));
        window = CreateWindowA("Win32Window", "messages", WS_OVERLAPPEDWINDOW, 0, 0, 100, 80, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(window != nullptr);
        ShowWindow(window, SW_SHOWNORMAL);
        DrainQueue();
        received.clear();
    }

    void TearDown() override
    {
        if (IsWindow(window))
            DestroyWindow(window);
        DrainQueue();
    }

    // Dispatches everything waiting, WM_QUIT included.
    void DrainQueue()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    // The messages of a kind that reached the window procedure.
    std::vector<Received> Only(UINT message)
    {
        std::vector<Received> found;
        for (const Received& entry : received) {
            if (entry.message == message)
                found.push_back(entry);
        }
        return found;
    }

    void PushKey(SDL_Scancode scancode, bool down)
    {
        SDL_Event event;
        memset(&event, 0, sizeof(event));
        event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        event.key.windowID = window->sdlId;
        event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.scancode = scancode;
        SDL_PushEvent(&event);
    }

    HWND window = nullptr;
};

} // namespace

TEST_F(Win32Window, CreationShowingAndSendingReachTheProcedureAtOnce)
{
    EXPECT_EQ(5, SendMessageA(window, WM_USER + 1, 2, 3));
    ASSERT_EQ(1u, received.size());
    EXPECT_EQ(window, received[0].window);
    received.clear();
    HWND other = CreateWindowA("Win32Window", "second", 0, 0, 0, 64, 32, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(other != nullptr);
    ASSERT_EQ(1u, Only(WM_CREATE).size());
    ShowWindow(other, SW_SHOWNORMAL);
    std::vector<Received> activations = Only(WM_ACTIVATE);
    ASSERT_EQ(1u, activations.size());
    EXPECT_NE(WA_INACTIVE, LOWORD(activations[0].wParam));
    std::vector<Received> sizes = Only(WM_SIZE);
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(64, LOWORD(sizes.back().lParam));
    EXPECT_EQ(32, HIWORD(sizes.back().lParam));
    RECT client;
    ASSERT_TRUE(GetClientRect(other, &client));
    EXPECT_EQ(64, client.right);
    EXPECT_EQ(32, client.bottom);
    DestroyWindow(other);
    EXPECT_FALSE(IsWindow(other));
    EXPECT_EQ(0, SendMessageA(other, WM_USER + 1, 1, 2)) << "a destroyed window receives nothing";
}

TEST_F(Win32Window, PaintIsAskedForOnceAndPostedMessagesArriveInOrderWithQuitLast)
{
    MSG msg;
    InvalidateRect(window, nullptr, FALSE);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ((UINT)WM_PAINT, msg.message);
    EXPECT_EQ(window, msg.hwnd);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) << "painting is asked for once";
    InvalidateRect(window, nullptr, FALSE);
    ValidateRect(window, nullptr);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));

    PostMessageA(window, WM_USER + 2, 1, 0);
    PostQuitMessage(3);
    PostMessageA(window, WM_USER + 2, 2, 0);
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ((UINT)WM_USER + 2, msg.message);
    EXPECT_EQ(1u, msg.wParam);
    ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ(2u, msg.wParam);
    EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0)) << "WM_QUIT ends a GetMessage loop";
    EXPECT_EQ((UINT)WM_QUIT, msg.message);
    EXPECT_EQ(3u, msg.wParam);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) << "the quit message comes once";
}

TEST_F(Win32Window, ClosingTheWindowDestroysItAndItsProcedureEndsTheLoop)
{
    PostMessageA(window, WM_CLOSE, 0, 0);
    MSG msg;
    int dispatched = 0;
    while (GetMessageA(&msg, nullptr, 0, 0) && dispatched < 100) {
        DispatchMessageA(&msg);
        dispatched++;
    }
    EXPECT_EQ((UINT)WM_QUIT, msg.message);
    EXPECT_EQ(7u, msg.wParam);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(1u, Only(WM_DESTROY).size());
}

TEST_F(Win32Window, KeysBecomeVirtualKeysWithDirectInputCodesAndControlCharacters)
{
    PushKey(SDL_SCANCODE_LEFT, true);
    PushKey(SDL_SCANCODE_ESCAPE, true);
    PushKey(SDL_SCANCODE_A, false);
    DrainQueue();
    std::vector<Received> downs = Only(WM_KEYDOWN);
    ASSERT_EQ(2u, downs.size());
    EXPECT_EQ((WPARAM)VK_LEFT, downs[0].wParam);
    DWORD lParam = (DWORD)downs[0].lParam;
    EXPECT_EQ((DWORD)DIK_LEFT, (lParam >> 16) & 0xFF);
    EXPECT_TRUE(lParam & (1u << 24)) << "the arrow keys are extended keys";
    EXPECT_EQ((WPARAM)VK_ESCAPE, downs[1].wParam);
    EXPECT_EQ((DWORD)DIK_ESCAPE, ((DWORD)downs[1].lParam >> 16) & 0xFF);
    EXPECT_FALSE((DWORD)downs[1].lParam & (1u << 24));

    std::vector<Received> ups = Only(WM_KEYUP);
    ASSERT_EQ(1u, ups.size());
    EXPECT_EQ((WPARAM)'A', ups[0].wParam);
    EXPECT_EQ((DWORD)DIK_A, ((DWORD)ups[0].lParam >> 16) & 0xFF);
    EXPECT_TRUE((DWORD)ups[0].lParam & (1u << 31)) << "transition bit set on release";

    std::vector<Received> chars = Only(WM_CHAR);
    ASSERT_EQ(1u, chars.size()) << "only Escape of these keys types a character";
    EXPECT_EQ(27u, chars[0].wParam);
}

TEST_F(Win32Window, TypedTextAndMouseButtonsBecomeWindowMessages)
{
    SDL_Event event;
    memset(&event, 0, sizeof(event));
    event.type = SDL_TEXTINPUT;
    event.text.windowID = window->sdlId;
    strcpy(event.text.text, "a\xC3\xA4\xE2\x82\xAC\xC3\x9F"); // a, a-umlaut, euro sign, sharp s
    SDL_PushEvent(&event);
    memset(&event, 0, sizeof(event));
    event.type = SDL_MOUSEBUTTONDOWN;
    event.button.windowID = window->sdlId;
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = SDL_PRESSED;
    event.button.x = 30;
    event.button.y = 40;
    SDL_PushEvent(&event);
    event.type = SDL_MOUSEBUTTONUP;
    event.button.state = SDL_RELEASED;
    event.button.button = SDL_BUTTON_RIGHT;
    SDL_PushEvent(&event);
    DrainQueue();

    // Latin-1 characters pass, others are skipped.
    std::vector<Received> chars = Only(WM_CHAR);
    ASSERT_EQ(3u, chars.size());
    EXPECT_EQ((WPARAM)'a', chars[0].wParam);
    EXPECT_EQ(0xE4u, chars[1].wParam);
    EXPECT_EQ(0xDFu, chars[2].wParam);
    // Buttons carry the client position and the state of the buttons after the event.
    std::vector<Received> downs = Only(WM_LBUTTONDOWN);
    ASSERT_EQ(1u, downs.size());
    EXPECT_EQ(30, GET_X_LPARAM(downs[0].lParam));
    EXPECT_EQ(40, GET_Y_LPARAM(downs[0].lParam));
    EXPECT_TRUE(downs[0].wParam & MK_LBUTTON);
    std::vector<Received> ups = Only(WM_RBUTTONUP);
    ASSERT_EQ(1u, ups.size());
    EXPECT_FALSE(ups[0].wParam & MK_RBUTTON);
    EXPECT_TRUE(ups[0].wParam & MK_LBUTTON) << "the left button is still held";
}

TEST(Win32CommandLine, ArgumentsAreJoinedAndQuotedWhereTheyHoldBlanks)
{
    char program[] = "/opt/zarul game/zarul";
    char first[] = "-editor";
    char second[] = "level one.xml";
    char* argv[] = {program, first, second, nullptr};
    Win32SetCommandLine(3, argv);
    EXPECT_STREQ("\"/opt/zarul game/zarul\" -editor \"level one.xml\"", GetCommandLineA());
    EXPECT_STREQ("-editor \"level one.xml\"", Win32GetArgumentLine());
    Win32SetCommandLine(1, argv);
    EXPECT_STREQ("", Win32GetArgumentLine());
    EXPECT_EQ(nullptr, strstr(GetCommandLineA(), "-editor"));
}

TEST(Win32Resources, RegisteredDataIsFoundByNameOrNumberAndType)
{
    static const char clickData[] = "RIFF....WAVE";
    static const char otherData[] = "xyz";
    ASSERT_TRUE(RegisterResourceA("CLICK", "WAVE", clickData, sizeof(clickData)));
    ASSERT_TRUE(RegisterResourceA(MAKEINTRESOURCEA(146), RT_RCDATA, otherData, 3));

    HRSRC found = FindResourceA(nullptr, "click", "wave");
    ASSERT_TRUE(found != nullptr) << "names and types compare without case";
    HGLOBAL loaded = LoadResource(nullptr, found);
    EXPECT_EQ((const void*)clickData, LockResource(loaded));
    EXPECT_EQ(sizeof(clickData), SizeofResource(nullptr, found));

    HRSRC byNumber = FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(146), RT_RCDATA);
    ASSERT_TRUE(byNumber != nullptr);
    EXPECT_EQ(3u, SizeofResource(nullptr, byNumber));
    EXPECT_EQ(nullptr, FindResourceA(nullptr, "CLICK", RT_RCDATA)) << "the type must match";
    EXPECT_EQ(nullptr, FindResourceA(nullptr, "MISSING", "WAVE"));
    EXPECT_EQ(nullptr, LockResource(LoadResource(nullptr, nullptr)));
    EXPECT_EQ(0u, SizeofResource(nullptr, nullptr));

    // Registering a name again replaces its data; earlier handles see it.
    ASSERT_TRUE(RegisterResourceA("CLICK", "WAVE", otherData, 3));
    EXPECT_EQ((const void*)otherData, LockResource(LoadResource(nullptr, found)));
    EXPECT_FALSE(RegisterResourceA(nullptr, "WAVE", otherData, 3));
}

TEST(Win32Runtime, ItoaWritesSignedDecimalAndUnsignedOtherRadixes)
{
    char buffer[40];
    EXPECT_STREQ("0", _itoa(0, buffer, 10));
    EXPECT_STREQ("-2147483648", _itoa(-2147483647 - 1, buffer, 10));
    EXPECT_STREQ("1234", _itoa(1234, buffer, 10));
    EXPECT_STREQ("ffffffff", _itoa(-1, buffer, 16));
    EXPECT_STREQ("101", _itoa(5, buffer, 2));
}

TEST(Win32Runtime, RandStaysWithin15BitsAndRepeatsAfterTheSameSeed)
{
    // Code written for Win32 turns rand() into 0..1 by dividing by 32767.
    EXPECT_EQ(32767, RAND_MAX);
    srand(1234);
    std::vector<int> first(2000);
    for (int& value : first)
        value = rand();
    EXPECT_EQ(0, *std::min_element(first.begin(), first.end()) & ~0x7FFF);
    EXPECT_GT(*std::max_element(first.begin(), first.end()), 30000);
    EXPECT_LE(*std::max_element(first.begin(), first.end()), 32767);
    std::srand(1234);
    for (int value : first)
        ASSERT_EQ(value, std::rand());
}

TEST(Win32Runtime, WsprintfFormatsAndStopsAt1024Characters)
{
    char buffer[2048];
    EXPECT_EQ(14, wsprintfA(buffer, "%d x %d x %d", 800, 600, 32));
    EXPECT_STREQ("800 x 600 x 32", buffer) << buffer;
    std::string longText(1500, 'x');
    EXPECT_EQ(1024, wsprintfA(buffer, "%s", longText.c_str()));
    EXPECT_EQ(1024u, strlen(buffer));
}

TEST(Win32Runtime, ShortDateFollowsTheLocaleAndReportsSmallBuffers)
{
    setenv("LC_ALL", "C", 1);
    SYSTEMTIME day;
    memset(&day, 0, sizeof(day));
    day.wYear = 2026;
    day.wMonth = 12;
    day.wDay = 6;
    char buffer[256];
    int written = GetDateFormatA(0, LOCALE_NOUSEROVERRIDE, &day, nullptr, buffer, 256);
    EXPECT_STREQ("12/06/26", buffer);
    EXPECT_EQ(9, written);
    EXPECT_EQ(9, GetDateFormatA(0, LOCALE_NOUSEROVERRIDE, &day, nullptr, nullptr, 0));
    EXPECT_EQ(0, GetDateFormatA(0, LOCALE_NOUSEROVERRIDE, &day, nullptr, buffer, 4));
    EXPECT_GT(GetDateFormatA(0, LOCALE_NOUSEROVERRIDE, nullptr, nullptr, buffer, 256), 1) << "today";
    unsetenv("LC_ALL");
}

// The clock's months run from 1 (January) to 12, as a saved date shows them.
TEST(Win32Runtime, LocalAndSystemTimeCountMonthsFromOne)
{
    time_t now = time(nullptr);
    struct tm local, utc;
    localtime_r(&now, &local);
    gmtime_r(&now, &utc);
    SYSTEMTIME localTime, systemTime;
    GetLocalTime(&localTime);
    GetSystemTime(&systemTime);
    if (localTime.wHour == 0 && localTime.wMinute == 0 && localTime.wSecond == 0)
        GTEST_SKIP() << "a day may have begun between the two readings";
    EXPECT_EQ(local.tm_year + 1900, localTime.wYear);
    EXPECT_EQ(local.tm_mon + 1, localTime.wMonth);
    EXPECT_EQ(local.tm_mday, localTime.wDay);
    EXPECT_EQ(utc.tm_mon + 1, systemTime.wMonth);
    EXPECT_EQ(utc.tm_mday, systemTime.wDay);
}

TEST(Win32Gdi, DrawTextMeasuresWithoutAWindowToDrawOn)
{
    HDC dc = GetDC(nullptr);
    ASSERT_TRUE(dc != nullptr);
    RECT rect = {10, 20, 10, 20};
    int height = DrawTextA(dc, "Loading\nplease wait", -1, &rect, DT_CALCRECT);
    EXPECT_GT(height, 0);
    EXPECT_GT(rect.right, 10);
    EXPECT_EQ(20 + height, rect.bottom);
    EXPECT_EQ(0, DrawTextA(dc, nullptr, -1, &rect, 0));
    EXPECT_EQ(1, ReleaseDC(nullptr, dc));
}
