// Writers for the picture formats the game reads: JPEG, uncompressed 32-bit DDS, 24-bit BMP
// and PNG (only for the contact sheet). Every writer takes a cairo ARGB32 surface, whose
// pixels are premultiplied; the files get straight (non-premultiplied) colour.
#pragma once

#include <cairo.h>
#include <string>

bool WriteJpeg(cairo_surface_t* surface, const std::string& path, int quality);
bool WriteDds(cairo_surface_t* surface, const std::string& path);
bool WriteBmp(cairo_surface_t* surface, const std::string& path);
bool WritePng(cairo_surface_t* surface, const std::string& path);

// Straight-alpha colour of one pixel of an ARGB32 surface.
struct Pixel {
    unsigned char r, g, b, a;
};
Pixel ReadPixel(cairo_surface_t* surface, int x, int y);
