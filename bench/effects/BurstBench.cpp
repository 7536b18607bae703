// A full 6 x 6 board, five layers high (180 stones), seen from the game's angle at
// 1024 x 768 offscreen. One benchmark draws it at rest; the other bursts 30 of its
// stones at once, as a chain of groups does, and times every frame of the two
// seconds after each burst: 30 sparkle showers and 30 sets of tumbling shards
// with their flashes, moved and drawn through the object queue.
#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <vector>

#include <benchmark/benchmark.h>

#include "C3DSparkles.h"
#include "CDebris.h"
#include "CGridView.h"
#include "CObjQueue.h"
#include "CResourceManager.h"
#include "CStone.h"
#include "CStoneInfo.h"
#include "CStoneTypes.h"
#include "CTexMgr.h"
#include "HeadlessDevice.h"
#include "TestFiles.h"

#include <GL/gl.h>

#include <unistd.h>

namespace {

const int kSide = 6;
const int kLayers = 5;
const int kBurstStones = 30;
const float kFrameSeconds = 1.0f / 60.0f;
const int kBurstFrames = 120;

class BoardScene {
public:
    BoardScene()
    {
        if (chdir(BuildPath("").c_str()) != 0 || !headless.Open(1024, 768))
            return;
        device = headless.device;
        CResourceManager::GetTextures()->SetDevice(device);
        srand(2024);

        board = new CGridView(nullptr, device, kSide);
        const int colours[6] = { STONE_BLUE, STONE_GREEN, STONE_RED, STONE_YELLOW, STONE_ORANGE, STONE_SPECIAL };
        for (int z = 0; z < kLayers; z++)
            for (int y = 0; y < kSide; y++)
                for (int x = 0; x < kSide; x++) {
                    Cell cell;
                    cell.info = new CStoneInfo(x, y, z, colours[(x + 2 * y + z) % 6], "stone");
                    // Every stone drawn: more than the game draws, where hidden ones are culled.
                    cell.info->drawn = 1;
                    cell.stone = new CStone(device, board->CellPosition(x, y, z), cell.info->type, board->cellSize,
                                            cell.info, board, 0);
                    cells.push_back(cell);
                }
        // Stones of one type one after another, as the board view draws them.
        std::stable_sort(cells.begin(), cells.end(),
                         [](const Cell& a, const Cell& b) { return a.info->type < b.info->type; });

        D3DXMATRIX view, projection;
        D3DXVECTOR3 eye(0.0f, 26.0f, -34.0f), at(0.0f, 0.0f, 0.0f), up(0.0f, 1.0f, 0.0f);
        D3DXMatrixLookAtLH(&view, &eye, &at, &up);
        D3DXMatrixPerspectiveFovLH(&projection, 0.3f * D3DX_PI, 1024.0f / 768.0f, 1.0f, 1000.0f);
        device->SetTransform(D3DTS_VIEW, &view);
        device->SetTransform(D3DTS_PROJECTION, &projection);
        D3DMATERIAL8 material;
        memset(&material, 0, sizeof(material));
        material.Diffuse = D3DXCOLOR(1, 1, 1, 1);
        material.Ambient = D3DXCOLOR(1, 1, 1, 1);
        device->SetMaterial(&material);
        D3DLIGHT8 light;
        memset(&light, 0, sizeof(light));
        light.Type = D3DLIGHT_DIRECTIONAL;
        light.Diffuse = D3DXCOLOR(1, 1, 1, 1);
        light.Direction = D3DXVECTOR3(-0.577f, -0.577f, 0.577f);
        device->SetLight(0, &light);
        device->LightEnable(0, TRUE);
        device->SetRenderState(D3DRS_AMBIENT, 0xFF303030);
        device->SetRenderState(D3DRS_ZENABLE, TRUE);
    }

    ~BoardScene()
    {
        ClearEffects();
        for (Cell& cell : cells) {
            delete cell.stone;
            delete cell.info;
        }
        delete board;
        CResourceManager::GetTextures()->SetDevice(nullptr);
    }

    bool Ready() const { return device != nullptr; }

    // 30 stones of the top two layers burst: sparkles and debris at each, and the
    // stones leave the board until the next burst.
    void Burst()
    {
        ClearEffects();
        CObjQueue* queue = CResourceManager::GetObjectQueue();
        int burst = 0;
        for (Cell& cell : cells) {
            cell.hidden = 0;
            if (burst < kBurstStones && cell.info->z >= kLayers - 2 && (cell.info->x + cell.info->y) % 6 != 0) {
                cell.hidden = 1;
                burst++;
                D3DXVECTOR3 centre = cell.stone->position;
                C3DSparkles* sparkles = new C3DSparkles(device, 35, 0.5f, centre);
                sparkles->ResetSystem();
                queue->AddObject(sparkles, 4, 0);
                queue->AddObject(new CDebris(device, centre, cell.stone->halfSize / 2.0f, cell.info), 2, 0);
            }
        }
    }

    void ClearEffects()
    {
        CObjQueue* queue = CResourceManager::GetObjectQueue();
        queue->ReleaseAllObjects(CObjQueue::RELEASE_EVERYTHING);
        queue->DeleteMarkedObjects();
        for (Cell& cell : cells)
            cell.hidden = 0;
    }

    void Frame()
    {
        CObjQueue* queue = CResourceManager::GetObjectQueue();
        queue->MoveAll(kFrameSeconds);
        device->Clear(0, NULL, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, 0xFF203040, 1.0f, 0);
        device->BeginScene();
        board->Render();
        int lastType = -1;
        for (Cell& cell : cells) {
            if (cell.hidden)
                continue;
            if (cell.info->type != lastType) {
                if (lastType == -1)
                    cell.stone->SetVertexFormat();
                CStoneTypes::ApplyTexture(device, cell.info->type);
                lastType = cell.info->type;
            }
            cell.stone->Render();
        }
        queue->RenderRange(INT_MIN, INT_MAX);
        device->EndScene();
        device->Present(NULL, NULL, NULL, NULL);
        glFinish();
    }

    struct Cell {
        CStoneInfo* info = nullptr;
        CStone* stone = nullptr;
        int hidden = 0;
    };

    HeadlessDevice headless;
    IDirect3DDevice8* device = nullptr;
    CGridView* board = nullptr;
    std::vector<Cell> cells;
};

BoardScene* Scene()
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    static BoardScene* scene = new BoardScene();
    return scene;
}

void BM_FullBoardAtRest(benchmark::State& state)
{
    BoardScene* scene = Scene();
    if (!scene->Ready()) {
        state.SkipWithError("no Direct3D device");
        return;
    }
    scene->ClearEffects();
    scene->Frame();
    for (auto _ : state)
        scene->Frame();
    state.counters["fps"] = benchmark::Counter((double)state.iterations(), benchmark::Counter::kIsRate);
}

void BM_FullBoardDuringBurstOf30Stones(benchmark::State& state)
{
    BoardScene* scene = Scene();
    if (!scene->Ready()) {
        state.SkipWithError("no Direct3D device");
        return;
    }
    int frame = kBurstFrames;
    double worst = 0.0;
    int bursts = 0;
    for (auto _ : state) {
        if (frame == kBurstFrames) {
            state.PauseTiming();
            scene->Burst();
            bursts++;
            frame = 0;
            state.ResumeTiming();
        }
        auto start = std::chrono::steady_clock::now();
        scene->Frame();
        double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        worst = std::max(worst, ms);
        frame++;
        if (bursts == 1 && frame == 20)
            scene->headless.SavePicture("effects_bench_burst.png");
    }
    state.counters["fps"] = benchmark::Counter((double)state.iterations(), benchmark::Counter::kIsRate);
    state.counters["worst_ms"] = worst;
    state.counters["bursts"] = bursts;
    scene->ClearEffects();
}

}

BENCHMARK(BM_FullBoardAtRest)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();
BENCHMARK(BM_FullBoardDuringBurstOf30Stones)->Unit(benchmark::kMillisecond)->MinTime(6.0)->UseRealTime();
