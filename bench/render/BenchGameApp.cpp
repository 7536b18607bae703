#include "BenchGameApp.h"

#include "CZarulApplication.h"

#include "CGameController.h"
#include "CGameData.h"
#include "CGrid.h"
#include "CGridView.h"
#include "CLevelLoader.h"
#include "CStone.h"
#include "CStoneInfo.h"
#include "CAbstractFinishChecker.h"
#include "CShadowVolume.h"

#include <GL/gl.h>

namespace {

struct QuadVertex {
    float x, y, z, rhw;
    D3DCOLOR color;
};

const DWORD quadFormat = D3DFVF_XYZRHW | D3DFVF_DIFFUSE;

} // namespace

BenchGameApp::BenchGameApp() : GameTestApp(1024, 768), quadVB(nullptr) {}

HRESULT BenchGameApp::RestoreDeviceObjects()
{
    GameTestApp::RestoreDeviceObjects();

    // A cube map with a sky-like gradient on every face: what the slab
    // reflects costs the same whatever the picture.
    if (SUCCEEDED(device->CreateCubeTexture(256, 1, 0, D3DFMT_X8R8G8B8, D3DPOOL_MANAGED, &envCubeTexture))) {
        for (int face = 0; face < 6; face++) {
            D3DLOCKED_RECT locked;
            if (FAILED(envCubeTexture->LockRect((D3DCUBEMAP_FACES)face, 0, &locked, nullptr, 0)))
                continue;
            for (int y = 0; y < 256; y++) {
                DWORD* row = (DWORD*)((BYTE*)locked.pBits + y * locked.Pitch);
                for (int x = 0; x < 256; x++)
                    row[x] = D3DCOLOR_XRGB(40 + face * 30, 80 + y / 2, 160 + x / 4);
            }
            envCubeTexture->UnlockRect((D3DCUBEMAP_FACES)face, 0);
        }
        renderEffects |= R_EFFECT_ENVMAP;
    }

    int width = (int)backBufferDesc.Width;
    int height = (int)backBufferDesc.Height;
    if (SUCCEEDED(device->CreateVertexBuffer(4 * sizeof(QuadVertex), D3DUSAGE_WRITEONLY, quadFormat,
                                             D3DPOOL_MANAGED, &quadVB))) {
        BYTE* data = nullptr;
        quadVB->Lock(0, 0, &data, 0);
        QuadVertex corners[4] = {{0, (float)height, 0, 1, 0x7F000000},
                                 {0, 0, 0, 1, 0x7F000000},
                                 {(float)width, (float)height, 0, 1, 0x7F000000},
                                 {(float)width, 0, 0, 1, 0x7F000000}};
        memcpy(data, corners, sizeof(corners));
        quadVB->Unlock();
    }
    return S_OK;
}

HRESULT BenchGameApp::InvalidateDeviceObjects()
{
    if (device) {
        device->SetTexture(0, nullptr);
        device->SetTexture(1, nullptr);
        device->SetStreamSource(0, nullptr, 0);
    }
    if (envCubeTexture)
        envCubeTexture->Release();
    envCubeTexture = nullptr;
    if (quadVB)
        quadVB->Release();
    quadVB = nullptr;
    return GameTestApp::InvalidateDeviceObjects();
}

void BenchGameApp::RenderAfterScene()
{
    if (!controller || !controller->gridView || !(renderEffects & R_EFFECT_SHADOW))
        return;
    controller->gridView->RenderShadows();
    RenderShadowQuad();
}

// Darkens every pixel whose stencil count is 1 or more, as the game does.
void BenchGameApp::RenderShadowQuad()
{
    if (quadVB)
        CZarulApplication::DrawShadowQuad(device, quadVB);
}

bool BenchGameApp::StartLevel(int number)
{
    controller->StartGame();
    if (!controller->levelLoader || !controller->levelLoader->GetLevel(number))
        return false;
    controller->StartLevel(controller->levelLoader->GetLevel(number));
    if (!controller->gridView)
        return false;
    // Drops, the banner and the first bursts are over within a few seconds.
    StepUntil([this]() { return controller->pendingDrops <= 0; }, 20.0f);
    StepSeconds(4.0f);
    return controller->pendingDrops <= 0;
}

bool BenchGameApp::FillBoard()
{
    if (!controller->gameData || !controller->gridView)
        return false;
    delete controller->finishChecker;
    controller->finishChecker = nullptr;
    CGrid* grid = controller->gameData->board;
    grid->Clear();
    for (int z = 0; z < 15; z++)
        for (int y = 0; y < 6; y++)
            for (int x = 0; x < 6; x++)
                grid->PlaceStone(x, y, 1 + (x + 2 * y + 4 * z) % 7, 0.0f);
    StepSeconds(1.0f);
    return grid->stoneCount == 540;
}

int BenchGameApp::StoneCount()
{
    return controller->gameData ? controller->gameData->board->stoneCount : 0;
}

int BenchGameApp::DrawnStoneCount()
{
    if (!controller->gameData)
        return 0;
    CGrid* grid = controller->gameData->board;
    int drawn = 0;
    for (int i = 0; i < grid->stoneCount; i++) {
        CStoneInfo* info = grid->sortedStones[i];
        if (info && info->stone && info->stone->visible && (info->drawn || controller->pendingDrops > 0))
            drawn++;
    }
    return drawn;
}

void BenchGameApp::DrawFrame()
{
    Step(1);
    glFinish();
}

namespace {

std::vector<BYTE> ReadBuffer(IDirect3DVertexBuffer8* buffer)
{
    std::vector<BYTE> bytes(BoardRecord::BOX_VERTICES * BoardRecord::BOX_STRIDE);
    BYTE* data = nullptr;
    if (buffer && SUCCEEDED(buffer->Lock(0, 0, &data, D3DLOCK_READONLY))) {
        memcpy(bytes.data(), data, bytes.size());
        buffer->Unlock();
    }
    return bytes;
}

} // namespace

bool BenchGameApp::CaptureBoard(BoardRecord* record, bool everything)
{
    CGridView* view = controller->gridView;
    if (!controller->gameData || !view)
        return false;
    record->width = (int)backBufferDesc.Width;
    record->height = (int)backBufferDesc.Height;
    device->GetTransform(D3DTS_VIEW, &record->view);
    device->GetTransform(D3DTS_PROJECTION, &record->projection);
    device->GetLight(0, &record->light);
    record->material = material;
    device->GetRenderState(D3DRS_AMBIENT, &record->ambient);
    record->slabWorld = view->world;
    record->slab = ReadBuffer(view->vertexBuffer);

    // The same stones, in the same order, as the board view and its shadow
    // pass draw.
    CGrid* grid = controller->gameData->board;
    record->stones.clear();
    record->volumes.clear();
    for (int i = 0; i < grid->stoneCount; i++) {
        CStoneInfo* info = grid->sortedStones[i];
        if (!info || !info->stone)
            continue;
        CStone* stone = info->stone;
        if (everything || (stone->visible && (info->drawn || controller->pendingDrops > 0))) {
            BoardRecord::Stone drawn;
            drawn.world = stone->world;
            drawn.type = stone->type;
            drawn.box = ReadBuffer(stone->vertexBuffer);
            record->stones.push_back(drawn);
        }
        if ((everything || info->sideExposed) && stone->shadowVolume->count >= 3) {
            BoardRecord::Volume volume;
            volume.world = stone->world;
            const float* first = (const float*)stone->shadowVolume->vertices;
            volume.positions.assign(first, first + stone->shadowVolume->count / 3 * 9);
            record->volumes.push_back(volume);
        }
    }
    return true;
}
