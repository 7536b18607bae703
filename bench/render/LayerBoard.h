// LayerBoard: draws a recorded board frame through the Direct3D layer with the
// game's calls: a background picture, the slab with the reflection stage, the
// stones one texture per type, the shadow volumes and the darkening quad
// through the program's own shadow steps, and the overlay's panels and text
// with the state saving of the engine's widgets.
#ifndef ZARUL_LAYERBOARD_H
#define ZARUL_LAYERBOARD_H

#include "BoardRecord.h"
#include "HeadlessDevice.h"

#include "CShadowVolume.h"

#include <vector>

class LayerBoard {
public:
    explicit LayerBoard(const BoardRecord& record);
    ~LayerBoard();

    bool Ready() const { return ready; }
    // One frame, finished by the renderer before it returns.
    void DrawFrame();

    HeadlessDevice headless;

private:
    LayerBoard(const LayerBoard&);
    LayerBoard& operator=(const LayerBoard&);

    void DrawScreenQuads(const std::vector<BYTE>& vertices, IDirect3DBaseTexture8* texture, D3DPRIMITIVETYPE type,
                         UINT primitives);
    void DrawOverlay();

    const BoardRecord& record;
    IDirect3DDevice8* device = nullptr;
    IDirect3DTexture8* textures[REPLAY_TEXTURES] = {};
    IDirect3DCubeTexture8* cube = nullptr;
    IDirect3DVertexBuffer8* slab = nullptr;
    std::vector<IDirect3DVertexBuffer8*> stones;
    std::vector<CShadowVolume> volumes;
    IDirect3DVertexBuffer8* shadowQuad = nullptr;
    IDirect3DVertexBuffer8* background = nullptr;
    bool ready = false;
};

#endif
