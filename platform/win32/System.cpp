// Process, time, locale and C-runtime functions of Win32.
#include "DialogInternal.h"
#include "InputInjection.h"

#include <ctype.h>
#include <errno.h>
#include <locale.h>
#include <stdarg.h>
#include <stdio.h>
#include <time.h>
#include <unistd.h>

#include <deque>

namespace {

std::string commandLine;
std::string argumentLine;

// Arguments with blanks (or empty ones) are quoted so the line splits back
// into the same arguments.
void AppendArgument(std::string& line, const char* argument)
{
    if (!line.empty())
        line += ' ';
    bool quote = argument[0] == 0 || strpbrk(argument, " \t") != nullptr;
    if (quote)
        line += '"';
    line += argument;
    if (quote)
        line += '"';
}

// Anchor of the one module handle: the program itself.
char moduleAnchor;

DWORD lastError = 0;

} // namespace

void Win32SetCommandLine(int argc, char** argv)
{
    commandLine.clear();
    argumentLine.clear();
    for (int i = 0; i < argc && argv && argv[i]; i++) {
        AppendArgument(commandLine, argv[i]);
        if (i > 0)
            AppendArgument(argumentLine, argv[i]);
    }
}

LPSTR GetCommandLineA(void)
{
    return &commandLine[0];
}

LPSTR Win32GetArgumentLine()
{
    return &argumentLine[0];
}

HMODULE GetModuleHandleA(LPCSTR moduleName)
{
    if (moduleName)
        return nullptr;
    return (HMODULE)&moduleAnchor;
}

DWORD GetModuleFileNameA(HMODULE, LPSTR fileName, DWORD size)
{
    if (!fileName || size == 0)
        return 0;
    ssize_t length = readlink("/proc/self/exe", fileName, size - 1);
    if (length < 0)
        length = 0;
    fileName[length] = 0;
    return (DWORD)length;
}

DWORD GetTickCount(void)
{
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (DWORD)((uint64_t)now.tv_sec * 1000u + (uint64_t)now.tv_nsec / 1000000u);
}

DWORD timeGetTime(void)
{
    return GetTickCount();
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* count)
{
    if (!count)
        return FALSE;
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    count->QuadPart = (LONGLONG)now.tv_sec * 1000000000LL + now.tv_nsec;
    return TRUE;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency)
{
    if (!frequency)
        return FALSE;
    frequency->QuadPart = 1000000000LL;
    return TRUE;
}

void Sleep(DWORD milliseconds)
{
    usleep((useconds_t)milliseconds * 1000u);
}

// Reads the real-time clock into out, as local time or as UTC.
static void ReadClock(LPSYSTEMTIME out, bool local)
{
    if (!out)
        return;
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    struct tm parts;
    if (local)
        localtime_r(&now.tv_sec, &parts);
    else
        gmtime_r(&now.tv_sec, &parts);
    out->wYear = (WORD)(parts.tm_year + 1900);
    out->wMonth = (WORD)(parts.tm_mon + 1);
    out->wDayOfWeek = (WORD)parts.tm_wday;
    out->wDay = (WORD)parts.tm_mday;
    out->wHour = (WORD)parts.tm_hour;
    out->wMinute = (WORD)parts.tm_min;
    out->wSecond = (WORD)parts.tm_sec;
    out->wMilliseconds = (WORD)(now.tv_nsec / 1000000);
}

void GetLocalTime(LPSYSTEMTIME time)
{
    ReadClock(time, true);
}

void GetSystemTime(LPSYSTEMTIME time)
{
    ReadClock(time, false);
}

DWORD GetLastError(void)
{
    return lastError;
}

DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer)
{
    char path[4096];
    if (!getcwd(path, sizeof(path)))
        return 0;
    DWORD length = (DWORD)strlen(path);
    if (!buffer || size <= length)
        return length + 1;
    memcpy(buffer, path, length + 1);
    return length;
}

BOOL SetCurrentDirectoryA(LPCSTR path)
{
    return path && chdir(path) == 0;
}

// The short date comes from the user's LC_TIME locale (LC_ALL, LC_TIME or
// LANG), e.g. "06.12.2026" under de_DE; the C locale gives "12/06/26".
int GetDateFormatA(LCID, DWORD, const SYSTEMTIME* date, LPCSTR, LPSTR buffer, int bufferSize)
{
    SYSTEMTIME today;
    if (!date) {
        GetLocalTime(&today);
        date = &today;
    }
    struct tm parts;
    memset(&parts, 0, sizeof(parts));
    parts.tm_year = date->wYear - 1900;
    parts.tm_mon = date->wMonth - 1;
    parts.tm_mday = date->wDay;
    parts.tm_wday = date->wDayOfWeek;
    parts.tm_hour = 12;

    char text[128];
    size_t length = 0;
    locale_t userLocale = newlocale(LC_TIME_MASK, "", (locale_t)nullptr);
    if (userLocale) {
        length = strftime_l(text, sizeof(text), "%x", &parts, userLocale);
        freelocale(userLocale);
    }
    if (length == 0)
        length = strftime(text, sizeof(text), "%x", &parts);
    if (bufferSize == 0)
        return (int)length + 1;
    if (!buffer || bufferSize < (int)length + 1) {
        lastError = 122; // the buffer is too small
        return 0;
    }
    memcpy(buffer, text, length + 1);
    return (int)length + 1;
}

// Win32 caps the output at 1024 characters.
int wsprintfA(LPSTR buffer, LPCSTR format, ...)
{
    if (!buffer || !format)
        return 0;
    va_list args;
    va_start(args, format);
    int length = vsnprintf(buffer, 1025, format, args);
    va_end(args);
    if (length < 0) {
        buffer[0] = 0;
        return 0;
    }
    return length > 1024 ? 1024 : length;
}

// Digits of value in the radix (2..36). A minus sign is written only for
// radix 10; other radixes show the two's-complement bits, as Win32 does.
static char* FormatInteger(unsigned long magnitude, bool negative, char* buffer, int radix)
{
    if (!buffer)
        return nullptr;
    if (radix < 2 || radix > 36) {
        buffer[0] = 0;
        return buffer;
    }
    char digits[72];
    int count = 0;
    do {
        int digit = (int)(magnitude % (unsigned long)radix);
        digits[count++] = (char)(digit < 10 ? '0' + digit : 'a' + digit - 10);
        magnitude /= (unsigned long)radix;
    } while (magnitude);
    char* out = buffer;
    if (negative)
        *out++ = '-';
    while (count > 0)
        *out++ = digits[--count];
    *out = 0;
    return buffer;
}

char* _itoa(int value, char* buffer, int radix)
{
    if (radix == 10 && value < 0)
        return FormatInteger((unsigned long)(-(long)value), true, buffer, radix);
    return FormatInteger((unsigned long)(unsigned int)value, false, buffer, radix);
}

// The linear congruential generator given as the example in the C standard:
// 15 bits per number.
static unsigned long randomState = 1;

int Win32Rand(void)
{
    randomState = randomState * 1103515245ul + 12345ul;
    return (int)((randomState / 65536ul) % 32768ul);
}

void Win32Srand(unsigned int seed)
{
    randomState = seed;
}

char* _ltoa(long value, char* buffer, int radix)
{
    if (radix == 10 && value < 0)
        return FormatInteger(0ul - (unsigned long)value, true, buffer, radix);
    return FormatInteger((unsigned long)value, false, buffer, radix);
}

int _stricmp(const char* a, const char* b)
{
    return strcasecmp(a, b);
}

int _strnicmp(const char* a, const char* b, size_t n)
{
    return strncasecmp(a, b, n);
}

// Answers given ahead by scripted runs, taken one per box.
static std::deque<int> scriptedAnswers;

void InjectMessageBoxAnswer(int answer)
{
    scriptedAnswers.push_back(answer);
}

std::string Win32Latin1ToUtf8(const char* text, int count)
{
    std::string out;
    if (!text)
        return out;
    if (count < 0)
        count = (int)strlen(text);
    for (int i = 0; i < count; i++) {
        unsigned char c = (unsigned char)text[i];
        if (c < 0x80) {
            out += (char)c;
        } else {
            out += (char)(0xC0 | (c >> 6));
            out += (char)(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// Texts of the program are Latin-1; the error output is read as UTF-8.
static void PrintLatin1(FILE* out, const char* text)
{
    fputs(Win32Latin1ToUtf8(text, -1).c_str(), out);
}

// Message boxes go to stderr; on a display they show in a box of their own
// and wait for the click. Headless the program runs on with the scripted
// answer, else with OK (or Yes).
int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT type)
{
    PrintLatin1(stderr, caption ? caption : "Message");
    fputs(": ", stderr);
    PrintLatin1(stderr, text ? text : "");
    fputc('\n', stderr);
    int answer = 0;
    if (!scriptedAnswers.empty()) {
        answer = scriptedAnswers.front();
        scriptedAnswers.pop_front();
        return answer;
    }
    if (DialogViewMessageBox(text, caption, type, &answer))
        return answer;
    if ((type & 0xF) == MB_YESNO)
        return IDYES;
    return IDOK;
}

void OutputDebugStringA(LPCSTR text)
{
    if (text)
        fputs(text, stderr);
}
