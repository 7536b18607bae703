// CDebris: ten tumbling shards of a bursting stone. They are thrown up, fall
// under a strong gravity, bounce on the board's slab, and each ends in an
// explosion billboard when its life runs out. The debris marks itself for
// deletion one frame after its last shard has gone.
#ifndef CDEBRIS_H
#define CDEBRIS_H

#include <string>

#include "C3DRenderObject.h"

class CGlobForceModifier;
class CStoneInfo;

class CDebris : public C3DRenderObject
{
public:
    enum { SHARD_COUNT = 5, PIECE_COUNT = 10 };

    struct Piece
    {
        D3DXVECTOR3 position;
        D3DXVECTOR3 velocity;
        D3DXVECTOR3 spin;       // turn rates about the three axes
        float life;             // seconds left; the piece is gone once it is <= 0
        int shard;              // index of its shard buffer, 0-4
        float radius;           // bounding sphere of the shard
        D3DXVECTOR3 center;
    };

    // Only the record's type is read, here; the record may go right after.
    CDebris(IDirect3DDevice8* device, D3DXVECTOR3 position, float size, CStoneInfo* info);
    virtual ~CDebris();

    // Bounces the pieces on the board view's slab; always 0.
    virtual int CustomCollisionCheck(C3DObject* other);
    virtual void Render();
    virtual void Move(float seconds);

    IDirect3DVertexBuffer8* shards[SHARD_COUNT];    // owned
    std::string name;
    int type;                       // type id of the burst stone
    Piece pieces[PIECE_COUNT];
    CGlobForceModifier* gravity;    // applied to the pieces by Move; owned

private:
    CDebris(const CDebris&);
    CDebris& operator=(const CDebris&);
};

#endif
