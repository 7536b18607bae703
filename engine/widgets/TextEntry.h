#ifndef TEXTENTRY_H
#define TEXTENTRY_H

#include <string>

// Typing into a one-line text from DirectInput scan codes, with the German
// keyboard layout (umlauts and sharp s on their own keys, Y and Z swapped).

// Scan codes the entry reacts to beyond the character keys.
enum
{
    ENTRY_KEY_BACKSPACE = 0x0E,
    ENTRY_KEY_RETURN = 0x1C,
    ENTRY_KEY_LSHIFT = 0x2A,
    ENTRY_KEY_RSHIFT = 0x36,
    ENTRY_KEY_NUMPADENTER = 0x9C
};

enum TextEntryResult
{
    ENTRY_IGNORED,   // the key types nothing
    ENTRY_CHANGED,   // the text changed
    ENTRY_FINISHED   // Return: the entry is done
};

// The Latin-1 character of a key, or 0 when the key types none.
unsigned char ScanCodeToLatin1(int scanCode, bool shift);

// Applies one pressed key to a UTF-8 text of at most maxCharacters characters:
// a character key appends its character (when there is room), Backspace
// removes the last character, Return finishes. 'typed' is the Latin-1
// character the system made of the key press (0 when none); when it is a
// printable character it is taken, else the scan code is looked up.
TextEntryResult ApplyKeyToText(std::string& text, int scanCode, int typed, bool shift, size_t maxCharacters);

#endif
