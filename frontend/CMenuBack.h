// CMenuBack: one background layer of the main menu: the menu picture seen
// through a small window of its texture that drifts and turns, with a
// pulsing tint.
#ifndef CMENUBACK_H
#define CMENUBACK_H

#include "C3DIcon.h"

class CMenuBack : public C3DIcon {
public:
    explicit CMenuBack(IDirect3DDevice8* device);
    virtual ~CMenuBack();

    virtual void Move(float seconds);

    // One state of the animation: the four corners' texture coordinates (u, v)
    // and the packed colour for time t and speeds a, b.
    static void ComputeFrame(float t, float a, float b, float uv[4][2], DWORD* color);

    float t;   // animation time
    float a;   // speed of the drift's small circle, 1..2
    float b;   // speed of the tint's pulse, 1..3
};

#endif
