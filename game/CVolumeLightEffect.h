// CVolumeLightEffect: a fan of 45 soft light rays rising from a goal stone on
// its target field, with a texture streaming up along them. The rays are built
// once at random; the board view moves the effect to each lit stone and draws
// it there.
#ifndef CVOLUMELIGHTEFFECT_H
#define CVOLUMELIGHTEFFECT_H

#include <string>

#include "C3DRenderObject.h"

class CVolumeLightEffect : public C3DRenderObject
{
public:
    enum { RAY_COUNT = 45, VERTEX_COUNT = 3 * RAY_COUNT };

    // size: width of the stone's footprint the rays start from.
    CVolumeLightEffect(IDirect3DDevice8* device, D3DXVECTOR3 position, float size);
    virtual ~CVolumeLightEffect();

    // Streams the texture up the rays by a quarter of its height a second.
    virtual void Move(float seconds);
    // Draws the rays additively; leaves the device state as it found it.
    virtual void Render();

    IDirect3DVertexBuffer8* vertexBuffer;   // owned
    std::string textureName;
    float time;             // seconds, summed
    DWORD stateBlock;       // saves and restores the device state around Render

private:
    CVolumeLightEffect(const CVolumeLightEffect&);
    CVolumeLightEffect& operator=(const CVolumeLightEffect&);
};

#endif
