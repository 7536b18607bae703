// CStone: the 3D body of one stone, a textured box one cell wide and half a
// cell high. A board stone appears after a delay with a sound, falls into its
// cell after the stones below it burst, tells its record every frame whether
// it can be seen from the camera, throws a shadow volume, can be hit by the
// pointer's ray and bursts with a sound and, with particle effects on, sparkles
// and debris. The next-stone views make small ones without a record.
//
// The owner moves and draws a stone; it is never put in the object queue. The
// board deletes a board stone with its record.
#ifndef CSTONE_H
#define CSTONE_H

#include <string>

#include <d3d8.h>
#include <d3dx8.h>

#include "C3DRenderObject.h"
#include "IChangeListener.h"

class CGlobForceModifier;
class CGridView;
class CShadowVolume;
class CStoneInfo;
class CTimer;

class CStone : public C3DRenderObject, public IChangeListener
{
public:
    // The vertex of the stone boxes, the board's slab, the field tiles and the
    // burst shards: position, normal, diffuse colour, one texture pair.
    struct Vertex
    {
        D3DXVECTOR3 position;
        D3DXVECTOR3 normal;
        DWORD diffuse;
        float u, v;
    };
    static constexpr DWORD FVF = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX1;
    enum { BOX_VERTICES = 36 };

    // Writes the 36 vertices of a box spanning +-halfWidth in x and z and
    // +-halfHeight in y, two triangles a face. The texture repeats 'repeat'
    // times across the top and bottom and along each side, once up a side.
    static void WriteBox(Vertex* out, float halfWidth, float halfHeight, float repeat, DWORD diffuse);
    // Makes a write-only managed vertex buffer for the scene objects. Without
    // their geometry there is nothing to show: a buffer that cannot be made
    // (or no device) is logged, naming the owner class, and ends the program
    // with a failure code.
    static IDirect3DVertexBuffer8* CreateVertexBuffer(IDirect3DDevice8* device, UINT bytes, DWORD fvf,
                                                      const char* owner);

    // gravity 1 makes the stone's gravity modifier and starts with it attached.
    CStone(IDirect3DDevice8* device, D3DXVECTOR3 position, int type, float cellSize,
           CStoneInfo* info, CGridView* owner, int gravity);
    virtual ~CStone();

    virtual void Render();
    virtual void Move(float seconds);

    // Sound, and with particle effects on, sparkles and debris at the stone.
    void Explode();
    // Detaches the gravity modifier and attaches it again when on is 1.
    void SetGravity(int on);
    // 1 and the distance when the ray from rayStart towards rayDir hits the box.
    int HitTest(D3DXVECTOR3 rayStart, D3DXVECTOR3 rayDir, float* distance);
    // Rewrites the diffuse colour of every vertex.
    void SetColor(float r, float g, float b, float a);
    // Back to opaque white when the colour is not the material's.
    void ResetColor();
    // Sets the stones' vertex format on the device.
    void SetVertexFormat();
    // Shadows on when a board view exists and the shadow effect is switched on.
    void UpdateShadowFlag();

    // The appear timer fired: show the stone and play its sounds.
    virtual void stateChanged(CChangeEvent event);

    // Ties the stone to its appear timer so that a stone deleted before the
    // timer fires detaches itself and the timer never calls a freed stone.
    void SetAppearTimer(CTimer* timer);

    int gravity;            // the last value given to SetGravity
    int shadow;             // 1: throws a shadow
    int visible;            // 1: drawn at all
    CShadowVolume* shadowVolume;            // owned
    IDirect3DVertexBuffer8* vertexBuffer;   // the box, 36 vertices, owned
    D3DMATERIAL8 material;                  // of the type; for ResetColor
    std::string name;
    int type;               // stone type id
    float halfSize;         // cell size / 2
    CGlobForceModifier* gravityModifier;    // owned; null unless made with gravity 1
    CStoneInfo* info;       // board record; null for next-stone stones
    CGridView* owner;       // the view that made the stone; not read
    D3DXCOLOR color;        // current vertex colour

private:
    CStone(const CStone&) = delete;
    CStone& operator=(const CStone&) = delete;

    CTimer* appearTimer;    // pending appear timer, not owned; null once fired
};

#endif
