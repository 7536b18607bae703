// D3DX helpers that draw through the Direct3D device: the cube
// environment-map renderer.
#ifndef D3DX8CORE_H
#define D3DX8CORE_H

#include <d3d8.h>

// Draws a scene into the six faces of a cube texture:
//   BeginCube(cube); for each face: Face(face), set the view, draw; End().
// BeginCube opens a scene and remembers the device's render target and
// depth surface; Face points the device at one face of the cube (with the
// renderer's own depth surface, cleared for the face) and a viewport over
// the whole face; End closes the scene and restores the saved target.
// The view and projection stay the caller's.
struct ID3DXRenderToEnvMap : public IUnknown {
    virtual HRESULT BeginCube(IDirect3DCubeTexture8 *cubeTexture) = 0;
    virtual HRESULT Face(D3DCUBEMAP_FACES face) = 0;
    virtual HRESULT End() = 0;
};

typedef ID3DXRenderToEnvMap *LPD3DXRenderToEnvMap;
typedef ID3DXRenderToEnvMap *LPD3DXRENDERTOENVMAP;

// Makes a renderer for cube faces of the given edge length. With
// depthStencil TRUE it owns a depth surface of depthStencilFormat.
// The format is that of the cube textures it will draw into.
HRESULT D3DXCreateRenderToEnvMap(IDirect3DDevice8 *device, UINT size, D3DFORMAT format, BOOL depthStencil,
                                 D3DFORMAT depthStencilFormat, ID3DXRenderToEnvMap **renderToEnvMap);

#endif
