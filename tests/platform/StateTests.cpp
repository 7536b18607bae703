// Device state and resources: defaults, state blocks, reference counts,
// locking textures and buffers, render-target read-back, Reset, and draws
// that would read past their data.
#include "RenderFixture.h"

#include "CD3D8Texture.h"

#include <string.h>
#include <vector>

TEST_F(RenderFixture, StateBlocksRestoreEverythingTheyCaptured)
{
    CreateDevice(16, 16);
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(D3D_OK, device->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture));
    D3DMATRIX world = TranslationMatrix(1, 2, 3);
    device->SetTransform(D3DTS_WORLD, &world);
    device->SetTexture(0, texture);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);

    DWORD token = 0;
    ASSERT_EQ(D3D_OK, device->CreateStateBlock(D3DSBT_ALL, &token));
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    device->SetTexture(0, nullptr);
    D3DMATRIX other = TranslationMatrix(9, 9, 9);
    device->SetTransform(D3DTS_WORLD, &other);
    // The block keeps the texture alive although nothing else holds it.
    EXPECT_EQ(1u, texture->Release());

    ASSERT_EQ(D3D_OK, device->ApplyStateBlock(token));
    DWORD value = 0;
    device->GetRenderState(D3DRS_CULLMODE, &value);
    EXPECT_EQ((DWORD)D3DCULL_NONE, value);
    device->GetRenderState(D3DRS_ZWRITEENABLE, &value);
    EXPECT_EQ((DWORD)TRUE, value);
    D3DMATRIX restored;
    device->GetTransform(D3DTS_WORLD, &restored);
    EXPECT_EQ(2.0f, restored._42);
    IDirect3DBaseTexture8* bound = nullptr;
    device->GetTexture(0, &bound);
    EXPECT_EQ((IDirect3DBaseTexture8*)texture, bound);
    bound->Release();

    // Capturing takes the current state into the block.
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    ASSERT_EQ(D3D_OK, device->CaptureStateBlock(token));
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    device->ApplyStateBlock(token);
    device->GetRenderState(D3DRS_CULLMODE, &value);
    EXPECT_EQ((DWORD)D3DCULL_CW, value);

    ASSERT_EQ(D3D_OK, device->DeleteStateBlock(token));
    EXPECT_EQ(D3DERR_INVALIDCALL, device->ApplyStateBlock(token));
    device->SetTexture(0, nullptr);
}

// A level filled once keeps no copy in memory; locked again, it comes back
// from OpenGL with every bit the format stores.
TEST_F(RenderFixture, FilledTexturesKeepNoCopyAndReadBackEveryStoredBit)
{
    CreateDevice(16, 16);
    const D3DFORMAT formats[] = { D3DFMT_A8R8G8B8, D3DFMT_R8G8B8, D3DFMT_R5G6B5, D3DFMT_A1R5G5B5,
                                  D3DFMT_A4R4G4B4, D3DFMT_A8L8, D3DFMT_A8, D3DFMT_L8, D3DFMT_A4L4 };
    for (D3DFORMAT format : formats) {
        SCOPED_TRACE(format);
        IDirect3DTexture8* texture = nullptr;
        ASSERT_EQ(D3D_OK, device->CreateTexture(8, 4, 1, 0, format, D3DPOOL_MANAGED, &texture));
        CTextureStorage* storage = static_cast<CD3D8Texture*>(texture)->GetStorage();
        D3DLOCKED_RECT locked;
        ASSERT_EQ(D3D_OK, texture->LockRect(0, &locked, nullptr, 0));
        std::vector<BYTE> written(locked.Pitch * 4);
        for (size_t i = 0; i < written.size(); i++)
            written[i] = (BYTE)(i * 37 + 11);
        memcpy(locked.pBits, written.data(), written.size());
        texture->UnlockRect(0);
        EXPECT_EQ(0u, storage->GetMemoryBytes());

        ASSERT_EQ(D3D_OK, texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY));
        EXPECT_EQ(0, memcmp(written.data(), locked.pBits, written.size()));
        texture->UnlockRect(0);
        EXPECT_NE(0u, storage->GetMemoryBytes()) << "locked twice: kept";
        texture->Release();
    }
}

// Filled in bands of rows, a level keeps no copy, reads back whole, and is
// opaque once every row has been written opaque.
TEST_F(RenderFixture, TexturesFilledInBandsKnowWhenTheyAreOpaque)
{
    CreateDevice(16, 16);
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(D3D_OK, device->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture));
    CTextureStorage* storage = static_cast<CD3D8Texture*>(texture)->GetStorage();
    EXPECT_FALSE(storage->IsOpaque()) << "starts transparent black";
    D3DLOCKED_RECT locked;
    for (LONG top = 0; top < 4; top += 2) {
        RECT band = {0, top, 4, top + 2};
        ASSERT_EQ(D3D_OK, texture->LockRect(0, &locked, &band, 0));
        for (int y = 0; y < 2; y++)
            for (int x = 0; x < 4; x++)
                ((DWORD*)((BYTE*)locked.pBits + y * locked.Pitch))[x] = 0xFF000000u | (DWORD)((top + y) * 4 + x);
        texture->UnlockRect(0);
        EXPECT_EQ(top == 2, storage->IsOpaque());
    }
    EXPECT_EQ(0u, storage->GetMemoryBytes());
    ASSERT_EQ(D3D_OK, texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY));
    for (int i = 0; i < 16; i++)
        EXPECT_EQ(0xFF000000u | (DWORD)i, ((DWORD*)((BYTE*)locked.pBits + (i / 4) * locked.Pitch))[i % 4]);
    texture->UnlockRect(0);

    RECT pixel = {1, 1, 2, 2};
    ASSERT_EQ(D3D_OK, texture->LockRect(0, &locked, &pixel, 0));
    *(DWORD*)locked.pBits = 0x80FFFFFF;
    texture->UnlockRect(0);
    EXPECT_FALSE(storage->IsOpaque());
    texture->Release();
}

TEST_F(RenderFixture, DrawingIntoATextureCanBeReadBackByLocking)
{
    CreateDevice(16, 16);
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(D3D_OK, device->CreateTexture(8, 8, 1, D3DUSAGE_RENDERTARGET, D3DFMT_X8R8G8B8, D3DPOOL_DEFAULT,
                                            &texture));
    IDirect3DSurface8* surface = nullptr;
    texture->GetSurfaceLevel(0, &surface);
    IDirect3DSurface8* backBuffer = nullptr;
    IDirect3DSurface8* depth = nullptr;
    device->GetRenderTarget(&backBuffer);
    device->GetDepthStencilSurface(&depth);

    ASSERT_EQ(D3D_OK, device->SetRenderTarget(surface, nullptr));
    IDirect3DSurface8* current = nullptr;
    device->GetRenderTarget(&current);
    EXPECT_EQ(surface, current);
    current->Release();
    D3DVIEWPORT8 viewport;
    device->GetViewport(&viewport);
    EXPECT_EQ(8u, viewport.Width) << "the viewport follows the new target";
    EXPECT_EQ(D3DERR_NOTFOUND, device->GetDepthStencilSurface(&current));

    device->Clear(0, nullptr, D3DCLEAR_TARGET, D3DCOLOR_XRGB(0, 0, 255), 1.0f, 0);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    DrawScreenQuad(0, 0, 8, 2, 0, D3DCOLOR_XRGB(255, 0, 0));
    D3DLOCKED_RECT locked;
    ASSERT_EQ(D3D_OK, texture->LockRect(0, &locked, nullptr, D3DLOCK_READONLY));
    EXPECT_EQ(0x00FF0000u, ((DWORD*)locked.pBits)[0] & 0xFFFFFF) << "row 0 is the top of the picture";
    EXPECT_EQ(0x000000FFu, ((DWORD*)((BYTE*)locked.pBits + 7 * locked.Pitch))[0] & 0xFFFFFF);
    texture->UnlockRect(0);

    ASSERT_EQ(D3D_OK, device->SetRenderTarget(backBuffer, depth));
    EXPECT_EQ(D3DERR_INVALIDCALL, device->SetRenderTarget(depth, nullptr)) << "a depth buffer is no colour target";
    backBuffer->Release();
    depth->Release();
    surface->Release();
    texture->Release();
}
