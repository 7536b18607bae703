// Drawing checked by pixels: clearing, pretransformed placement, lighting
// and texturing, culling, depth, blending, stencil and cube-map reflection.
#include "RenderFixture.h"

#include <d3dx8.h>

#include <math.h>

namespace {

// A camera-facing quad at depth z, wound clockwise on screen (a front face).
void FillColorQuad(ColorVertex* out, float x1, float y1, float x2, float y2, float z, D3DCOLOR color)
{
    ColorVertex quad[6] = {
        {x1, y2, z, color}, {x2, y2, z, color}, {x1, y1, z, color},
        {x1, y1, z, color}, {x2, y2, z, color}, {x2, y1, z, color},
    };
    memcpy(out, quad, sizeof(quad));
}

void DrawColorQuad(IDirect3DDevice8* device, float x1, float y1, float x2, float y2, float z, D3DCOLOR color)
{
    ColorVertex quad[6];
    FillColorQuad(quad, x1, y1, x2, y2, z, color);
    device->SetVertexShader(FVF_COLOR);
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, quad, sizeof(ColorVertex)));
}

// A quad facing the camera at depth 5 from (-h, h) to (h, -h), normals towards the
// viewer, texture corners 0 to 1.
void FacingQuad(LitVertex quad[4], float h, DWORD color)
{
    for (int i = 0; i < 4; i++) {
        LitVertex v = {i % 2 ? h : -h, i < 2 ? h : -h, 5, 0, 0, -1, color, (float)(i % 2), (float)(i / 2)};
        quad[i] = v;
    }
}

// A 2 x 2 texture: red, green on the top row; blue, white below.
IDirect3DTexture8* MakeQuadrantTexture(IDirect3DDevice8* device)
{
    IDirect3DTexture8* texture = NULL;
    EXPECT_EQ(D3D_OK, device->CreateTexture(2, 2, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture));
    D3DLOCKED_RECT locked;
    EXPECT_EQ(D3D_OK, texture->LockRect(0, &locked, NULL, 0));
    DWORD* row0 = (DWORD*)locked.pBits;
    DWORD* row1 = (DWORD*)((BYTE*)locked.pBits + locked.Pitch);
    row0[0] = 0xFFFF0000;
    row0[1] = 0xFF00FF00;
    row1[0] = 0xFF0000FF;
    row1[1] = 0xFFFFFFFF;
    EXPECT_EQ(D3D_OK, texture->UnlockRect(0));
    return texture;
}

bool Near(int actual, int expected, int tolerance = 3)
{
    return actual >= expected - tolerance && actual <= expected + tolerance;
}

} // namespace

TEST_F(RenderFixture, ClearFillsTargetAndRectanglesFromTheTopLeft)
{
    CreateDevice(64, 48);
    ASSERT_EQ(D3D_OK, device->Clear(0, NULL, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL,
                                    D3DCOLOR_XRGB(0x33, 0x66, 0x99), 1.0f, 0));
    EXPECT_EQ(0x336699u, Pixel(0, 0));
    EXPECT_EQ(0x336699u, Pixel(63, 47));

    D3DRECT rect = {10, 4, 20, 8};
    ASSERT_EQ(D3D_OK, device->Clear(1, &rect, D3DCLEAR_TARGET, D3DCOLOR_XRGB(255, 0, 0), 1.0f, 0));
    EXPECT_EQ(0xFF0000u, Pixel(10, 4));
    EXPECT_EQ(0xFF0000u, Pixel(19, 7));
    EXPECT_EQ(0x336699u, Pixel(20, 7));
    EXPECT_EQ(0x336699u, Pixel(10, 8));
    EXPECT_EQ(0x336699u, Pixel(10, 3));
    SavePicture("platform_clear");
}

TEST_F(RenderFixture, PretransformedVerticesLandOnThePixelsTheyName)
{
    CreateDevice(40, 30);
    device->Clear(0, NULL, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    device->BeginScene();
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    DrawScreenQuad(10, 5, 20, 15, 0.5f, 0xFFFFFFFF);
    device->EndScene();
    EXPECT_EQ(0xFFFFFFu, Pixel(10, 5));
    EXPECT_EQ(0xFFFFFFu, Pixel(19, 14));
    EXPECT_EQ(0u, Pixel(9, 5));
    EXPECT_EQ(0u, Pixel(20, 5));
    EXPECT_EQ(0u, Pixel(10, 4));
    EXPECT_EQ(0u, Pixel(10, 15));

    // The reciprocal w only weighs interpolation; it does not move vertices.
    ScreenVertex far[4] = {
        {25, 20, 0.5f, 0.25f, 0xFF00FF00},
        {30, 20, 0.5f, 0.25f, 0xFF00FF00},
        {25, 25, 0.5f, 0.25f, 0xFF00FF00},
        {30, 25, 0.5f, 0.25f, 0xFF00FF00},
    };
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, far, sizeof(ScreenVertex)));
    EXPECT_EQ(0x00FF00u, Pixel(25, 20));
    EXPECT_EQ(0x00FF00u, Pixel(29, 24));
    EXPECT_EQ(0u, Pixel(30, 24));
}

TEST_F(RenderFixture, FlatShadingColoursATriangleByItsFirstVertex)
{
    CreateDevice(16, 16);
    ScreenVertex triangle[3] = {
        {0, 0, 0, 1, 0xFFFF0000}, {16, 0, 0, 1, 0xFF00FF00}, {0, 16, 0, 1, 0xFF0000FF},
    };
    device->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_FLAT);
    device->SetVertexShader(FVF_SCREEN);
    device->Clear(0, NULL, D3DCLEAR_TARGET, 0, 1.0f, 0);
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, triangle, sizeof(ScreenVertex)));
    EXPECT_EQ(0xFF0000u, Pixel(2, 2));
    EXPECT_EQ(0xFF0000u, Pixel(12, 2));
    EXPECT_EQ(0xFF0000u, Pixel(2, 12));
}

// Lit vertices take their diffuse colour and alpha from the vertex colour
// (the default material source), so a lit stone can be translucent.
TEST_F(RenderFixture, LightingTakesDiffuseColourAndAlphaFromTheVertex)
{
    CreateDevice(32, 32);
    SetSimpleCamera();
    D3DMATERIAL8 material = WhiteMaterial();
    D3DLIGHT8 light = WhiteLight(0, 0, 1);
    device->SetMaterial(&material);
    device->SetLight(0, &light);
    device->LightEnable(0, TRUE);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    const DWORD color = 0x99FF0000; // red at alpha 0.6
    LitVertex quad[4];
    FacingQuad(quad, 3, color);
    device->SetVertexShader(FVF_LIT);
    device->Clear(0, NULL, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, D3DCOLOR_XRGB(0, 0, 255), 1.0f, 0);
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(LitVertex)));
    DWORD pixel = Pixel(16, 16);
    EXPECT_TRUE(Near(Red(pixel), 153) && Near(Green(pixel), 0) && Near(Blue(pixel), 102)) << std::hex << pixel;

    // With the material as the source, the vertex colour no longer counts.
    device->SetRenderState(D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_MATERIAL);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(LitVertex)));
    EXPECT_EQ(0xFFFFFFu, Pixel(16, 16));
}

// Stage 1 adds its texture to what stage 0 made; disabling it ends the cascade.
TEST_F(RenderFixture, SecondStageAddsItsTextureToTheFirstStagesResult)
{
    CreateDevice(16, 16);
    IDirect3DTexture8* texture = NULL;
    ASSERT_EQ(D3D_OK, device->CreateTexture(1, 1, 1, 0, D3DFMT_X8R8G8B8, D3DPOOL_MANAGED, &texture));
    D3DLOCKED_RECT locked;
    texture->LockRect(0, &locked, NULL, 0);
    *(DWORD*)locked.pBits = 0x00002000;
    texture->UnlockRect(0);
    device->SetTexture(1, texture);
    device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_ADD);
    device->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(1, D3DTSS_COLORARG2, D3DTA_CURRENT);
    device->SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, 0);
    struct TexturedScreenVertex {
        float x, y, z, rhw;
        DWORD color;
        float u, v;
    } quad[4] = {
        {0, 0, 0, 1, 0xFF400000, 0, 0},
        {16, 0, 0, 1, 0xFF400000, 1, 0},
        {0, 16, 0, 1, 0xFF400000, 0, 1},
        {16, 16, 0, 1, 0xFF400000, 1, 1},
    };
    device->SetVertexShader(D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1);
    device->Clear(0, NULL, D3DCLEAR_TARGET, 0, 1.0f, 0);
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(TexturedScreenVertex)));
    EXPECT_EQ(0x402000u, Pixel(8, 8)) << "stage 0 passes the diffuse colour (no texture: white), stage 1 adds";

    device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(TexturedScreenVertex)));
    EXPECT_EQ(0x400000u, Pixel(8, 8));
    device->SetTexture(1, NULL);
    texture->Release();
}

TEST_F(RenderFixture, LitTexturedQuadShowsTextureUprightAndFollowsTheLight)
{
    CreateDevice(64, 64);
    SetSimpleCamera();
    IDirect3DTexture8* texture = MakeQuadrantTexture(device);
    LitVertex quad[4];
    FacingQuad(quad, 3, 0xFFFFFFFF);
    D3DMATERIAL8 material = WhiteMaterial();
    D3DLIGHT8 light = WhiteLight(0, 0, 1); // shining away from the camera, onto the quad's face

    device->SetMaterial(&material);
    device->SetLight(0, &light);
    device->LightEnable(0, TRUE);
    device->SetTexture(0, texture);
    device->SetVertexShader(FVF_LIT);
    device->Clear(0, NULL, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    device->BeginScene();
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(LitVertex)));
    device->EndScene();
    SavePicture("platform_lit_textured");
    EXPECT_EQ(0xFF0000u, Pixel(24, 24));  // top left of the texture: red
    EXPECT_EQ(0x00FF00u, Pixel(40, 24));  // top right: green
    EXPECT_EQ(0x0000FFu, Pixel(24, 40));  // bottom left: blue
    EXPECT_EQ(0xFFFFFFu, Pixel(40, 40));  // bottom right: white
    EXPECT_EQ(0u, Pixel(2, 2));           // outside the quad

    // Turned away from the light, only the ambient light remains.
    light.Direction.z = -1.0f;
    device->SetLight(0, &light);
    device->SetRenderState(D3DRS_AMBIENT, 0x404040);
    device->Clear(0, NULL, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(LitVertex)));
    DWORD dim = Pixel(40, 40);
    EXPECT_TRUE(Near(Red(dim), 0x40) && Near(Green(dim), 0x40) && Near(Blue(dim), 0x40)) << std::hex << dim;
    device->SetTexture(0, NULL);
    texture->Release();
}

TEST_F(RenderFixture, CullingRemovesCounterClockwiseFacesByDefaultAndClockwiseOnesWhenAsked)
{
    CreateDevice(64, 32);
    SetSimpleCamera();
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    // Left triangle clockwise on screen (green), right one counter-clockwise (red).
    ColorVertex triangles[6] = {
        {-4, 2, 5, 0xFF00FF00}, {-1, 2, 5, 0xFF00FF00}, {-4, -2, 5, 0xFF00FF00},
        {1, 2, 5, 0xFFFF0000},  {1, -2, 5, 0xFFFF0000}, {4, 2, 5, 0xFFFF0000},
    };
    device->SetVertexShader(FVF_COLOR);
    const int leftX = 21, rightX = 37, y = 12;

    device->Clear(0, NULL, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, triangles, sizeof(ColorVertex));
    EXPECT_EQ(0x00FF00u, Pixel(leftX, y));
    EXPECT_EQ(0u, Pixel(rightX, y));
    SavePicture("platform_cull_ccw");

    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    device->Clear(0, NULL, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, triangles, sizeof(ColorVertex));
    EXPECT_EQ(0u, Pixel(leftX, y));
    EXPECT_EQ(0xFF0000u, Pixel(rightX, y));

    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->Clear(0, NULL, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, triangles, sizeof(ColorVertex));
    EXPECT_EQ(0x00FF00u, Pixel(leftX, y));
    EXPECT_EQ(0xFF0000u, Pixel(rightX, y));

    // Pretransformed triangles follow the same rule.
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    device->Clear(0, NULL, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    ScreenVertex screen[6] = {
        {4, 4, 0, 1, 0xFF00FF00},  {24, 4, 0, 1, 0xFF00FF00},  {4, 28, 0, 1, 0xFF00FF00},
        {36, 4, 0, 1, 0xFFFF0000}, {36, 28, 0, 1, 0xFFFF0000}, {60, 4, 0, 1, 0xFFFF0000},
    };
    device->SetVertexShader(FVF_SCREEN);
    device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, screen, sizeof(ScreenVertex));
    EXPECT_EQ(0x00FF00u, Pixel(8, 8));
    EXPECT_EQ(0u, Pixel(40, 8));
}

TEST_F(RenderFixture, DepthTestKeepsTheNearerSurfaceAndZWriteCanBeSwitchedOff)
{
    CreateDevice(32, 32);
    SetSimpleCamera();
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->Clear(0, NULL, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    DrawColorQuad(device, -2, -2, 2, 2, 5, 0xFF0000FF);   // near, blue
    DrawColorQuad(device, -8, -8, 8, 8, 10, 0xFFFF0000);  // far, red, drawn later
    EXPECT_EQ(0x0000FFu, Pixel(16, 16));
    EXPECT_EQ(0xFF0000u, Pixel(4, 4));
    SavePicture("platform_depth");

    device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    device->Clear(0, NULL, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    DrawColorQuad(device, -2, -2, 2, 2, 5, 0xFF0000FF);
    DrawColorQuad(device, -8, -8, 8, 8, 10, 0xFFFF0000);
    EXPECT_EQ(0xFF0000u, Pixel(16, 16));

    // Clearing the depth buffer works whatever the write mask says.
    device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
    DrawColorQuad(device, -2, -2, 2, 2, 5, 0xFF0000FF);
    device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    device->Clear(0, NULL, D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    DrawColorQuad(device, -8, -8, 8, 8, 10, 0xFF00FF00);
    EXPECT_EQ(0x00FF00u, Pixel(16, 16));
}

TEST_F(RenderFixture, AlphaBlendingMixesByVertexAlphaAndANullTextureActsAsWhite)
{
    CreateDevice(16, 16);
    device->Clear(0, NULL, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, D3DCOLOR_XRGB(255, 255, 255), 1.0f, 0);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetTexture(0, NULL);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    DrawScreenQuad(0, 0, 16, 16, 0, D3DCOLOR_ARGB(0x80, 255, 0, 0));
    DWORD pixel = Pixel(8, 8);
    EXPECT_TRUE(Near(Red(pixel), 255) && Near(Green(pixel), 127) && Near(Blue(pixel), 127)) << std::hex << pixel;
    SavePicture("platform_blend");
}

// Shadow volumes: stencil counts front faces up and back faces down where
// they pass the depth test, without touching colour; a darkening
// pretransformed quad then touches only pixels with 1 <= stencil.
TEST_F(RenderFixture, StencilPassesMarkPixelsThatADarkeningQuadThenShades)
{
    CreateDevice(64, 32);
    SetSimpleCamera();
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->Clear(0, NULL, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, D3DCOLOR_XRGB(255, 255, 255),
                  1.0f, 0);
    // An occluder near the camera, over screen columns 20 to 24.
    DrawColorQuad(device, -3, -1, -2, 1, 4, 0xFFFFFFFF);

    device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    device->SetRenderState(D3DRS_STENCILENABLE, TRUE);
    device->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_ALWAYS);
    device->SetRenderState(D3DRS_STENCILREF, 1);
    device->SetRenderState(D3DRS_STENCILMASK, 0xFFFFFFFF);
    device->SetRenderState(D3DRS_STENCILWRITEMASK, 0xFFFFFFFF);
    device->SetRenderState(D3DRS_STENCILZFAIL, D3DSTENCILOP_KEEP);
    device->SetRenderState(D3DRS_STENCILFAIL, D3DSTENCILOP_KEEP);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ZERO);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);

    // Pass 1: front faces increment over x in [-8, 8] (the occluded part stays 0).
    device->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_INCR);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    DrawColorQuad(device, -8, -1, 8, 1, 8, 0xFFFF0000);
    // Pass 2: counter-clockwise faces decrement (wrapping) over x in [0, 12].
    ColorVertex back[6];
    FillColorQuad(back, 0, -1, 12, 1, 8, 0xFFFF0000);
    std::swap(back[0], back[1]);
    std::swap(back[3], back[4]);
    device->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_DECR);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, back, sizeof(ColorVertex));
    EXPECT_EQ(0xFFFFFFu, Pixel(20, 16)) << "the volume passes must not write colour";

    SetStencilShadeStates(device);
    DrawScreenQuad(0, 0, 64, 32, 0, D3DCOLOR_ARGB(127, 0, 0, 0));
    SavePicture("platform_stencil");

    // At depth 8 the view spans x in [-16, 16]: screen column = 32 + 2 x, so
    // the incrementing quad covers columns 16-48 and the decrementing one 32-56.
    EXPECT_TRUE(Near(Red(Pixel(28, 16)), 128, 2)) << "stencil 1: darkened";
    EXPECT_EQ(0xFFFFFFu, Pixel(22, 16)) << "behind the occluder the depth test failed: stencil kept";
    EXPECT_EQ(0xFFFFFFu, Pixel(36, 16)) << "stencil 0 where both passes met";
    EXPECT_TRUE(Near(Red(Pixel(52, 16)), 128, 2)) << "decrement wrapped to 255: darkened";
    EXPECT_EQ(0xFFFFFFu, Pixel(4, 16)) << "untouched by the volume";
    EXPECT_EQ(0xFFFFFFu, Pixel(28, 4)) << "outside the volume vertically";
}

// A cube texture whose faces are drawn by the environment-map renderer (a
// render target per face), seen on a mirror through camera-space
// reflection vectors.
TEST_F(RenderFixture, CubeFacesDrawnAsRenderTargetsAreSeenByReflection)
{
    CreateDevice(64, 64);
    IDirect3DCubeTexture8* cube = NULL;
    ASSERT_EQ(D3D_OK, device->CreateCubeTexture(32, 1, 0, D3DFMT_X8R8G8B8, D3DPOOL_MANAGED, &cube));
    ID3DXRenderToEnvMap* envMap = NULL;
    ASSERT_EQ(D3D_OK, D3DXCreateRenderToEnvMap(device, 32, D3DFMT_X8R8G8B8, TRUE, D3DFMT_D16, &envMap));
    IDirect3DSurface8* backBuffer = NULL;
    ASSERT_EQ(D3D_OK, device->GetRenderTarget(&backBuffer));
    // Each face: its own colour below, and the colour with blue 0xFF in its top half.
    const D3DCOLOR faceColors[6] = {0xFF800000, 0xFF008000, 0xFF808000, 0xFF008080, 0xFF404000, 0xFF800080};
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    ASSERT_EQ(D3D_OK, envMap->BeginCube(cube));
    for (int face = 0; face < 6; face++) {
        ASSERT_EQ(D3D_OK, envMap->Face((D3DCUBEMAP_FACES)face));
        device->Clear(0, NULL, D3DCLEAR_TARGET, faceColors[face], 1.0f, 0);
        DrawScreenQuad(0, 0, 32, 16, 0, faceColors[face] | 0xFF);
    }
    ASSERT_EQ(D3D_OK, envMap->End());
    IDirect3DSurface8* current = NULL;
    device->GetRenderTarget(&current);
    EXPECT_EQ(backBuffer, current) << "the renderer puts the back buffer back";
    current->Release();
    backBuffer->Release();
    envMap->Release();

    SetSimpleCamera();
    device->SetTexture(0, cube);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, D3DTSS_TCI_CAMERASPACEREFLECTIONVECTOR);
    device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT3);
    LitVertex mirror[4];
    FacingQuad(mirror, 4, 0xFFFFFFFF);
    device->SetVertexShader(FVF_LIT);
    device->Clear(0, NULL, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, mirror, sizeof(LitVertex)));
    SavePicture("platform_cube_reflection");
    // Looking straight at the mirror shows the face behind the viewer (-z):
    // its upper half above the centre, its lower half below.
    EXPECT_EQ(0x8000FFu, Pixel(32, 24));
    EXPECT_EQ(0x800080u, Pixel(32, 40));

    // A texture transform turns the reflected direction (0, 0, -1) into (-1, 0, 0).
    D3DMATRIX turn = IdentityMatrix();
    turn._11 = 0.0f;
    turn._13 = -1.0f;
    turn._31 = 1.0f;
    turn._33 = 0.0f;
    device->SetTransform(D3DTS_TEXTURE0, &turn);
    device->Clear(0, NULL, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, mirror, sizeof(LitVertex));
    EXPECT_EQ(0x008000u, Pixel(32, 40));

    // Without the transform flag the matrix is not used; normals tilted
    // towards -x reflect the -x face directly.
    device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
    for (LitVertex& v : mirror) {
        v.nx = -0.70710677f;
        v.nz = -0.70710677f;
    }
    device->Clear(0, NULL, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, mirror, sizeof(LitVertex));
    EXPECT_EQ(0x008000u, Pixel(32, 40));
    device->SetTexture(0, NULL);
    cube->Release();
}
