#include "CStone.h"

#include <cstdlib>

#include "C3DSparkles.h"
#include "CD3DApplication.h"
#include "CDebris.h"
#include "CGameController.h"
#include "CGameData.h"
#include "CGlobForceModifier.h"
#include "CGrid.h"
#include "CGridView.h"
#include "CMessageLog.h"
#include "CObjQueue.h"
#include "CResourceManager.h"
#include "CShadowVolume.h"
#include "CSoundDev.h"
#include "CStoneInfo.h"
#include "CStoneTypes.h"
#include "CTimer.h"

namespace {

const int STONE_VERTICES = CStone::BOX_VERTICES;

// The box face by face: normal, then per vertex the corner signs in x, y, z
// and the texture coordinates, where R stands for the repeat count. The shadow
// builder relies on this order: twelve triangles of three consecutive
// vertices, each facing by its first normal.
struct BoxFace
{
    float nx, ny, nz;
    float corner[6][5];
};

const float R = -1.0f;      // no real coordinate is negative: marks the repeat count

const BoxFace boxFaces[6] = {
    { -1, 0, 0, { { -1, -1, -1, R, 1 }, { -1, -1, 1, 0, 1 }, { -1, 1, 1, 0, 0 }, { -1, 1, 1, 0, 0 }, { -1, 1, -1, R, 0 }, { -1, -1, -1, R, 1 } } },
    { 0, 1, 0, { { -1, 1, -1, 0, R }, { -1, 1, 1, 0, 0 }, { 1, 1, 1, R, 0 }, { 1, 1, 1, R, 0 }, { 1, 1, -1, R, R }, { -1, 1, -1, 0, R } } },
    { 1, 0, 0, { { 1, 1, -1, 0, 0 }, { 1, 1, 1, R, 0 }, { 1, -1, 1, R, 1 }, { 1, -1, 1, R, 1 }, { 1, -1, -1, 0, 1 }, { 1, 1, -1, 0, 0 } } },
    { 0, -1, 0, { { -1, -1, 1, 0, R }, { -1, -1, -1, 0, 0 }, { 1, -1, -1, R, 0 }, { 1, -1, -1, R, 0 }, { 1, -1, 1, R, R }, { -1, -1, 1, 0, R } } },
    { 0, 0, 1, { { -1, -1, 1, R, 1 }, { 1, -1, 1, 0, 1 }, { 1, 1, 1, 0, 0 }, { 1, 1, 1, 0, 0 }, { -1, 1, 1, R, 0 }, { -1, -1, 1, R, 1 } } },
    { 0, 0, -1, { { -1, -1, -1, 0, 1 }, { -1, 1, -1, 0, 0 }, { 1, 1, -1, R, 0 }, { 1, 1, -1, R, 0 }, { 1, -1, -1, R, 1 }, { -1, -1, -1, 0, 1 } } },
};

// The sun that throws the stones' shadows, far up, right and in front.
const D3DXVECTOR3 SHADOW_LIGHT(1000.0f, 1000.0f, -1000.0f);

void PlaySound(const char* name)
{
    CSoundDev* sound = CResourceManager::GetSoundDevice();
    sound->PlayIndex(sound->LoadSound(name, nullptr), 0, -1.0f, 1);
}

int EffectOn(int effect)
{
    return g_pD3DApp && (g_pD3DApp->renderEffects & effect) ? 1 : 0;
}

}

CStone::CStone(IDirect3DDevice8* device, D3DXVECTOR3 position, int type, float cellSize,
               CStoneInfo* info, CGridView* owner, int gravity)
    : C3DRenderObject(device, position, D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(0, 0, 0)),
      gravity(0), shadow(0), visible(1), shadowVolume(nullptr), vertexBuffer(nullptr),
      type(type), halfSize(cellSize / 2.0f), gravityModifier(nullptr), info(info), owner(owner),
      color(1.0f, 1.0f, 1.0f, 0.6f), appearTimer(nullptr)
{
    shadowVolume = new CShadowVolume();
    UpdateShadowFlag();
    material = CStoneTypes::GetMaterial(type);

    // A stone without a device has no body: the board model's own tests use
    // such stones for their bookkeeping alone.
    if (device) {
        vertexBuffer = CreateVertexBuffer(device, STONE_VERTICES * sizeof(Vertex), FVF, "CStone");
        BYTE* data = nullptr;
        if (SUCCEEDED(vertexBuffer->Lock(0, 0, &data, 0)) && data) {
            WriteBox((Vertex*)data, halfSize, halfSize * 0.5f, 1.0f, (DWORD)color);
            vertexBuffer->Unlock();
        }
    }

    if (gravity == 1)
        gravityModifier = new CGlobForceModifier(D3DXVECTOR3(0.0f, -1.0f, 0.0f), 9.81f);
    SetGravity(gravity);

    CResourceManager::GetObjectQueue()->AddCollidable(this);
}

CStone::~CStone()
{
    // A stone that goes before its appear timer fires must not be called by it.
    if (appearTimer && CResourceManager::GetObjectQueue()->Contains(appearTimer)) {
        CTimer* timer = dynamic_cast<CTimer*>((C3DObject*)appearTimer);
        if (timer)
            timer->RemoveChangeListener(this);
    }
    if (!markedForDeletion)
        CResourceManager::GetObjectQueue()->Remove(this);
    if (vertexBuffer)
        vertexBuffer->Release();
    delete shadowVolume;
    // The gravity modifier is the stone's alone; nothing else frees it.
    if (gravityModifier) {
        RemoveModifier(gravityModifier);
        delete gravityModifier;
    }
}

IDirect3DVertexBuffer8* CStone::CreateVertexBuffer(IDirect3DDevice8* device, UINT bytes, DWORD fvf,
                                                  const char* owner)
{
    IDirect3DVertexBuffer8* buffer = nullptr;
    if (!device || FAILED(device->CreateVertexBuffer(bytes, D3DUSAGE_WRITEONLY, fvf, D3DPOOL_MANAGED, &buffer)) ||
        !buffer) {
        std::string message = std::string(" Fehler beim Erzeugen des Vertexbuffers für ") + owner;
        CResourceManager::MessageLog()->Message(0, message.c_str());
        exit(EXIT_FAILURE);
    }
    return buffer;
}

void CStone::WriteBox(Vertex* out, float halfWidth, float halfHeight, float repeat, DWORD diffuse)
{
    for (int f = 0; f < 6; f++) {
        for (int i = 0; i < 6; i++) {
            const float* c = boxFaces[f].corner[i];
            Vertex& v = out[f * 6 + i];
            v.position = D3DXVECTOR3(c[0] * halfWidth, c[1] * halfHeight, c[2] * halfWidth);
            v.normal = D3DXVECTOR3(boxFaces[f].nx, boxFaces[f].ny, boxFaces[f].nz);
            v.diffuse = diffuse;
            v.u = c[3] == R ? repeat : c[3];
            v.v = c[4] == R ? repeat : c[4];
        }
    }
}

void CStone::Move(float seconds)
{
    C3DRenderObject::Move(seconds);

    CGameController* controller = CGameController::GetExistingInstance();
    CGrid* grid = controller && controller->gameData ? controller->gameData->board : nullptr;
    if (info && grid)
        info->sideExposed = grid->IsOpenTowardsCamera(info->x, info->y, info->z, 0.7853982f);
    shadowVolume->count = 0;
    if (info && grid)
        info->drawn = grid->IsVisibleTowardsCamera(info->x, info->y, info->z);

    if (shadow == 1 && visible == 1 && vertexBuffer) {
        D3DXMATRIX inverse;
        D3DXVECTOR3 light;
        D3DXMatrixInverse(&inverse, nullptr, &world);
        D3DXVec3TransformCoord(&light, &SHADOW_LIGHT, &inverse);
        shadowVolume->BuildFromCube(vertexBuffer, light);
    }

    // A falling stone stops once it has passed its cell's height.
    if (info && info->reposition == 1 && controller && controller->gridView) {
        D3DXVECTOR3 target = controller->gridView->CellToWorld(info);
        if (position.y < target.y) {
            position = target;
            SetGravity(0);
            info->reposition = 0;
            velocity = D3DXVECTOR3(0.0f, 0.0f, 0.0f);
            ComposeWorld();
        }
    }
}

void CStone::Render()
{
    // Hidden stones are culled only after every starting stone has dropped in.
    CGameController* controller = CGameController::GetExistingInstance();
    if (info && info->drawn == 0 && (!controller || controller->pendingDrops <= 0))
        return;
    if (visible == 0 || !vertexBuffer)
        return;
    C3DRenderObject::Render();
    device->SetStreamSource(0, vertexBuffer, sizeof(Vertex));
    device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 12);
}

void CStone::Explode()
{
    if (markedForDeletion)
        return;
    PlaySound("GAME_EXPLO");
    if (!EffectOn(CD3DApplication::R_EFFECT_PARTICLES) || !device)
        return;

    D3DXVECTOR3 origin(0.0f, 0.0f, 0.0f);
    D3DXVECTOR3 centre;
    D3DXVec3TransformCoord(&centre, &origin, &world);

    CObjQueue* queue = CResourceManager::GetObjectQueue();
    C3DSparkles* sparkles = new C3DSparkles(device, 35, 0.5f, centre);
    sparkles->ResetSystem();
    queue->AddObject(sparkles, 4, 0);
    queue->AddObject(new CDebris(device, centre, halfSize / 2.0f, info), 2, 0);
}

void CStone::SetGravity(int on)
{
    RemoveModifier(gravityModifier);
    if (on == 1)
        AddModifier(gravityModifier);
    gravity = on;
}

int CStone::HitTest(D3DXVECTOR3 rayStart, D3DXVECTOR3 rayDir, float* distance)
{
    BYTE* data = nullptr;
    if (!vertexBuffer || FAILED(vertexBuffer->Lock(0, 0, &data, 0)) || !data)
        return 0;

    D3DXVECTOR3 boxMin, boxMax;
    D3DXComputeBoundingBox(data, STONE_VERTICES, FVF, &boxMin, &boxMax);

    // The start is a point and the direction a direction: only the start takes
    // the translation into the stone's own space.
    D3DXMATRIX inverse;
    D3DXMatrixInverse(&inverse, nullptr, &world);
    D3DXVECTOR3 start, dir;
    D3DXVec3TransformCoord(&start, &rayStart, &inverse);
    D3DXVec3TransformNormal(&dir, &rayDir, &inverse);

    int hit = D3DXBoxBoundProbe(&boxMin, &boxMax, &start, &dir) ? 1 : 0;
    D3DXVECTOR3 toMax = boxMax - start;
    *distance = D3DXVec3Length(&toMax);

    vertexBuffer->Unlock();
    return hit;
}

void CStone::SetColor(float r, float g, float b, float a)
{
    color = D3DXCOLOR(r, g, b, a);
    BYTE* data = nullptr;
    if (!vertexBuffer || FAILED(vertexBuffer->Lock(0, 0, &data, 0)) || !data)
        return;
    DWORD diffuse = (DWORD)color;
    Vertex* v = (Vertex*)data;
    for (int i = 0; i < STONE_VERTICES; i++)
        v[i].diffuse = diffuse;
    vertexBuffer->Unlock();
}

void CStone::ResetColor()
{
    const D3DCOLORVALUE& d = material.Diffuse;
    if (color.r != d.r || color.g != d.g || color.b != d.b || color.a != d.a)
        SetColor(1.0f, 1.0f, 1.0f, 1.0f);
}

void CStone::SetVertexFormat()
{
    device->SetVertexShader(FVF);
}

void CStone::UpdateShadowFlag()
{
    CGameController* controller = CGameController::GetExistingInstance();
    shadow = controller && controller->gridView && EffectOn(CD3DApplication::R_EFFECT_SHADOW) ? 1 : 0;
}

void CStone::stateChanged(CChangeEvent event)
{
    if (event.GetSource() == appearTimer)
        appearTimer = nullptr;
    visible = 1;

    CGameController* controller = CGameController::GetExistingInstance();
    if (controller)
        controller->pendingDrops--;
    PlaySound("GAME_POP");
    if (controller && controller->pendingDrops < 1)
        PlaySound("GAME_LOADED");
}

void CStone::SetAppearTimer(CTimer* timer)
{
    appearTimer = timer;
}
