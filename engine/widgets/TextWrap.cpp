#include "TextWrap.h"

#include <sstream>

#include "TextEncoding.h"

static float WidthOf(const std::string& text, const GlyphWidths& widths)
{
    return TextAdvanceInCells(Utf8ToLatin1(text), widths);
}

// Moves the longest head of 'word' that fits (one character at least, so
// that every call makes progress) into a line of its own.
static std::string CutHead(std::string& word, float maxCells, const GlyphWidths& widths)
{
    size_t end = Utf8CharacterLength(word, 0);
    for (;;) {
        size_t next = end + Utf8CharacterLength(word, end);
        if (next == end || WidthOf(word.substr(0, next), widths) > maxCells)
            break;
        end = next;
    }
    std::string head = word.substr(0, end);
    word.erase(0, end);
    return head;
}

std::vector<std::string> WrapTextToWidth(const std::string& text, float maxCells, const GlyphWidths& widths)
{
    std::string spaced = text;
    for (size_t i = 0; i < spaced.size(); i++) {
        if (spaced[i] == '\n' || spaced[i] == '\r' || spaced[i] == '\t')
            spaced[i] = ' ';
    }
    std::vector<std::string> lines;
    std::istringstream words(spaced);
    std::string word;
    std::string line;
    while (words >> word) {
        std::string joined = line.empty() ? word : line + " " + word;
        if (WidthOf(joined, widths) <= maxCells) {
            line = joined;
            continue;
        }
        if (!line.empty())
            lines.push_back(line);
        while (!word.empty() && WidthOf(word, widths) > maxCells)
            lines.push_back(CutHead(word, maxCells, widths));
        line = word;
    }
    if (!line.empty())
        lines.push_back(line);
    return lines;
}
