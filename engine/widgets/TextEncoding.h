#ifndef TEXTENCODING_H
#define TEXTENCODING_H

#include <string>

// Our texts are UTF-8; the bitmap font has one cell per Latin-1 code.
// These helpers move between the two.

// Decodes UTF-8 to Latin-1 codes. Characters beyond Latin-1 become '?'.
// A byte that does not start a well-formed UTF-8 sequence is taken as a
// Latin-1 code of its own, so texts that already are Latin-1 pass unchanged.
std::string Utf8ToLatin1(const std::string& text);

// Appends the Latin-1 code c to a UTF-8 text.
void AppendLatin1AsUtf8(std::string& text, unsigned char c);

// Removes the last character (all bytes of its UTF-8 sequence); nothing on an empty text.
void EraseLastUtf8Character(std::string& text);

// The number of characters of a UTF-8 text, counted as Utf8ToLatin1 would decode them.
size_t CountUtf8Characters(const std::string& text);

// The byte length of the character at text[i] as the decoder takes it: its
// UTF-8 sequence, or 1 for a byte that starts none; 0 at or past the end.
size_t Utf8CharacterLength(const std::string& text, size_t i);

// Encodes a Latin-1 text (as the dialogs give it) as UTF-8.
std::string Latin1ToUtf8(const std::string& text);

// Makes a text read from a file well-formed UTF-8: sequences that are UTF-8
// stay, every other byte is taken as a Latin-1 code. So files written in
// either encoding read the same.
std::string ToWellFormedUtf8(const std::string& text);

// The text with each control byte and each byte outside a well-formed UTF-8
// sequence written as \xNN, so a line of it prints as one line of readable text.
std::string EscapeUnprintable(const std::string& text);

#endif
