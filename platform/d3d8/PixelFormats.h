// Pixel formats of textures and surfaces: sizes, and conversion between a
// format's bytes and the B,G,R,A bytes OpenGL stores.
#ifndef ZARUL_PIXELFORMATS_H
#define ZARUL_PIXELFORMATS_H

#include <d3d8types.h>

// Bytes per pixel, or 0 for a format textures cannot hold here.
UINT PixelFormatBytes(D3DFORMAT format);

// True for the depth and stencil formats.
bool PixelFormatIsDepth(D3DFORMAT format);

// Converts count pixels of format to B,G,R,A bytes.
void PixelsToBGRA(D3DFORMAT format, const BYTE* source, BYTE* bgra, UINT count);

// Converts count B,G,R,A pixels back to format.
void PixelsFromBGRA(D3DFORMAT format, const BYTE* bgra, BYTE* destination, UINT count);

#endif
