// CExpl: the flash at the end of a debris piece, an animated billboard drawn
// unlit. It ends itself after its last frame.
#ifndef CEXPL_H
#define CEXPL_H

#include "C3DBillboard.h"

class CExpl : public C3DBillboard
{
public:
    // All arguments go to the billboard unchanged: quad size, position, frame
    // count, frame width and height, columns, rows, frames per second.
    CExpl(IDirect3DDevice8* device, float width, float height, D3DXVECTOR3 position, int frameCount,
          int frameWidth, int frameHeight, int columns, int rows, int framesPerSecond);
    virtual ~CExpl();

    virtual void Render();
};

#endif
