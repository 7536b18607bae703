#ifndef CRECTVIRTUAL_H
#define CRECTVIRTUAL_H

// A rectangle in window fractions: 0 is the left or top edge of the parent
// (the screen for a top-level window), 1 its right or bottom edge.
struct CRECTVirtual
{
    float x;
    float y;
    float width;
    float height;

    CRECTVirtual() : x(0.0f), y(0.0f), width(0.0f), height(0.0f) {}
    CRECTVirtual(float x_, float y_, float width_, float height_)
        : x(x_), y(y_), width(width_), height(height_) {}
};

#endif
