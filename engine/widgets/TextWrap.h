#ifndef TEXTWRAP_H
#define TEXTWRAP_H

#include <string>
#include <vector>

#include "GlyphMetrics.h"

// Breaks a UTF-8 text into lines no wider than maxCells (in glyph cells of the
// font whose widths are given): at spaces where it can, inside a word only
// when the word alone is too wide (long file names). Every character is kept
// but the spaces the lines break at; '\n' is taken as a space.
std::vector<std::string> WrapTextToWidth(const std::string& text, float maxCells, const GlyphWidths& widths);

#endif
