// Device state and resources: defaults, state blocks, reference counts,
// locking textures and buffers, render-target read-back, Reset, and draws
// that would read past their data.
#include "RenderFixture.h"

#include "CD3D8Texture.h"

#include <string.h>
#include <vector>

TEST_F(RenderFixture, StatesStartAtTheirDirect3DDefaultsAndCallsAreChecked)
{
    CreateDevice(16, 16);
    // Stage -1 names a render state, else a texture stage state of that stage.
    const struct {
        int stage;
        DWORD type, value;
    } defaults[] = {
        {-1, D3DRS_CULLMODE, D3DCULL_CCW},      {-1, D3DRS_ZENABLE, D3DZB_TRUE},   // with an automatic depth buffer
        {-1, D3DRS_LIGHTING, TRUE},             {-1, D3DRS_COLORVERTEX, TRUE},
        {-1, D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1},
        {0, D3DTSS_COLOROP, D3DTOP_MODULATE},   {1, D3DTSS_COLOROP, D3DTOP_DISABLE},
        {1, D3DTSS_TEXCOORDINDEX, 1},           {0, D3DTSS_ADDRESSU, D3DTADDRESS_WRAP},
    };
    for (const auto& d : defaults) {
        DWORD value = 12345;
        if (d.stage < 0)
            device->GetRenderState((D3DRENDERSTATETYPE)d.type, &value);
        else
            device->GetTextureStageState(d.stage, (D3DTEXTURESTAGESTATETYPE)d.type, &value);
        EXPECT_EQ(d.value, value) << "stage " << d.stage << " state " << d.type;
    }
    D3DVIEWPORT8 viewport;
    device->GetViewport(&viewport);
    EXPECT_EQ(16u, viewport.Width);
    EXPECT_EQ(1.0f, viewport.MaxZ);
    EXPECT_EQ(D3DERR_INVALIDCALL, device->SetRenderState((D3DRENDERSTATETYPE)100000, 1));
    EXPECT_EQ(D3DERR_INVALIDCALL, device->SetTextureStageState(8, D3DTSS_COLOROP, 1));

    // Scene brackets pair up.
    EXPECT_EQ(D3DERR_INVALIDCALL, device->EndScene());
    EXPECT_EQ(D3D_OK, device->BeginScene());
    EXPECT_EQ(D3DERR_INVALIDCALL, device->BeginScene());
    EXPECT_EQ(D3D_OK, device->EndScene());

    // MultiplyTransform puts the given matrix first: (x * 2) then + 1, the move not scaled.
    D3DMATRIX scale = IdentityMatrix();
    scale._11 = 2.0f;
    D3DMATRIX move = TranslationMatrix(1, 0, 0);
    device->SetTransform(D3DTS_VIEW, &move);
    device->MultiplyTransform(D3DTS_VIEW, &scale);
    D3DMATRIX result;
    device->GetTransform(D3DTS_VIEW, &result);
    EXPECT_EQ(2.0f, result._11);
    EXPECT_EQ(1.0f, result._41);
    EXPECT_EQ(D3DERR_INVALIDCALL, device->SetTransform((D3DTRANSFORMSTATETYPE)99, &move));
}

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

TEST_F(RenderFixture, TextureLevelsLockForReadingAndWriting)
{
    CreateDevice(16, 16);
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(D3D_OK, device->CreateTexture(64, 16, 0, 0, D3DFMT_R5G6B5, D3DPOOL_MANAGED, &texture));
    EXPECT_EQ(7u, texture->GetLevelCount()) << "64 x 16 down to 1 x 1";
    D3DSURFACE_DESC desc;
    ASSERT_EQ(D3D_OK, texture->GetLevelDesc(2, &desc));
    EXPECT_EQ(16u, desc.Width);
    EXPECT_EQ(4u, desc.Height);
    EXPECT_EQ(D3DFMT_R5G6B5, desc.Format);
    EXPECT_EQ(D3DERR_INVALIDCALL, texture->GetLevelDesc(7, &desc));

    D3DLOCKED_RECT locked;
    ASSERT_EQ(D3D_OK, texture->LockRect(1, &locked, nullptr, 0));
    EXPECT_EQ(64, locked.Pitch);
    EXPECT_EQ(D3DERR_INVALIDCALL, texture->LockRect(1, &locked, nullptr, 0)) << "already locked";
    ((WORD*)locked.pBits)[5] = 0xF800;
    ASSERT_EQ(D3D_OK, texture->UnlockRect(1));
    EXPECT_EQ(D3DERR_INVALIDCALL, texture->UnlockRect(1)) << "not locked";

    RECT part = {4, 2, 8, 4};
    ASSERT_EQ(D3D_OK, texture->LockRect(1, &locked, &part, D3DLOCK_READONLY));
    texture->UnlockRect(1);
    ASSERT_EQ(D3D_OK, texture->LockRect(1, &locked, nullptr, D3DLOCK_READONLY));
    EXPECT_EQ(0xF800, ((WORD*)locked.pBits)[5]);
    texture->UnlockRect(1);
    RECT outside = {30, 0, 40, 4};
    EXPECT_EQ(D3DERR_INVALIDCALL, texture->LockRect(1, &locked, &outside, 0));
    EXPECT_EQ(D3DERR_INVALIDCALL, texture->LockRect(9, &locked, nullptr, 0));

    // A level surface shares the texture's reference count.
    IDirect3DSurface8* level = nullptr;
    ASSERT_EQ(D3D_OK, texture->GetSurfaceLevel(0, &level));
    EXPECT_EQ(3u, texture->AddRef());
    texture->Release();
    level->Release();
    EXPECT_EQ(0u, texture->Release());

    IDirect3DTexture8* broken = nullptr;
    EXPECT_EQ(D3DERR_INVALIDCALL, device->CreateTexture(0, 16, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &broken));
    EXPECT_EQ(D3DERR_INVALIDCALL, device->CreateTexture(16, 16, 1, 0, D3DFMT_DXT1, D3DPOOL_MANAGED, &broken));
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

TEST_F(RenderFixture, BuffersLockInsideTheirBoundsAndDrawsStayInside)
{
    CreateDevice(16, 16);
    IDirect3DVertexBuffer8* buffer = nullptr;
    IDirect3DIndexBuffer8* indices = nullptr;
    ASSERT_EQ(D3D_OK, device->CreateVertexBuffer(4 * sizeof(ScreenVertex), D3DUSAGE_WRITEONLY, FVF_SCREEN,
                                                 D3DPOOL_MANAGED, &buffer));
    ASSERT_EQ(D3D_OK, device->CreateIndexBuffer(6 * sizeof(WORD), 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &indices));
    BYTE* data = nullptr;
    EXPECT_EQ(D3DERR_INVALIDCALL, buffer->Lock(0, 200, &data, 0));
    EXPECT_EQ(nullptr, data);
    ASSERT_EQ(D3D_OK, buffer->Lock(0, 0, &data, 0));
    ScreenVertex quad[4] = {
        {0, 0, 0, 1, 0xFF00FF00}, {16, 0, 0, 1, 0xFF00FF00}, {0, 16, 0, 1, 0xFF00FF00}, {16, 16, 0, 1, 0xFF00FF00},
    };
    memcpy(data, quad, sizeof(quad));
    buffer->Unlock();
    ASSERT_EQ(D3D_OK, indices->Lock(0, 0, &data, 0));
    WORD order[6] = {0, 1, 2, 2, 1, 3};
    memcpy(data, order, sizeof(order));
    indices->Unlock();

    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetVertexShader(FVF_SCREEN);
    EXPECT_EQ(D3DERR_INVALIDCALL, device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2)) << "no stream set";
    device->SetStreamSource(0, buffer, sizeof(ScreenVertex));
    ASSERT_EQ(D3D_OK, device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2));
    EXPECT_EQ(0x00FF00u, Pixel(8, 8));
    EXPECT_EQ(D3DERR_INVALIDCALL, device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 1, 2)) << "would read a fifth vertex";
    EXPECT_EQ(D3DERR_INVALIDCALL, device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2));

    device->SetIndices(indices, 0);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0);
    ASSERT_EQ(D3D_OK, device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 4, 0, 2));
    EXPECT_EQ(0x00FF00u, Pixel(12, 12));
    device->SetIndices(indices, 1);
    EXPECT_EQ(D3DERR_INVALIDCALL, device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 4, 0, 2))
        << "index 3 from base 1 is past the buffer";
    device->SetIndices(nullptr, 0);
    indices->Release();

    // Drawing from user memory unbinds stream 0.
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(ScreenVertex)));
    IDirect3DVertexBuffer8* bound = buffer;
    UINT stride = 1;
    device->GetStreamSource(0, &bound, &stride);
    EXPECT_EQ(nullptr, bound);

    // The device holds the buffer while it is the stream source.
    device->SetStreamSource(0, buffer, sizeof(ScreenVertex));
    EXPECT_EQ(1u, buffer->Release());
    device->SetStreamSource(0, nullptr, 0);
}

TEST_F(RenderFixture, ResetMakesANewBackBufferAndRestoresDefaultStates)
{
    CreateDevice(32, 24);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    D3DPRESENT_PARAMETERS pp;
    memset(&pp, 0, sizeof(pp));
    pp.Windowed = TRUE;
    pp.BackBufferWidth = 48;
    pp.BackBufferHeight = 20;
    pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
    pp.EnableAutoDepthStencil = TRUE;
    pp.AutoDepthStencilFormat = D3DFMT_D24S8;
    ASSERT_EQ(D3D_OK, device->Reset(&pp));
    EXPECT_EQ(D3DFMT_X8R8G8B8, pp.BackBufferFormat) << "an open format is filled in";
    IDirect3DSurface8* backBuffer = nullptr;
    ASSERT_EQ(D3D_OK, device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &backBuffer));
    D3DSURFACE_DESC desc;
    backBuffer->GetDesc(&desc);
    EXPECT_EQ(48u, desc.Width);
    EXPECT_EQ(20u, desc.Height);
    backBuffer->Release();
    DWORD cull = 0;
    device->GetRenderState(D3DRS_CULLMODE, &cull);
    EXPECT_EQ((DWORD)D3DCULL_CCW, cull);
    ASSERT_EQ(D3D_OK, device->Clear(0, nullptr, D3DCLEAR_TARGET, D3DCOLOR_XRGB(1, 2, 3), 1.0f, 0));
    EXPECT_EQ(0x010203u, Pixel(47, 19));
    ASSERT_EQ(D3D_OK, device->Present(nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(0x010203u, Pixel(47, 19)) << "the back buffer keeps its pixels after Present";

    // A Reset that cannot be done fails, and the device then refuses to draw
    // instead of crashing until a good Reset.
    pp.AutoDepthStencilFormat = D3DFMT_A8R8G8B8;
    EXPECT_EQ(D3DERR_INVALIDCALL, device->Reset(&pp));
    EXPECT_EQ(D3DERR_INVALIDCALL, device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0));
    ScreenVertex triangle[3] = {{0, 0, 0, 1, 0}, {8, 0, 0, 1, 0}, {0, 8, 0, 1, 0}};
    device->SetVertexShader(FVF_SCREEN);
    EXPECT_EQ(D3DERR_INVALIDCALL, device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, triangle, sizeof(ScreenVertex)));
    EXPECT_EQ(D3DERR_INVALIDCALL, device->Present(nullptr, nullptr, nullptr, nullptr));
    pp.AutoDepthStencilFormat = D3DFMT_D24S8;
    ASSERT_EQ(D3D_OK, device->Reset(&pp));
    EXPECT_EQ(D3D_OK, device->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0));
}

TEST(Direct3D, CreationChecksTheVersionAndListsModes)
{
    EXPECT_EQ(nullptr, Direct3DCreate8(120));
    IDirect3D8* d3d = Direct3DCreate8(D3D_SDK_VERSION);
    ASSERT_TRUE(d3d != nullptr);
    EXPECT_EQ(1u, d3d->GetAdapterCount());
    UINT modes = d3d->GetAdapterModeCount(D3DADAPTER_DEFAULT);
    ASSERT_GT(modes, 0u);
    D3DDISPLAYMODE mode;
    ASSERT_EQ(D3D_OK, d3d->EnumAdapterModes(D3DADAPTER_DEFAULT, 0, &mode));
    EXPECT_GT(mode.Width, 0u);
    EXPECT_EQ(D3DERR_INVALIDCALL, d3d->EnumAdapterModes(D3DADAPTER_DEFAULT, modes, &mode));
    D3DCAPS8 caps;
    ASSERT_EQ(D3D_OK, d3d->GetDeviceCaps(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, &caps));
    EXPECT_TRUE(caps.TextureCaps & D3DPTEXTURECAPS_CUBEMAP);
    EXPECT_TRUE(caps.StencilCaps & D3DSTENCILCAPS_INCR);
    EXPECT_EQ(D3D_OK, d3d->CheckDeviceFormat(0, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8, D3DUSAGE_DEPTHSTENCIL,
                                             D3DRTYPE_SURFACE, D3DFMT_D24S8));
    D3DPRESENT_PARAMETERS pp;
    memset(&pp, 0, sizeof(pp));
    IDirect3DDevice8* device = nullptr;
    EXPECT_EQ(D3DERR_INVALIDCALL, d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0, &pp, &device))
        << "a device needs a window";
    EXPECT_EQ(0u, d3d->Release());
}

TEST(VertexFormats, SizesFollowTheFormatBits)
{
    EXPECT_EQ(20u, D3D8GetFVFVertexSize(D3DFVF_XYZRHW | D3DFVF_DIFFUSE));
    EXPECT_EQ(36u, D3D8GetFVFVertexSize(D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX1));
    EXPECT_EQ(24u, D3D8GetFVFVertexSize(D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1));
    EXPECT_EQ(12u, D3D8GetFVFVertexSize(D3DFVF_XYZ));
    EXPECT_EQ(28u, D3D8GetFVFVertexSize(D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1));
    EXPECT_EQ(24u, D3D8GetFVFVertexSize(D3DFVF_XYZ | D3DFVF_TEX1 | D3DFVF_TEXCOORDSIZE3(0)));
}
