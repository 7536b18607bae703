#ifndef CPOINTVIRTUAL_H
#define CPOINTVIRTUAL_H

// A point in window fractions (0 at the left or top edge, 1 at the right or bottom).
struct CPOINTVirtual
{
    float x;
    float y;

    CPOINTVirtual() : x(0.0f), y(0.0f) {}
    CPOINTVirtual(float x_, float y_) : x(x_), y(y_) {}
};

#endif
