// Texture and mesh caches on a stand-in device: loading once, identity of cache hits,
// mip chains, the fallback texture with exactly one log line, and release.

#include "CMessageLog.h"
#include "CResourceManager.h"
#include "CTexMgr.h"
#include "CXMesh.h"
#include "CXObjectLoader.h"
#include "FakeDevice.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

std::string LogText()
{
    return CResourceManager::MessageLog()->GetCurrentText();
}

void ClearLog()
{
    CResourceManager::MessageLog()->SetCurrentText("");
}

FakeTexture* AsFake(IDirect3DTexture8* t)
{
    return static_cast<FakeTexture*>(t);
}

}

TEST(TextureCache, MissingAndBrokenFilesGiveFallbackAndOneLogLine)
{
    std::string broken = BuildPath("assets_test_broken.jpg");
    const char garbage[] = "\xFF\xD8\xFF\xE0 this is not really a JPEG";
    ASSERT_TRUE(WriteFile(broken, garbage, sizeof(garbage)));

    FakeDevice device;
    CTexMgr textures(&device);

    ClearLog();
    IDirect3DTexture8* missing = textures.GetTexture(BuildPath("assets_test_no_such_file.png"));
    ASSERT_TRUE(missing != nullptr);
    EXPECT_NE(std::string::npos, LogText().find("assets_test_no_such_file.png"));
    EXPECT_EQ(CTexMgr::FALLBACK_COLOR, AsFake(missing)->chain[0].pixels[0]);

    // Asked again every frame: no further line, same texture.
    ClearLog();
    EXPECT_EQ(missing, textures.GetTexture(BuildPath("assets_test_no_such_file.png")));
    EXPECT_EQ("", LogText());

    IDirect3DTexture8* damaged = textures.GetTexture(broken);
    EXPECT_EQ(missing, damaged);
    EXPECT_NE(std::string::npos, LogText().find("assets_test_broken.jpg"));

    // The default material is no file and no fault: the fallback, silently.
    ClearLog();
    EXPECT_EQ(missing, textures.GetTexture("DEFAULT_MATERIAL"));
    EXPECT_EQ("", LogText());

    // The shared fallback is released exactly once.
    textures.ReleaseAllTextures();
    EXPECT_EQ(0, device.counts.liveTextures);
    remove(broken.c_str());
}

TEST(TextureCache, NoDeviceFailingDeviceAndDeviceChangesNeverCrashOrLeak)
{
    CTexMgr noDevice;
    EXPECT_TRUE(noDevice.GetTexture("DEFAULT_MATERIAL") == nullptr);
    EXPECT_TRUE(noDevice.GetTexture("whatever.png") == nullptr);

    FakeDevice failing, first, second;
    failing.failTextures = true;
    CTexMgr textures(&failing);
    EXPECT_TRUE(textures.GetTexture("DEFAULT_MATERIAL") == nullptr);

    // A new device releases the textures made on the old one.
    textures.SetDevice(&first);
    textures.GetTexture("DEFAULT_MATERIAL");
    EXPECT_EQ(1, first.counts.liveTextures);
    textures.SetDevice(&second);
    EXPECT_EQ(0, first.counts.liveTextures);
    textures.GetTexture("DEFAULT_MATERIAL");
    EXPECT_EQ(1, second.counts.liveTextures);
    textures.SetDevice(nullptr);
    EXPECT_EQ(0, second.counts.liveTextures);
}
