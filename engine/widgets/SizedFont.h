#ifndef SIZEDFONT_H
#define SIZEDFONT_H

#include <vector>

#include "Image.h"

// The font atlas redrawn for one cell size. Sampling the full-size atlas for
// small text skips whole glyph columns; these pictures average every atlas
// pixel into the one it falls in, so every stroke keeps its share of ink.
//
// glyphs: 16 x 16 cells of 'cell' pixels, white with the coverage as alpha.
// halo:   16 x 16 cells of 'cell' + 2 * 'pad' pixels, each the glyph cell
//         grown by 'pad' on every side: the glyph's coverage spread out by
//         'radius' pixels, for a light ring that lifts dark text off dark ground.
struct SizedFontPictures
{
    int cell;
    int pad;
    Image glyphs;
    Image halo;
};

// 'alpha' holds the atlas coverage, width x height bytes, top row first.
void MakeSizedFont(const std::vector<unsigned char>& alpha, int width, int height, int cell, float radius,
                   SizedFontPictures* out);

#endif
