#ifndef WINDOWLAYOUT_H
#define WINDOWLAYOUT_H

#include "CRECTVirtual.h"
#include "CRECTScreen.h"

// Window rectangles are kept in fractions of the parent; drawing and hit
// testing need them in back-buffer pixels. A pixel rectangle stays in floats
// along the parent chain so nested fractions do not pile up rounding.
struct PixelRect
{
    float x;
    float y;
    float width;
    float height;
};

// The rectangle 'child', given in fractions of 'parent', in pixels. A quadratic
// window keeps its top-left corner and shrinks its longer side to the shorter.
PixelRect ChildPixelRect(const PixelRect& parent, const CRECTVirtual& child, bool quadratic);

// Rounds the corners to whole pixels, so touching rectangles stay touching.
CRECTScreen RoundPixelRect(const PixelRect& rect);

// True when the point (px, py) lies inside; the right and bottom edges are outside.
bool PixelRectContains(const PixelRect& rect, float px, float py);

// The rectangle grown, where it is smaller, to at least the given width and
// height about its own centre.
PixelRect GrowPixelRect(const PixelRect& rect, float minWidth, float minHeight);

// The straight blend from 'from' to 'to'; t = 0 gives 'from', t = 1 gives 'to'.
CRECTVirtual BlendRect(const CRECTVirtual& from, const CRECTVirtual& to, float t);

#endif
