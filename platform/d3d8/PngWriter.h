// Writing pictures as PNG files.
#ifndef ZARUL_PNGWRITER_H
#define ZARUL_PNGWRITER_H

#include <windows.h>

// Writes width x height B,G,R,A pixels, top row first, as an RGB PNG file.
bool WritePNG(const char* fileName, const BYTE* bgra, UINT width, UINT height);

#endif
