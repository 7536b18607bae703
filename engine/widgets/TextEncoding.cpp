#include "TextEncoding.h"

#include <cstdio>

// Length of the well-formed UTF-8 sequence at text[i], or 0 when the bytes
// there do not form one. The code point is stored in *codePoint.
static size_t Utf8SequenceAt(const std::string& text, size_t i, unsigned long* codePoint)
{
    unsigned char lead = (unsigned char)text[i];
    size_t length;
    unsigned long value;
    unsigned long smallest;

    if (lead < 0x80) {
        *codePoint = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1F;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0F;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07;
        smallest = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    for (size_t k = 1; k < length; k++) {
        unsigned char next = (unsigned char)text[i + k];
        if ((next & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (next & 0x3F);
    }
    // Overlong forms and values past Unicode are not well-formed.
    if (value < smallest || value > 0x10FFFF)
        return 0;
    *codePoint = value;
    return length;
}

std::string Utf8ToLatin1(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        unsigned long codePoint = 0;
        size_t length = Utf8SequenceAt(text, i, &codePoint);
        if (length == 0) {
            out += text[i];
            i++;
            continue;
        }
        out += codePoint <= 0xFF ? (char)codePoint : '?';
        i += length;
    }
    return out;
}

void AppendLatin1AsUtf8(std::string& text, unsigned char c)
{
    if (c < 0x80) {
        text += (char)c;
        return;
    }
    text += (char)(0xC0 | (c >> 6));
    text += (char)(0x80 | (c & 0x3F));
}

void EraseLastUtf8Character(std::string& text)
{
    if (text.empty())
        return;
    // Walk the text as the decoder does, so the last decoded character goes whole.
    size_t last = 0;
    size_t i = 0;
    while (i < text.size()) {
        unsigned long codePoint = 0;
        size_t length = Utf8SequenceAt(text, i, &codePoint);
        last = i;
        i += length ? length : 1;
    }
    text.erase(last);
}

size_t CountUtf8Characters(const std::string& text)
{
    size_t count = 0;
    size_t i = 0;
    while (i < text.size()) {
        unsigned long codePoint = 0;
        size_t length = Utf8SequenceAt(text, i, &codePoint);
        i += length ? length : 1;
        count++;
    }
    return count;
}

size_t Utf8CharacterLength(const std::string& text, size_t i)
{
    if (i >= text.size())
        return 0;
    unsigned long codePoint = 0;
    size_t length = Utf8SequenceAt(text, i, &codePoint);
    return length ? length : 1;
}

std::string Latin1ToUtf8(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); i++)
        AppendLatin1AsUtf8(out, (unsigned char)text[i]);
    return out;
}

std::string ToWellFormedUtf8(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        unsigned long codePoint = 0;
        size_t length = Utf8SequenceAt(text, i, &codePoint);
        if (length == 0) {
            AppendLatin1AsUtf8(out, (unsigned char)text[i]);
            i++;
            continue;
        }
        out.append(text, i, length);
        i += length;
    }
    return out;
}

std::string EscapeUnprintable(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        unsigned char c = (unsigned char)text[i];
        unsigned long codePoint = 0;
        size_t length = Utf8SequenceAt(text, i, &codePoint);
        // C0 and C1 controls and DEL print as nothing or move the cursor.
        bool control = codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0);
        if (length == 0 || control) {
            char escaped[8];
            snprintf(escaped, sizeof(escaped), "\\x%02x", c);
            out += escaped;
            i++;
            continue;
        }
        out.append(text, i, length);
        i += length;
    }
    return out;
}
