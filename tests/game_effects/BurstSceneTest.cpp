// Whole frames of a burst on the board: the sparkles and shards glow over the
// board with particle effects on, and leave no trace with them off. The burst
// frame is kept as effects_burst.png in the build folder.
#include <string>
#include <vector>

#include <unistd.h>

#include <gtest/gtest.h>

#include "CCamera.h"
#include "CGridView.h"
#include "CObjQueue.h"
#include "CResourceManager.h"
#include "CStone.h"
#include "CStoneTypes.h"
#include "EffectsTestSupport.h"
#include "HeadlessScene.h"
#include "TestFiles.h"
#include "TestGeometry.h"

namespace {

// A row of board stones, drawn the way the board view draws its stones.
class StoneRow : public C3DObject {
public:
    explicit StoneRow(IDirect3DDevice8* device) : C3DObject(device, D3DXVECTOR3(0, 0, 0)) {}
    ~StoneRow() override
    {
        for (CStone* stone : stones)
            delete stone;
    }
    void Render() override
    {
        for (CStone* stone : stones) {
            if (!stone)
                continue;
            stone->SetVertexFormat();
            CStoneTypes::ApplyTexture(device, stone->type);
            stone->Render();
        }
    }
    std::vector<CStone*> stones;
};

class BurstScene : public HeadlessScene {
public:
    BurstScene(bool burst, BYTE effects) : HeadlessScene("burst test", 320, 240, 0xFF000000), burst(burst), effects(effects) {}

    HRESULT InitDeviceObjects() override
    {
        renderEffects = effects;
        camera = new CCamera(D3DXVECTOR3(0, 16, -24), D3DXVECTOR3(0, -16, 24), device, D3DXVECTOR3(0, 1, 0));
        CObjQueue* queue = CResourceManager::GetObjectQueue();
        queue->AddObject(new CGridView(nullptr, device, 6), 2, 0);

        StoneRow* row = new StoneRow(device);
        const int types[6] = { STONE_BLUE, STONE_GREEN, STONE_RED, STONE_RED, STONE_YELLOW, STONE_BLUE };
        for (int i = 0; i < 6; i++)
            row->stones.push_back(new CStone(device, D3DXVECTOR3(-10.0f + 4.0f * i, 1.5f, -2.0f), types[i], 4.0f,
                                             nullptr, nullptr, 0));
        queue->AddObject(row, 2, 0);

        // The two red stones go, as the board removes a group: burst first, then deleted.
        srand(42);
        for (int i = 2; i <= 3; i++) {
            if (burst)
                row->stones[i]->Explode();
            delete row->stones[i];
            row->stones[i] = nullptr;
        }
        return S_OK;
    }

    HRESULT RestoreDeviceObjects() override
    {
        D3DXMATRIX projection;
        D3DXMatrixPerspectiveFovLH(&projection, D3DX_PI / 4, 320.0f / 240.0f, 1.0f, 1000.0f);
        device->SetTransform(D3DTS_PROJECTION, &projection);
        material = WhiteMaterial();
        device->SetMaterial(&material);
        D3DLIGHT8 light = WhiteLight(-0.4f, -0.8f, 0.4f);
        device->SetLight(0, &light);
        device->LightEnable(0, TRUE);
        device->SetRenderState(D3DRS_AMBIENT, 0xFF303030);
        device->SetRenderState(D3DRS_ZENABLE, TRUE);
        return S_OK;
    }

    bool burst;
    BYTE effects;
};

// A sixth of a second into the burst: sparks and shards close around the stones.
const int kFrames = 5;

Image RunScene(bool burst, BYTE effects, const std::string& png)
{
    Image picture;
    BurstScene scene(burst, effects);
    EXPECT_TRUE(scene.RunAndCapture(kFrames, png.c_str(), picture));
    return picture;
}

TEST(BurstScene, SparklesAndShardsGlowOnlyWithParticleEffectsOn)
{
    ASSERT_EQ(0, chdir(BuildPath("").c_str()));
    const BYTE fx = CD3DApplication::R_EFFECT_PARTICLES;
    std::string quiet = "effects_quiet_" + std::to_string(getpid()) + ".png";
    std::string off = "effects_off_" + std::to_string(getpid()) + ".png";

    Image board = RunScene(false, fx, quiet);
    Image burstOff = RunScene(true, 0, off);
    Image burstOn = RunScene(true, fx, "effects_burst.png");
    remove(BuildPath(quiet).c_str());
    remove(BuildPath(off).c_str());
    ASSERT_EQ(320, board.width);
    ASSERT_EQ(board.pixels.size(), burstOn.pixels.size());

    // Off: the burst leaves the frame exactly as if the stones had just gone.
    EXPECT_TRUE(board.pixels == burstOff.pixels);

    // On: glowing sparks and flashes over the board.
    EXPECT_GT(BrighterPixels(burstOn, board, 60), 100);
}

}
