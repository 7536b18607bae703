// CShadowVolume: the stencil shadow volume of one stone box: for every edge of
// the box's triangles that face the light, a quad drawn out away from the light,
// as a plain triangle list in the stone's object space. The two quads of an
// edge shared by two lit triangles have opposite winding and cancel in the
// stencil count, so what remains counts the silhouette.
#ifndef CSHADOWVOLUME_H
#define CSHADOWVOLUME_H

#include <d3d8.h>
#include <d3dx8.h>

class CShadowVolume
{
public:
    enum { MAX_VERTICES = 1024 };

    CShadowVolume();

    // Adds the edge (a, b), or removes it when the list holds it in either direction.
    static void AddEdge(WORD* edges, DWORD* count, WORD a, WORD b);
    // Appends the volume of a stone box; light is a position in the box's object
    // space, used as the direction towards the light.
    void BuildFromCube(IDirect3DVertexBuffer8* buffer, D3DXVECTOR3 light);
    void Render(IDirect3DDevice8* device);

    D3DXVECTOR3 vertices[MAX_VERTICES];
    DWORD count;
};

#endif
