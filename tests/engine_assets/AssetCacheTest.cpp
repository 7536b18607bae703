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

#include <unistd.h>

namespace {

std::string LogText()
{
    return CResourceManager::MessageLog()->GetCurrentText();
}

void ClearLog()
{
    CResourceManager::MessageLog()->SetCurrentText("");
}

// A file name of this process's own, so parallel test runs never share one.
std::string OwnName(const std::string& stem, const std::string& extension)
{
    return stem + "_" + std::to_string((long)getpid()) + extension;
}

FakeTexture* AsFake(IDirect3DTexture8* t)
{
    return static_cast<FakeTexture*>(t);
}

}

TEST(TextureCache, LoadsOnceWithMipChain)
{
    // 4 x 2: left half black and white columns, right half red.
    std::string path = BuildPath(OwnName("assets_test_tex", ".png"));
    ASSERT_TRUE(WritePng(path, 4, 2, { 0xFF000000, 0xFFFFFFFF, 0xFFFF0000, 0xFFFF0000,
                                       0xFF000000, 0xFFFFFFFF, 0xFFFF0000, 0x00FF0000 }));
    FakeDevice device;
    CTexMgr textures(&device);

    IDirect3DTexture8* t = textures.GetTexture(path);
    ASSERT_TRUE(t != nullptr);
    EXPECT_EQ(t, textures.GetTexture(path));
    EXPECT_EQ(1, device.counts.texturesMade);

    FakeTexture* fake = AsFake(t);
    ASSERT_EQ(3u, fake->chain.size());   // 4x2, 2x1, 1x1
    EXPECT_EQ(0xFFFFFFFFu, fake->chain[0].pixels[1]);
    EXPECT_EQ(0x00FF0000u, fake->chain[0].pixels[7]);
    EXPECT_EQ(0xFF808080u, fake->chain[1].pixels[0]);   // black and white averaged
    EXPECT_EQ(0xBFFF0000u, fake->chain[1].pixels[1]);   // alpha averaged too
    EXPECT_EQ(0xDFC04040u, fake->chain[2].pixels[0]);

    textures.ReleaseAllTextures();
    EXPECT_EQ(0, device.counts.liveTextures);
    EXPECT_EQ(0, textures.GetTextureCount());
    textures.GetTexture(path);
    EXPECT_EQ(2, device.counts.texturesMade);
    remove(path.c_str());
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

TEST(MeshCache, IndicesAreCachedAndBrokenFilesGiveEmptyMeshes)
{
    std::string good = BuildPath(OwnName("assets_test_tri", ".x"));
    std::string bad = BuildPath(OwnName("assets_test_bad", ".x"));
    const char tri[] = "xof 0302txt 0032\nMesh { 3; 0;0;0;, 0;1;0;, 1;0;0;; 1; 3; 0,1,2;; }\n";
    const char broken[] = "xof 0302txt 0032\nMesh { 3; 0;0;0;, 0;1;0;, 1;0;0;; 1; 3; 0,1,7;; }\n";
    ASSERT_TRUE(WriteFile(good, tri, sizeof(tri) - 1));
    ASSERT_TRUE(WriteFile(bad, broken, sizeof(broken) - 1));

    FakeDevice device;
    CXObjectLoader loader;
    loader.SetDevice(&device);

    int index = loader.GetXObjectIndex(good);
    EXPECT_EQ(index, loader.GetXObjectIndex(good));
    ASSERT_TRUE(loader.GetXObject(index) != nullptr);
    EXPECT_FALSE(loader.GetXObject(index)->IsEmpty());
    EXPECT_TRUE(loader.GetXObject(-1) == nullptr);
    EXPECT_TRUE(loader.GetXObject(99) == nullptr);

    ClearLog();
    int badIndex = loader.GetXObjectIndex(bad);
    EXPECT_NE(index, badIndex);
    EXPECT_NE(std::string::npos, LogText().find(OwnName("assets_test_bad", ".x")));
    EXPECT_TRUE(loader.GetXObject(badIndex)->IsEmpty());
    ClearLog();
    EXPECT_EQ(badIndex, loader.GetXObjectIndex(bad));
    EXPECT_EQ("", LogText());

    int missing = loader.GetXObjectIndex(BuildPath("assets_test_missing.x"));
    EXPECT_TRUE(loader.GetXObject(missing)->IsEmpty());
    loader.GetXObject(missing)->Render(&device);   // draws nothing
    EXPECT_TRUE(device.draws.empty());

    loader.GetXObject(index)->Render(&device);
    EXPECT_EQ(1, device.counts.liveBuffers);
    loader.DeleteAllObjects();
    EXPECT_EQ(0, loader.GetObjectCount());
    EXPECT_EQ(0, device.counts.liveBuffers);
    remove(good.c_str());
    remove(bad.c_str());
}
