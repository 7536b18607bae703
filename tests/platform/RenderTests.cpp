// Drawing checked by pixels: clearing, pretransformed placement, lighting
// and texturing, culling, depth, blending, stencil and cube-map reflection.
#include "RenderFixture.h"

#include <d3dx8.h>

#include <math.h>

namespace {

struct PixelCheck {
    int x, y;
    DWORD color;
};

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

// A texture of the given size filled row by row from 'texels'.
IDirect3DTexture8* MakeTexture(IDirect3DDevice8* device, UINT w, UINT h, const DWORD* texels)
{
    IDirect3DTexture8* texture = nullptr;
    EXPECT_EQ(D3D_OK, device->CreateTexture(w, h, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture));
    D3DLOCKED_RECT locked;
    EXPECT_EQ(D3D_OK, texture->LockRect(0, &locked, nullptr, 0));
    for (UINT y = 0; y < h; y++)
        memcpy((BYTE*)locked.pBits + y * locked.Pitch, texels + y * w, w * 4);
    EXPECT_EQ(D3D_OK, texture->UnlockRect(0));
    return texture;
}

bool Near(int actual, int expected, int tolerance = 3)
{
    return actual >= expected - tolerance && actual <= expected + tolerance;
}

bool NearGrey(DWORD pixel, int r, int g, int b)
{
    return Near(Red(pixel), r) && Near(Green(pixel), g) && Near(Blue(pixel), b);
}

} // namespace

TEST_F(RenderFixture, ClearAndPretransformedDrawsHitThePixelsTheyName)
{
    CreateDevice(64, 48);
    ASSERT_EQ(D3D_OK, device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL,
                                    D3DCOLOR_XRGB(0x33, 0x66, 0x99), 1.0f, 0));
    D3DRECT rect = {10, 4, 20, 8};
    ASSERT_EQ(D3D_OK, device->Clear(1, &rect, D3DCLEAR_TARGET, D3DCOLOR_XRGB(255, 0, 0), 1.0f, 0));
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    DrawScreenQuad(30, 25, 40, 35, 0.5f, 0xFFFFFFFF);
    // The reciprocal w only weighs interpolation; it does not move vertices.
    ScreenVertex far[4] = {
        {45, 30, 0.5f, 0.25f, 0xFF00FF00}, {50, 30, 0.5f, 0.25f, 0xFF00FF00},
        {45, 35, 0.5f, 0.25f, 0xFF00FF00}, {50, 35, 0.5f, 0.25f, 0xFF00FF00},
    };
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, far, sizeof(ScreenVertex)));
    SavePicture("platform_clear");
    const PixelCheck checks[] = {
        {0, 0, 0x336699},   {63, 47, 0x336699},                       // whole target cleared
        {10, 4, 0xFF0000},  {19, 7, 0xFF0000},                        // rectangle from the top left
        {20, 7, 0x336699},  {10, 8, 0x336699},  {10, 3, 0x336699},    // and no further
        {30, 25, 0xFFFFFF}, {39, 34, 0xFFFFFF},                       // quad corners inside
        {29, 25, 0x336699}, {40, 25, 0x336699}, {30, 24, 0x336699}, {30, 35, 0x336699},
        {45, 30, 0x00FF00}, {49, 34, 0x00FF00}, {50, 34, 0x336699},
    };
    for (const PixelCheck& c : checks)
        EXPECT_EQ(c.color, Pixel(c.x, c.y)) << c.x << "," << c.y;

    // Flat shading colours a triangle by its first vertex.
    ScreenVertex triangle[3] = {
        {0, 0, 0, 1, 0xFFFF0000}, {16, 0, 0, 1, 0xFF00FF00}, {0, 16, 0, 1, 0xFF0000FF},
    };
    device->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_FLAT);
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, triangle, sizeof(ScreenVertex)));
    EXPECT_EQ(0xFF0000u, Pixel(12, 2));
    EXPECT_EQ(0xFF0000u, Pixel(2, 12));
}

// Stage 1 adds its texture to what stage 0 made; disabling it ends the cascade.
TEST_F(RenderFixture, SecondStageAddsItsTextureToTheFirstStagesResult)
{
    CreateDevice(16, 16);
    const DWORD texel = 0xFF002000;
    IDirect3DTexture8* texture = MakeTexture(device, 1, 1, &texel);
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
        {0, 0, 0, 1, 0xFF400000, 0, 0}, {16, 0, 0, 1, 0xFF400000, 1, 0},
        {0, 16, 0, 1, 0xFF400000, 0, 1}, {16, 16, 0, 1, 0xFF400000, 1, 1},
    };
    device->SetVertexShader(D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1);
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(TexturedScreenVertex)));
    EXPECT_EQ(0x402000u, Pixel(8, 8)) << "stage 0 passes the diffuse colour (no texture: white), stage 1 adds";

    // With a texture on stage 0, stage 1 adds to their product, not to the diffuse colour.
    const DWORD blueTexel = 0xFF0000FF;
    IDirect3DTexture8* blue = MakeTexture(device, 1, 1, &blueTexel);
    device->SetTexture(0, blue);
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(TexturedScreenVertex)));
    EXPECT_EQ(0x002000u, Pixel(8, 8)) << "red diffuse times a blue texel is black";
    device->SetTexture(0, nullptr);
    blue->Release();

    device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(TexturedScreenVertex)));
    EXPECT_EQ(0x400000u, Pixel(8, 8));
    device->SetTexture(1, nullptr);
    texture->Release();
}

TEST_F(RenderFixture, LitQuadsShowTheirTextureUprightAndTakeColourAndAlphaFromTheVertex)
{
    CreateDevice(64, 64);
    SetSimpleCamera();
    // 2 x 2: red, green on the top row; blue, white below.
    const DWORD quadrants[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    IDirect3DTexture8* texture = MakeTexture(device, 2, 2, quadrants);
    LitVertex quad[4];
    FacingQuad(quad, 3, 0xFFFFFFFF);
    D3DMATERIAL8 material = WhiteMaterial();
    D3DLIGHT8 light = WhiteLight(0, 0, 1); // shining away from the camera, onto the quad's face
    device->SetMaterial(&material);
    device->SetLight(0, &light);
    device->LightEnable(0, TRUE);
    device->SetTexture(0, texture);
    device->SetVertexShader(FVF_LIT);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    device->BeginScene();
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(LitVertex)));
    device->EndScene();
    SavePicture("platform_lit_textured");
    const PixelCheck checks[] = {
        {24, 24, 0xFF0000}, {40, 24, 0x00FF00}, {24, 40, 0x0000FF}, {40, 40, 0xFFFFFF}, {2, 2, 0},
    };
    for (const PixelCheck& c : checks)
        EXPECT_EQ(c.color, Pixel(c.x, c.y)) << c.x << "," << c.y;

    // Turned away from the light, only the ambient light remains.
    light.Direction.z = -1.0f;
    device->SetLight(0, &light);
    device->SetRenderState(D3DRS_AMBIENT, 0x404040);
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(LitVertex)));
    EXPECT_TRUE(NearGrey(Pixel(40, 40), 0x40, 0x40, 0x40)) << std::hex << Pixel(40, 40);
    device->SetTexture(0, nullptr);
    texture->Release();

    // Lit vertices take their diffuse colour and alpha from the vertex colour (the
    // default material source), so a lit stone can be translucent; with no texture
    // bound, the first alpha argument (the texture) counts as opaque white.
    light.Direction.z = 1.0f;
    device->SetLight(0, &light);
    device->SetRenderState(D3DRS_AMBIENT, 0);
    SetStates({{D3DRS_ALPHABLENDENABLE, TRUE}, {D3DRS_SRCBLEND, D3DBLEND_SRCALPHA},
               {D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA}});
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    FacingQuad(quad, 3, 0x99FF0000);   // red at alpha 0.6
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, D3DCOLOR_XRGB(0, 0, 255), 1.0f, 0);
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(LitVertex)));
    EXPECT_TRUE(NearGrey(Pixel(32, 32), 153, 0, 102)) << std::hex << Pixel(32, 32);

    // With the material as the source, the vertex colour no longer counts.
    SetStates({{D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_MATERIAL}, {D3DRS_ALPHABLENDENABLE, FALSE}});
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(LitVertex)));
    EXPECT_EQ(0xFFFFFFu, Pixel(32, 32));
}

// A black quad under a light with a specular part and a shiny material shows
// the highlight only while specular lighting is switched on; it is off at first.
TEST_F(RenderFixture, SpecularHighlightShowsOnlyWhileSpecularIsEnabled)
{
    CreateDevice(16, 16);
    SetSimpleCamera();
    LitVertex quad[4];
    FacingQuad(quad, 3, 0xFF000000);
    D3DMATERIAL8 material = WhiteMaterial();
    material.Specular.r = material.Specular.g = material.Specular.b = material.Specular.a = 0.8f;
    material.Power = 1.0f;
    D3DLIGHT8 light = WhiteLight(0, 0, 1);
    light.Specular = light.Diffuse;
    device->SetMaterial(&material);
    device->SetLight(0, &light);
    device->LightEnable(0, TRUE);
    device->SetVertexShader(FVF_LIT);
    auto drawn = [&]() {
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
        EXPECT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(LitVertex)));
        return Pixel(8, 8);
    };
    EXPECT_EQ(0u, drawn());
    device->SetRenderState(D3DRS_SPECULARENABLE, TRUE);
    EXPECT_GT(Red(drawn()), 150);
    device->SetRenderState(D3DRS_SPECULARENABLE, FALSE);
    EXPECT_EQ(0u, drawn());
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
    ScreenVertex screen[6] = {
        {4, 4, 0, 1, 0xFF00FF00},  {24, 4, 0, 1, 0xFF00FF00},  {4, 28, 0, 1, 0xFF00FF00},
        {36, 4, 0, 1, 0xFFFF0000}, {36, 28, 0, 1, 0xFFFF0000}, {60, 4, 0, 1, 0xFFFF0000},
    };
    // 0 for the default, then each mode set in turn; pretransformed triangles follow the same rule.
    const struct {
        DWORD mode;
        bool pretransformed;
        DWORD left, right;
    } cases[] = {
        {0, false, 0x00FF00, 0},        {D3DCULL_CW, false, 0, 0xFF0000},
        {D3DCULL_NONE, false, 0x00FF00, 0xFF0000}, {D3DCULL_CCW, true, 0x00FF00, 0},
    };
    for (const auto& c : cases) {
        if (c.mode)
            device->SetRenderState(D3DRS_CULLMODE, c.mode);
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
        device->SetVertexShader(c.pretransformed ? FVF_SCREEN : FVF_COLOR);
        if (c.pretransformed)
            device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, screen, sizeof(ScreenVertex));
        else
            device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, triangles, sizeof(ColorVertex));
        EXPECT_EQ(c.left, Pixel(c.pretransformed ? 8 : 21, c.pretransformed ? 8 : 12)) << "cull mode " << c.mode;
        EXPECT_EQ(c.right, Pixel(c.pretransformed ? 40 : 37, c.pretransformed ? 8 : 12)) << "cull mode " << c.mode;
    }
}

TEST_F(RenderFixture, DepthTestKeepsTheNearerSurfaceAndZWriteCanBeSwitchedOff)
{
    CreateDevice(32, 32);
    SetSimpleCamera();
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    DrawColorQuad(device, -2, -2, 2, 2, 5, 0xFF0000FF);   // near, blue
    DrawColorQuad(device, -8, -8, 8, 8, 10, 0xFFFF0000);  // far, red, drawn later
    EXPECT_EQ(0x0000FFu, Pixel(16, 16));
    EXPECT_EQ(0xFF0000u, Pixel(4, 4));
    SavePicture("platform_depth");

    device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    DrawColorQuad(device, -2, -2, 2, 2, 5, 0xFF0000FF);
    DrawColorQuad(device, -8, -8, 8, 8, 10, 0xFFFF0000);
    EXPECT_EQ(0xFF0000u, Pixel(16, 16));

    // Clearing the depth buffer works whatever the write mask says.
    device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
    DrawColorQuad(device, -2, -2, 2, 2, 5, 0xFF0000FF);
    device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    device->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    DrawColorQuad(device, -8, -8, 8, 8, 10, 0xFF00FF00);
    EXPECT_EQ(0x00FF00u, Pixel(16, 16));
}

// Depth runs from 0 at the near plane to 1 at the far one: a surface nearer
// than the near plane, or beyond the far one, is cut away.
TEST_F(RenderFixture, SurfacesOutsideTheNearAndFarPlanesAreNotDrawn)
{
    CreateDevice(16, 16);
    SetSimpleCamera(); // near 1, far 100
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    const struct {
        float z;
        bool drawn;
    } cases[] = {{0.9f, false}, {0.5f, false}, {1.5f, true}, {99.0f, true}, {101.0f, false}};
    for (const auto& c : cases) {
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
        DrawColorQuad(device, -200, -200, 200, 200, c.z, 0xFFFF0000);
        EXPECT_EQ(c.drawn ? 0xFF0000u : 0u, Pixel(8, 8)) << "depth " << c.z;
    }
}

// Shadow volumes: stencil counts front faces up and back faces down where
// they pass the depth test, without touching colour; a darkening
// pretransformed quad then touches only pixels with 1 <= stencil.
// Alpha blending by the alpha the stages make from the texture, the vertex
// colour and the texture factor; the draws alternate between opaque and
// translucent so that blending must come back after an opaque draw.
TEST_F(RenderFixture, BlendingFollowsTheAlphaOfTextureVertexAndFactor)
{
    CreateDevice(8, 8);
    struct Case {
        const char* name;
        BYTE vertexAlpha, texelAlpha;
        DWORD alphaOp, alphaArg1, alphaArg2, factor;
        int red; // the red a red quad over blue ends with
    };
    const Case cases[] = {
        {"all opaque", 255, 255, D3DTOP_MODULATE, D3DTA_TEXTURE, D3DTA_DIFFUSE, 0xFFFFFFFF, 255},
        {"vertex half", 128, 255, D3DTOP_MODULATE, D3DTA_TEXTURE, D3DTA_DIFFUSE, 0xFFFFFFFF, 128},
        {"opaque again", 255, 255, D3DTOP_MODULATE, D3DTA_TEXTURE, D3DTA_DIFFUSE, 0xFFFFFFFF, 255},
        {"texel half", 255, 128, D3DTOP_MODULATE, D3DTA_TEXTURE, D3DTA_DIFFUSE, 0xFFFFFFFF, 128},
        {"factor half", 255, 255, D3DTOP_SELECTARG2, D3DTA_TEXTURE, D3DTA_TFACTOR, 0x80FFFFFF, 128},
        {"complement", 255, 255, D3DTOP_SELECTARG1, D3DTA_TEXTURE | D3DTA_COMPLEMENT, D3DTA_DIFFUSE, 0xFFFFFFFF, 0},
        {"vertex ignored", 0, 255, D3DTOP_SELECTARG1, D3DTA_TEXTURE, D3DTA_DIFFUSE, 0xFFFFFFFF, 255},
    };
    SetStates({{D3DRS_ZENABLE, D3DZB_FALSE}, {D3DRS_ALPHABLENDENABLE, TRUE}, {D3DRS_SRCBLEND, D3DBLEND_SRCALPHA},
               {D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA}});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DWORD texels[4];
        for (DWORD& texel : texels)
            texel = ((DWORD)c.texelAlpha << 24) | 0xFFFFFF;
        IDirect3DTexture8* texture = MakeTexture(device, 2, 2, texels);
        device->SetTexture(0, texture);
        device->SetTextureStageState(0, D3DTSS_ALPHAOP, c.alphaOp);
        device->SetTextureStageState(0, D3DTSS_ALPHAARG1, c.alphaArg1);
        device->SetTextureStageState(0, D3DTSS_ALPHAARG2, c.alphaArg2);
        device->SetRenderState(D3DRS_TEXTUREFACTOR, c.factor);
        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0);
        DrawScreenQuad(0, 0, 8, 8, 0.5f, ((DWORD)c.vertexAlpha << 24) | 0xFF0000);
        DWORD pixel = Pixel(4, 4);
        EXPECT_TRUE(Near(Red(pixel), c.red) && Near(Blue(pixel), 255 - c.red)) << std::hex << pixel;
        device->SetTexture(0, nullptr);
        texture->Release();
    }
}

// A texture of a black and a white texel, set on stage 0 as the only colour.
IDirect3DTexture8* SetBlackWhiteTexture(IDirect3DDevice8* device)
{
    const DWORD texels[2] = {0xFF000000, 0xFFFFFFFF};
    IDirect3DTexture8* texture = MakeTexture(device, 2, 1, texels);
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
    device->SetTexture(0, texture);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    device->SetVertexShader(D3DFVF_XYZRHW | D3DFVF_TEX1);
    return texture;
}

// Draws the stage's texture over the whole 16 x 16 target, u from 0 to uMax.
bool DrawTexturedTarget(IDirect3DDevice8* device, float uMax)
{
    struct TexturedScreenVertex {
        float x, y, z, rhw, u, v;
    } quad[4] = {
        {-0.5f, 15.5f, 0.5f, 1, 0, 1}, {-0.5f, -0.5f, 0.5f, 1, 0, 0},
        {15.5f, 15.5f, 0.5f, 1, uMax, 1}, {15.5f, -0.5f, 0.5f, 1, uMax, 0},
    };
    return device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(TexturedScreenVertex)) == D3D_OK;
}

// A black and a white texel stretched over the whole target: the linear
// filter the scenes ask for blends them across the middle, the point filter
// keeps a hard edge.
TEST_F(RenderFixture, MagnifiedTexelsBlendUnderTheLinearFilterAndNotUnderThePointFilter)
{
    CreateDevice(16, 16);
    IDirect3DTexture8* texture = SetBlackWhiteTexture(device);
    device->SetTextureStageState(0, D3DTSS_ADDRESSU, D3DTADDRESS_CLAMP);
    for (DWORD filter : {(DWORD)D3DTEXF_LINEAR, (DWORD)D3DTEXF_POINT}) {
        SCOPED_TRACE(filter);
        device->SetTextureStageState(0, D3DTSS_MINFILTER, filter);
        device->SetTextureStageState(0, D3DTSS_MAGFILTER, filter);
        ASSERT_TRUE(DrawTexturedTarget(device, 1.0f));
        EXPECT_EQ(0u, Pixel(0, 8));
        EXPECT_EQ(0xFFFFFFu, Pixel(15, 8));
        bool linear = filter == D3DTEXF_LINEAR;
        EXPECT_EQ(linear, Red(Pixel(7, 8)) > 64 && Red(Pixel(8, 8)) < 192)
            << std::hex << Pixel(7, 8) << " " << Pixel(8, 8);
    }
    device->SetTexture(0, nullptr);
    texture->Release();
}

// Texture coordinates from 0 to 2 over the whole target: by default the
// texture repeats (the board's coordinates run far past 1); clamped, the
// last texel stretches to the edge.
TEST_F(RenderFixture, CoordinatesBeyondOneRepeatTheTextureByDefaultAndStretchTheEdgeWhenClamped)
{
    CreateDevice(16, 16);
    IDirect3DTexture8* texture = SetBlackWhiteTexture(device);
    ASSERT_TRUE(DrawTexturedTarget(device, 2.0f));
    const DWORD repeated[4] = {0, 0xFFFFFF, 0, 0xFFFFFF};
    for (int band = 0; band < 4; band++)
        EXPECT_EQ(repeated[band], Pixel(band * 4 + 2, 8)) << "band " << band;

    device->SetTextureStageState(0, D3DTSS_ADDRESSU, D3DTADDRESS_CLAMP);
    ASSERT_TRUE(DrawTexturedTarget(device, 2.0f));
    EXPECT_EQ(0u, Pixel(2, 8));
    EXPECT_EQ(0xFFFFFFu, Pixel(10, 8));
    device->SetTexture(0, nullptr);
    texture->Release();
}

// A texture whose level 0 is red and level 1 green, drawn on screen
// rectangles: the mip level shows only where the texture is minified, in
// either direction, and a draw near 1 : 1 keeps the most detailed level.
TEST_F(RenderFixture, MipLevelsShowOnlyWhereTheTextureIsMinified)
{
    CreateDevice(16, 16);
    IDirect3DTexture8* texture = nullptr;
    ASSERT_EQ(D3D_OK, device->CreateTexture(8, 8, 2, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture));
    for (UINT level = 0; level < 2; level++) {
        D3DLOCKED_RECT locked;
        ASSERT_EQ(D3D_OK, texture->LockRect(level, &locked, nullptr, 0));
        UINT edge = 8 >> level;
        for (UINT y = 0; y < edge; y++)
            for (UINT x = 0; x < edge; x++)
                ((DWORD*)((BYTE*)locked.pBits + y * locked.Pitch))[x] = level == 0 ? 0xFFFF0000 : 0xFF00FF00;
        texture->UnlockRect(level);
    }
    struct TexturedScreenVertex {
        float x, y, z, rhw, u, v;
    };
    struct Case {
        const char* name;
        float width, height; // of the rectangle, in pixels
        bool green;
    };
    const Case cases[] = {
        {"magnified", 16, 16, false}, {"one to one", 8, 8, false},   {"minified", 4, 4, true},
        {"minified across", 4, 16, true}, {"minified down", 16, 4, true}, {"one to one again", 8, 8, false},
    };
    device->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetTexture(0, texture);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_POINT);
    device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_POINT);
    device->SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTEXF_POINT);
    device->SetVertexShader(D3DFVF_XYZRHW | D3DFVF_TEX1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
        TexturedScreenVertex quad[4] = {
            {-0.5f, c.height - 0.5f, 0.5f, 1.0f, 0.0f, 1.0f},
            {-0.5f, -0.5f, 0.5f, 1.0f, 0.0f, 0.0f},
            {c.width - 0.5f, c.height - 0.5f, 0.5f, 1.0f, 1.0f, 1.0f},
            {c.width - 0.5f, -0.5f, 0.5f, 1.0f, 1.0f, 0.0f},
        };
        ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(TexturedScreenVertex)));
        DWORD pixel = Pixel(1, 1);
        EXPECT_EQ(c.green ? 0xFF00FF00u : 0xFFFF0000u, pixel | 0xFF000000u) << std::hex << pixel;
    }
    device->SetTexture(0, nullptr);
    texture->Release();
}

TEST_F(RenderFixture, StencilPassesMarkPixelsThatADarkeningQuadThenShades)
{
    CreateDevice(64, 32);
    SetSimpleCamera();
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, D3DCOLOR_XRGB(255, 255, 255),
                  1.0f, 0);
    // An occluder near the camera, over screen columns 20 to 24.
    DrawColorQuad(device, -3, -1, -2, 1, 4, 0xFFFFFFFF);

    SetStates({{D3DRS_ZWRITEENABLE, FALSE}, {D3DRS_STENCILENABLE, TRUE}, {D3DRS_STENCILFUNC, D3DCMP_ALWAYS},
               {D3DRS_STENCILREF, 1}, {D3DRS_STENCILMASK, 0xFFFFFFFF}, {D3DRS_STENCILWRITEMASK, 0xFFFFFFFF},
               {D3DRS_STENCILZFAIL, D3DSTENCILOP_KEEP}, {D3DRS_STENCILFAIL, D3DSTENCILOP_KEEP},
               {D3DRS_ALPHABLENDENABLE, TRUE}, {D3DRS_SRCBLEND, D3DBLEND_ZERO}, {D3DRS_DESTBLEND, D3DBLEND_ONE}});

    // Pass 1: front faces increment over x in [-8, 8] (the occluded part stays 0).
    SetStates({{D3DRS_STENCILPASS, D3DSTENCILOP_INCR}, {D3DRS_CULLMODE, D3DCULL_CCW}});
    DrawColorQuad(device, -8, -1, 8, 1, 8, 0xFFFF0000);
    // Pass 2: counter-clockwise faces decrement (wrapping) over x in [0, 12].
    ColorVertex back[6];
    FillColorQuad(back, 0, -1, 12, 1, 8, 0xFFFF0000);
    std::swap(back[0], back[1]);
    std::swap(back[3], back[4]);
    SetStates({{D3DRS_STENCILPASS, D3DSTENCILOP_DECR}, {D3DRS_CULLMODE, D3DCULL_CW}});
    device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2, back, sizeof(ColorVertex));
    EXPECT_EQ(0xFFFFFFu, Pixel(20, 16)) << "the volume passes must not write colour";

    SetStencilShadeStates(device);
    DrawScreenQuad(0, 0, 64, 32, 0, D3DCOLOR_ARGB(127, 0, 0, 0));
    SavePicture("platform_stencil");

    // At depth 8 the view spans x in [-16, 16]: screen column = 32 + 2 x, so
    // the incrementing quad covers columns 16-48 and the decrementing one 32-56.
    // Columns 28 (stencil 1) and 52 (decrement wrapped to 255) are darkened; behind the
    // occluder (22) the depth test failed, at 36 both passes met, 4 and row 4 lie outside.
    const PixelCheck checks[] = {
        {28, 16, 0x808080}, {22, 16, 0xFFFFFF}, {36, 16, 0xFFFFFF},
        {52, 16, 0x808080}, {4, 16, 0xFFFFFF},  {28, 4, 0xFFFFFF},
    };
    for (const PixelCheck& c : checks)
        EXPECT_TRUE(Near(Red(Pixel(c.x, c.y)), Red(c.color), 2)) << c.x << "," << c.y;
}

// A cube texture whose faces are drawn by the environment-map renderer (a
// render target per face), seen on a mirror through camera-space
// reflection vectors.
TEST_F(RenderFixture, CubeFacesDrawnAsRenderTargetsAreSeenByReflection)
{
    CreateDevice(64, 64);
    IDirect3DCubeTexture8* cube = nullptr;
    ASSERT_EQ(D3D_OK, device->CreateCubeTexture(32, 1, 0, D3DFMT_X8R8G8B8, D3DPOOL_MANAGED, &cube));
    ID3DXRenderToEnvMap* envMap = nullptr;
    ASSERT_EQ(D3D_OK, D3DXCreateRenderToEnvMap(device, 32, D3DFMT_X8R8G8B8, TRUE, D3DFMT_D16, &envMap));
    IDirect3DSurface8* backBuffer = nullptr;
    ASSERT_EQ(D3D_OK, device->GetRenderTarget(&backBuffer));
    // Each face: its own colour below, and the colour with blue 0xFF in its top half.
    const D3DCOLOR faceColors[6] = {0xFF800000, 0xFF008000, 0xFF808000, 0xFF008080, 0xFF404000, 0xFF800080};
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    ASSERT_EQ(D3D_OK, envMap->BeginCube(cube));
    for (int face = 0; face < 6; face++) {
        ASSERT_EQ(D3D_OK, envMap->Face((D3DCUBEMAP_FACES)face));
        device->Clear(0, nullptr, D3DCLEAR_TARGET, faceColors[face], 1.0f, 0);
        DrawScreenQuad(0, 0, 32, 16, 0, faceColors[face] | 0xFF);
    }
    ASSERT_EQ(D3D_OK, envMap->End());
    IDirect3DSurface8* current = nullptr;
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
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, mirror, sizeof(LitVertex)));
    SavePicture("platform_cube_reflection");
    // Looking straight at the mirror shows the face behind the viewer (-z):
    // its upper half above the centre, its lower half below.
    EXPECT_EQ(0x8000FFu, Pixel(32, 24));
    EXPECT_EQ(0x800080u, Pixel(32, 40));

    // A texture transform turns the reflected direction (0, 0, -1) into (-1, 0, 0).
    D3DMATRIX turn = IdentityMatrix();
    turn._11 = turn._33 = 0.0f;
    turn._13 = -1.0f;
    turn._31 = 1.0f;
    device->SetTransform(D3DTS_TEXTURE0, &turn);
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, mirror, sizeof(LitVertex));
    EXPECT_EQ(0x008000u, Pixel(32, 40));

    // Without the transform flag the matrix is not used; normals tilted
    // towards -x reflect the -x face directly.
    device->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
    for (LitVertex& v : mirror) {
        v.nx = -0.70710677f;
        v.nz = -0.70710677f;
    }
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, mirror, sizeof(LitVertex));
    EXPECT_EQ(0x008000u, Pixel(32, 40));
    device->SetTexture(0, nullptr);
    cube->Release();
}
