#include "CDebris.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "CExpl.h"
#include "CGlobForceModifier.h"
#include "CGridView.h"
#include "CObjQueue.h"
#include "CResourceManager.h"
#include "CStone.h"
#include "CStoneInfo.h"
#include "CStoneTypes.h"

namespace {

// The shards share the stones' vertex layout.
typedef CStone::Vertex ShardVertex;
const DWORD SHARD_FVF = CStone::FVF;

float Random01()
{
    return (float)(rand() / 32767.0);
}

// Uniform in [-size/2, size/2].
float RandomSpread(float size)
{
    return (float)(rand() / 32767.0 * size - size / 2.0);
}

}

CDebris::CDebris(IDirect3DDevice8* dev, D3DXVECTOR3 pos, float size, CStoneInfo* info)
    : C3DRenderObject(dev, pos, D3DXVECTOR3(0.0f, 0.0f, 0.0f), D3DXVECTOR3(0.0f, 0.0f, 0.0f)),
      type(info ? info->type : 0),
      gravity(new CGlobForceModifier(D3DXVECTOR3(0.0f, -10.0f, 0.0f), 25.0f))
{
    collisionCheck = 1;

    D3DMATERIAL8 material = CStoneTypes::GetMaterial(type);
    DWORD color = (DWORD)D3DXCOLOR(material.Diffuse);
    D3DXVECTOR3 centers[SHARD_COUNT];
    float radii[SHARD_COUNT];

    for (int i = 0; i < SHARD_COUNT; i++)
        shards[i] = nullptr;
    for (int i = 0; i < SHARD_COUNT; i++) {
        shards[i] = CStone::CreateVertexBuffer(device, 6 * sizeof(ShardVertex), SHARD_FVF, "CDebris");

        float a = RandomSpread(size);
        float b = RandomSpread(size);
        float c = RandomSpread(size);
        // As a triangle strip: four sides around a tip at (0, b, 0).
        const D3DXVECTOR3 corners[6] = {
            D3DXVECTOR3(-a, -b, -c), D3DXVECTOR3(a, -b, -c), D3DXVECTOR3(0.0f, b, 0.0f),
            D3DXVECTOR3(0.0f, -b, c), D3DXVECTOR3(-a, -b, -c), D3DXVECTOR3(a, -b, -c)
        };
        ShardVertex vertices[6];
        for (int k = 0; k < 6; k++) {
            ShardVertex& v = vertices[k];
            v.position = corners[k];
            // Normals pointing away from the shard's middle shade it roughly like a pebble.
            v.normal = D3DXVECTOR3(0.0f, 1.0f, 0.0f);
            if (D3DXVec3Length(&corners[k]) > 0.0f)
                D3DXVec3Normalize(&v.normal, &corners[k]);
            v.diffuse = color;
            v.u = Random01();
            v.v = Random01();
        }
        D3DXComputeBoundingSphere(vertices, 6, SHARD_FVF, &centers[i], &radii[i]);

        BYTE* data = nullptr;
        if (SUCCEEDED(shards[i]->Lock(0, 0, &data, 0)) && data) {
            memcpy(data, vertices, sizeof(vertices));
            shards[i]->Unlock();
        }
    }

    for (int i = 0; i < PIECE_COUNT; i++) {
        Piece& p = pieces[i];
        // 4 only for the largest value rand gives.
        p.shard = (int)(rand() / 32767.0 * 4.0);
        p.position = pos;
        p.spin.x = (float)(rand() / 32767.0 * 40.0 - 20.0);
        p.spin.y = (float)(rand() / 32767.0 * 40.0 - 20.0);
        p.spin.z = (float)(rand() / 32767.0 * 40.0 - 20.0);
        int r1 = rand();
        int r2 = rand();
        int r3 = rand();
        p.velocity = D3DXVECTOR3((float)(r3 / 32767.0 * 30.0 - 15.0), (float)(r2 / 32767.0 * 30.0),
                                 (float)(r1 / 32767.0 * 30.0 - 15.0));
        p.life = (float)(rand() / 32767.0 * 5.0);
        p.center = centers[p.shard];
        p.radius = radii[p.shard];
    }
}

CDebris::~CDebris()
{
    for (int i = 0; i < SHARD_COUNT; i++) {
        if (shards[i])
            shards[i]->Release();
    }
    delete gravity;
}

void CDebris::Move(float seconds)
{
    // The gravity modifier works on an engine object: a stand-in carries each
    // piece's velocity through it.
    C3DObject carrier(device, pieces[0].position);
    CModEvent event(&carrier);
    C3DRenderObject::Move(seconds);

    int alive = 0;
    for (int i = 0; i < PIECE_COUNT; i++) {
        Piece& p = pieces[i];
        if (!(p.life > 0.0f))
            continue;
        alive++;
        carrier.velocity = p.velocity;
        CModEvent step = event;
        step.SetSeconds(seconds);
        gravity->apply(step);
        p.velocity = carrier.velocity;
        p.position += p.velocity * seconds;
        p.velocity *= 0.999f;
        p.life -= seconds;
        if (p.life < 0.0f) {
            CExpl* flash = new CExpl(device, 1.0f, 1.0f, p.position, 36, 256, 256, 6, 6, 64);
            CResourceManager::GetObjectQueue()->AddObject(flash, 4, 0);
        }
    }

    // Gone one frame after the last piece, so that piece's flash is queued first.
    if (alive == 0)
        MarkForDeletion();
}

int CDebris::CustomCollisionCheck(C3DObject* other)
{
    // Stones are collidable too, but shards pass through them.
    CGridView* board = dynamic_cast<CGridView*>(other);
    if (!board)
        return 0;

    // The board view's world turns board coordinates by its yaw about the
    // vertical axis; the opposite turn brings a piece back into board
    // coordinates, where the slab is the square |x|, |z| < halfSize.
    D3DXMATRIX toBoard;
    D3DXMatrixRotationY(&toBoard, -board->yaw);
    for (int i = 0; i < PIECE_COUNT; i++) {
        Piece& p = pieces[i];
        if (!(p.life > 0.0f))
            continue;
        D3DXVECTOR3 world = p.position + p.center - board->position;
        D3DXVECTOR3 local;
        D3DXVec3TransformCoord(&local, &world, &toBoard);
        bool onSlab = fabsf(truncf(local.x)) < board->halfSize && fabsf(truncf(local.z)) < board->halfSize;
        // Only a piece on its way down bounces: one that is still inside the
        // slab after a bounce must climb out rather than be turned back down.
        if (local.y - p.radius < 0.0f && onSlab && p.velocity.y < 0.0f)
            p.velocity.y = -p.velocity.y;
    }
    return 0;
}

void CDebris::Render()
{
    if (!device)
        return;
    C3DRenderObject::Render();
    device->SetVertexShader(SHARD_FVF);
    CStoneTypes::ApplyTexture(device, type);
    for (int i = 0; i < PIECE_COUNT; i++) {
        const Piece& p = pieces[i];
        if (!(p.life > 0.0f))
            continue;
        D3DXMATRIX turn, translation, pieceWorld;
        D3DXMatrixRotationYawPitchRoll(&turn, p.spin.x * p.life, p.spin.y * p.life, p.spin.z * p.life);
        D3DXMatrixTranslation(&translation, p.position.x, p.position.y, p.position.z);
        D3DXMatrixMultiply(&pieceWorld, &turn, &translation);
        device->SetTransform(D3DTS_WORLD, &pieceWorld);
        device->SetStreamSource(0, shards[p.shard], sizeof(ShardVertex));
        device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 4);
    }
}
