#include "TextEntry.h"
#include "TextEncoding.h"

struct KeyChars
{
    int scanCode;
    unsigned char plain;
    unsigned char shifted;
};

// German layout, by physical key position.
static const KeyChars GERMAN_KEYS[] = {
    { 0x02, '1', '!' }, { 0x03, '2', '"' }, { 0x04, '3', 0xA7 }, { 0x05, '4', '$' },
    { 0x06, '5', '%' }, { 0x07, '6', '&' }, { 0x08, '7', '/' }, { 0x09, '8', '(' },
    { 0x0A, '9', ')' }, { 0x0B, '0', '=' }, { 0x0C, 0xDF, '?' },
    { 0x10, 'q', 'Q' }, { 0x11, 'w', 'W' }, { 0x12, 'e', 'E' }, { 0x13, 'r', 'R' },
    { 0x14, 't', 'T' }, { 0x15, 'z', 'Z' }, { 0x16, 'u', 'U' }, { 0x17, 'i', 'I' },
    { 0x18, 'o', 'O' }, { 0x19, 'p', 'P' }, { 0x1A, 0xFC, 0xDC }, { 0x1B, '+', '*' },
    { 0x1E, 'a', 'A' }, { 0x1F, 's', 'S' }, { 0x20, 'd', 'D' }, { 0x21, 'f', 'F' },
    { 0x22, 'g', 'G' }, { 0x23, 'h', 'H' }, { 0x24, 'j', 'J' }, { 0x25, 'k', 'K' },
    { 0x26, 'l', 'L' }, { 0x27, 0xF6, 0xD6 }, { 0x28, 0xE4, 0xC4 }, { 0x2B, '#', '\'' },
    { 0x2C, 'y', 'Y' }, { 0x2D, 'x', 'X' }, { 0x2E, 'c', 'C' }, { 0x2F, 'v', 'V' },
    { 0x30, 'b', 'B' }, { 0x31, 'n', 'N' }, { 0x32, 'm', 'M' }, { 0x33, ',', ';' },
    { 0x34, '.', ':' }, { 0x35, '-', '_' }, { 0x39, ' ', ' ' },
    { 0x47, '7', '7' }, { 0x48, '8', '8' }, { 0x49, '9', '9' }, { 0x4A, '-', '-' },
    { 0x4B, '4', '4' }, { 0x4C, '5', '5' }, { 0x4D, '6', '6' }, { 0x4E, '+', '+' },
    { 0x4F, '1', '1' }, { 0x50, '2', '2' }, { 0x51, '3', '3' }, { 0x52, '0', '0' },
    { 0x53, ',', ',' }, { 0x56, '<', '>' }
};

unsigned char ScanCodeToLatin1(int scanCode, bool shift)
{
    for (size_t i = 0; i < sizeof(GERMAN_KEYS) / sizeof(GERMAN_KEYS[0]); i++) {
        if (GERMAN_KEYS[i].scanCode == scanCode)
            return shift ? GERMAN_KEYS[i].shifted : GERMAN_KEYS[i].plain;
    }
    return 0;
}

// Latin-1 printable: not a C0 or C1 control, not DEL.
static bool IsPrintable(int c)
{
    return (c >= 0x20 && c < 0x7F) || (c >= 0xA0 && c <= 0xFF);
}

TextEntryResult ApplyKeyToText(std::string& text, int scanCode, int typed, bool shift, size_t maxCharacters)
{
    if (scanCode == ENTRY_KEY_RETURN || scanCode == ENTRY_KEY_NUMPADENTER)
        return ENTRY_FINISHED;
    if (scanCode == ENTRY_KEY_BACKSPACE) {
        if (text.empty())
            return ENTRY_IGNORED;
        EraseLastUtf8Character(text);
        return ENTRY_CHANGED;
    }
    unsigned char c = IsPrintable(typed) ? (unsigned char)typed : ScanCodeToLatin1(scanCode, shift);
    if (c == 0 || CountUtf8Characters(text) >= maxCharacters)
        return ENTRY_IGNORED;
    AppendLatin1AsUtf8(text, c);
    return ENTRY_CHANGED;
}
