#ifndef C3DBILLBOARD_H
#define C3DBILLBOARD_H

#include <string>

#include "C3DRenderObject.h"

// A camera-facing quad that plays an animation from a sprite sheet once and then
// ends itself (sets its deletion mark). The sheet is a grid of frames, read left to
// right and top to bottom. Frames are added on top of the scene (black shows
// nothing), so sheets without alpha work.
class C3DBillboard : public C3DRenderObject {
public:
    // width, height: quad size in world units; frameCount frames of frameWidth x
    // frameHeight pixels each, in a grid of columns x rows on the sheet;
    // framesPerSecond the playing speed.
    C3DBillboard(IDirect3DDevice8* device, float width, float height, D3DXVECTOR3 position, int frameCount,
                 int frameWidth, int frameHeight, int columns, int rows, int framesPerSecond);
    virtual ~C3DBillboard();

    void SetTexture(const char* fileName);

    virtual void Render();
    // Advances the animation; marks the billboard for deletion after its last frame.
    virtual void Move(float seconds);

    // The frame shown now (0 .. frameCount - 1).
    int GetCurrentFrame() const;

    float width;
    float height;
    int frameCount;
    int frameWidth;
    int frameHeight;
    int columns;
    int rows;
    int framesPerSecond;
    float elapsed;           // seconds since the animation started
    std::string textureName;
};

#endif
