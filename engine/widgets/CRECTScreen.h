#ifndef CRECTSCREEN_H
#define CRECTSCREEN_H

// A rectangle in back-buffer pixels, (0, 0) at the top left.
// Built all-zero; an all-zero rectangle is empty.
struct CRECTScreen
{
    int x;
    int y;
    int width;
    int height;

    CRECTScreen() : x(0), y(0), width(0), height(0) {}
    CRECTScreen(int x_, int y_, int width_, int height_)
        : x(x_), y(y_), width(width_), height(height_) {}

    // True when the pixel (px, py) lies inside; an empty rectangle holds nothing.
    bool Contains(int px, int py) const
    {
        return px >= x && py >= y && px < x + width && py < y + height;
    }
};

#endif
