// The effects' device resources: the debris and the volume light free their
// vertex buffers with themselves, and a buffer that cannot be made ends the
// program with a failure code after the log line.
#include "CDebris.h"
#include "CVolumeLightEffect.h"

#include <cstdlib>

#include <gtest/gtest.h>

#include "CStoneInfo.h"
#include "CStoneTypes.h"
#include "FakeDevice.h"

namespace {

class NoBufferDevice : public FakeDevice {
public:
    HRESULT CreateVertexBuffer(UINT, DWORD, DWORD, D3DPOOL, IDirect3DVertexBuffer8** buffer) override
    {
        *buffer = nullptr;
        return E_OUTOFMEMORY;
    }
};

TEST(EffectResources, DebrisAndVolumeLightReleaseTheirBuffers)
{
    FakeDevice device;
    CStoneInfo info(0, 0, 0, STONE_GREEN, "green");
    {
        CDebris debris(&device, D3DXVECTOR3(0.0f, 0.0f, 0.0f), 1.0f, &info);
        CVolumeLightEffect light(&device, D3DXVECTOR3(0.0f, -2.0f, 0.0f), 4.0f);
        EXPECT_EQ(CDebris::SHARD_COUNT + 1, device.counts.liveBuffers);
    }
    EXPECT_EQ(0, device.counts.liveBuffers);
}

TEST(EffectResourcesDeathTest, AFailedBufferEndsTheProgramWithAFailureCode)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    NoBufferDevice device;
    CStoneInfo info(0, 0, 0, STONE_GREEN, "green");
    EXPECT_EXIT(CDebris(&device, D3DXVECTOR3(0.0f, 0.0f, 0.0f), 1.0f, &info), testing::ExitedWithCode(EXIT_FAILURE),
                "Vertexbuffers.*CDebris");
    EXPECT_EXIT(CVolumeLightEffect(&device, D3DXVECTOR3(0.0f, 0.0f, 0.0f), 4.0f),
                testing::ExitedWithCode(EXIT_FAILURE), "Vertexbuffers.*CVolumeLightEffect");
}

}
