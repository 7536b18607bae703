#include "EffectsTestSupport.h"

#include <unistd.h>

#include "CObjQueue.h"
#include "CResourceManager.h"
#include "CTexMgr.h"
#include "TestFiles.h"

void EffectsDeviceTest::SetUp()
{
    // The effects load their textures from media/ in the build folder.
    ASSERT_EQ(0, chdir(BuildPath("").c_str()));
    ASSERT_TRUE(headless.Open(kSize, kSize));
    device = headless.device;
    CResourceManager::GetTextures()->SetDevice(device);

    D3DXMATRIX view, projection;
    D3DXVECTOR3 eye(0.0f, 0.0f, -8.0f), at(0.0f, 0.0f, 0.0f), up(0.0f, 1.0f, 0.0f);
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    D3DXMatrixPerspectiveFovLH(&projection, D3DX_PI / 4, 1.0f, 1.0f, 100.0f);
    device->SetTransform(D3DTS_VIEW, &view);
    device->SetTransform(D3DTS_PROJECTION, &projection);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
}

void EffectsDeviceTest::TearDown()
{
    CObjQueue* queue = CResourceManager::GetObjectQueue();
    queue->ReleaseAllObjects(CObjQueue::RELEASE_EVERYTHING);
    queue->DeleteMarkedObjects();
    CResourceManager::GetTextures()->SetDevice(nullptr);
}

int BrighterPixels(const Image& on, const Image& off, int minGain, int* darker)
{
    int brighter = 0, dimmer = 0;
    for (size_t i = 0; i < on.pixels.size() && i < off.pixels.size(); i++) {
        DWORD now = on.pixels[i], was = off.pixels[i];
        bool noneDarker = Red(now) >= Red(was) && Green(now) >= Green(was) && Blue(now) >= Blue(was);
        int gain = (Red(now) - Red(was)) + (Green(now) - Green(was)) + (Blue(now) - Blue(was));
        dimmer += !noneDarker;
        brighter += noneDarker && gain > minGain;
    }
    if (darker)
        *darker = dimmer;
    return brighter;
}
