#include "D3DXTestHelpers.h"
#include "HeadlessDevice.h"
#include "TestGeometry.h"

namespace {

const UINT kEdge = 32;
const UINT kScreen = 64;

// One distinct colour per cube face, in face order +X, -X, +Y, -Y, +Z, -Z.
const D3DCOLOR kFaceColours[6] = { 0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00, 0xFF00FFFF, 0xFFFF00FF };
const D3DCOLOR kMarker = 0xFFFFFFFF;

// Eye at the origin looking along each face's axis, as the cube faces are drawn.
const D3DXVECTOR3 kFaceTargets[6] = { { 1, 0, 0 }, { -1, 0, 0 }, { 0, 1, 0 }, { 0, -1, 0 }, { 0, 0, 1 }, { 0, 0, -1 } };
const D3DXVECTOR3 kFaceUps[6] = { { 0, 1, 0 }, { 0, 1, 0 }, { 0, 0, -1 }, { 0, 0, 1 }, { 0, 1, 0 }, { 0, 1, 0 } };

class RenderToEnvMapTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(headless.Open(kScreen, kScreen));
        device = headless.device;
        ASSERT_EQ(device->CreateCubeTexture(kEdge, 1, 0, D3DFMT_X8R8G8B8, D3DPOOL_MANAGED, &cube), D3D_OK);
        ASSERT_EQ(D3DXCreateRenderToEnvMap(device, kEdge, D3DFMT_X8R8G8B8, TRUE, D3DFMT_D16, &envMap), D3D_OK);

        device->SetRenderState(D3DRS_LIGHTING, FALSE);
        device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        device->SetRenderState(D3DRS_ZENABLE, TRUE);
    }

    void TearDown() override
    {
        if (envMap) {
            EXPECT_EQ(envMap->Release(), 0u);
        }
        if (cube) {
            cube->Release();
        }
    }

    void SetFaceView(int face)
    {
        D3DXVECTOR3 eye(0, 0, 0);
        D3DXMATRIX view;
        D3DXMatrixLookAtLH(&view, &eye, &kFaceTargets[face], &kFaceUps[face]);
        device->SetTransform(D3DTS_VIEW, &view);
    }

    // Four corners of a quad, drawn as a strip in one colour.
    void DrawQuad(const D3DXVECTOR3 corners[4], DWORD colour)
    {
        ColorVertex v[4];
        for (int i = 0; i < 4; i++) {
            v[i] = ColorVertex{ corners[i].x, corners[i].y, corners[i].z, colour };
        }
        device->SetVertexShader(FVF_COLOR);
        device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, v, sizeof(ColorVertex));
    }

    // Each face cleared to its own colour; the markers go into faces +X, +Y and -Z.
    // Depth is tested but not written, as when a sky box fills the cube.
    void RenderCube()
    {
        device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
        D3DXMATRIX proj;
        D3DXMatrixPerspectiveFovLH(&proj, D3DX_PI / 2, 1.0f, 0.1f, 10.0f);
        device->SetTransform(D3DTS_PROJECTION, &proj);

        ASSERT_EQ(envMap->BeginCube(cube), D3D_OK);
        for (int face = 0; face < 6; face++) {
            SetFaceView(face);
            ASSERT_EQ(envMap->Face((D3DCUBEMAP_FACES)face), D3D_OK);
            device->Clear(0, nullptr, D3DCLEAR_TARGET, kFaceColours[face], 1.0f, 0);
            if (face == D3DCUBEMAP_FACE_POSITIVE_X) {
                // Above the horizon: the upper half of the +X face.
                const D3DXVECTOR3 upper[4] = { { 1, 0, -2 }, { 1, 2, -2 }, { 1, 0, 2 }, { 1, 2, 2 } };
                DrawQuad(upper, kMarker);
            } else if (face == D3DCUBEMAP_FACE_POSITIVE_Y) {
                // Looking up with -z as the face's up: z < 0 is its upper half.
                const D3DXVECTOR3 upper[4] = { { -2, 1, 0 }, { -2, 1, -2 }, { 2, 1, 0 }, { 2, 1, -2 } };
                DrawQuad(upper, kMarker);
            } else if (face == D3DCUBEMAP_FACE_NEGATIVE_Z) {
                // Looking along -z, +x lies to the left: a strip down the left quarter.
                const D3DXVECTOR3 left[4] = { { 0.5f, -2, -1 }, { 0.5f, 2, -1 }, { 2, -2, -1 }, { 2, 2, -1 } };
                DrawQuad(left, kMarker);
            }
        }
        ASSERT_EQ(envMap->End(), D3D_OK);
        device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
    }

    // The face pixel at (x, y), y = 0 the top row, as 0xRRGGBB.
    DWORD FacePixel(int face, UINT x, UINT y)
    {
        D3DLOCKED_RECT locked = {};
        if (cube->LockRect((D3DCUBEMAP_FACES)face, 0, &locked, nullptr, D3DLOCK_READONLY) != D3D_OK) {
            ADD_FAILURE() << "face " << face << " cannot be locked";
            return 0;
        }
        const BYTE *row = (const BYTE *)locked.pBits + (size_t)y * locked.Pitch;
        DWORD pixel = ((const DWORD *)row)[x] & 0xFFFFFF;
        cube->UnlockRect((D3DCUBEMAP_FACES)face, 0);
        return pixel;
    }

    HeadlessDevice headless;
    IDirect3DDevice8 *device = nullptr;
    IDirect3DCubeTexture8 *cube = nullptr;
    ID3DXRenderToEnvMap *envMap = nullptr;
};

}

TEST_F(RenderToEnvMapTest, EachFaceHoldsWhatWasDrawnForItAndEndPutsBackTheDeviceTarget)
{
    IDirect3DSurface8 *before = nullptr, *depthBefore = nullptr, *after = nullptr, *depthAfter = nullptr;
    ASSERT_EQ(device->GetRenderTarget(&before), D3D_OK);
    ASSERT_EQ(device->GetDepthStencilSurface(&depthBefore), D3D_OK);
    RenderCube();
    ASSERT_EQ(device->GetRenderTarget(&after), D3D_OK);
    ASSERT_EQ(device->GetDepthStencilSurface(&depthAfter), D3D_OK);
    EXPECT_EQ(after, before);
    EXPECT_EQ(depthAfter, depthBefore);
    for (IDirect3DSurface8 *surface : { before, after, depthBefore, depthAfter })
        surface->Release();
    // A clear after End reaches the back buffer, not the last face.
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF102030, 1.0f, 0);

    const UINT mid = kEdge / 2;
    const UINT low = kEdge - 2;
    for (int face = 0; face < 6; face++) {
        EXPECT_EQ(FacePixel(face, mid, low), kFaceColours[face] & 0xFFFFFF) << "face " << face;
    }
    // Markers land the right way up and the right way round.
    EXPECT_EQ(FacePixel(D3DCUBEMAP_FACE_POSITIVE_X, mid, 1), kMarker & 0xFFFFFF);
    EXPECT_EQ(FacePixel(D3DCUBEMAP_FACE_POSITIVE_Y, mid, 1), kMarker & 0xFFFFFF);
    EXPECT_EQ(FacePixel(D3DCUBEMAP_FACE_POSITIVE_Y, mid, low), kFaceColours[2] & 0xFFFFFF);
    EXPECT_EQ(FacePixel(D3DCUBEMAP_FACE_NEGATIVE_Z, 1, mid), kMarker & 0xFFFFFF);
    EXPECT_EQ(FacePixel(D3DCUBEMAP_FACE_NEGATIVE_Z, mid, mid), kFaceColours[5] & 0xFFFFFF);
    EXPECT_EQ(FacePixel(D3DCUBEMAP_FACE_NEGATIVE_Z, kEdge - 2, mid), kFaceColours[5] & 0xFFFFFF);
}

TEST_F(RenderToEnvMapTest, CallsOutOfOrderAreRefused)
{
    EXPECT_EQ(envMap->Face(D3DCUBEMAP_FACE_POSITIVE_X), D3DERR_INVALIDCALL);
    EXPECT_EQ(envMap->End(), D3DERR_INVALIDCALL);
    EXPECT_EQ(envMap->BeginCube(nullptr), D3DERR_INVALIDCALL);

    ASSERT_EQ(envMap->BeginCube(cube), D3D_OK);
    EXPECT_EQ(envMap->BeginCube(cube), D3DERR_INVALIDCALL);
    EXPECT_EQ(envMap->Face((D3DCUBEMAP_FACES)6), D3DERR_INVALIDCALL);
    EXPECT_EQ(envMap->End(), D3D_OK);
    EXPECT_EQ(envMap->End(), D3DERR_INVALIDCALL);

    ID3DXRenderToEnvMap *none = nullptr;
    EXPECT_EQ(D3DXCreateRenderToEnvMap(nullptr, kEdge, D3DFMT_X8R8G8B8, TRUE, D3DFMT_D16, &none), D3DERR_INVALIDCALL);
    EXPECT_EQ(none, nullptr);
}

TEST_F(RenderToEnvMapTest, RendererHoldsTheDeviceUntilReleased)
{
    // AddRef answers the new count, so the count held by others shows.
    const ULONG withRenderer = device->AddRef() - 1;
    device->Release();

    EXPECT_EQ(envMap->AddRef(), 2u);
    EXPECT_EQ(envMap->Release(), 1u);
    // Releasing mid-cube still puts the device target back.
    ASSERT_EQ(envMap->BeginCube(cube), D3D_OK);
    ASSERT_EQ(envMap->Face(D3DCUBEMAP_FACE_NEGATIVE_Y), D3D_OK);
    EXPECT_EQ(envMap->Release(), 0u);
    envMap = nullptr;

    const ULONG without = device->AddRef() - 1;
    device->Release();
    EXPECT_EQ(without, withRenderer - 1);

    IDirect3DSurface8 *target = nullptr, *back = nullptr;
    ASSERT_EQ(device->GetRenderTarget(&target), D3D_OK);
    ASSERT_EQ(device->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &back), D3D_OK);
    EXPECT_EQ(target, back);
    target->Release();
    back->Release();
}
