// The device sends lights and material to OpenGL only when they change, and
// converts pretransformed vertices only over the range a draw reads. These
// tests change one thing between draws and check that the pixels follow.
#include "HeadlessDevice.h"
#include "TestGeometry.h"

#include <gtest/gtest.h>

#include <math.h>
#include <string.h>

#include <vector>

namespace {

class DrawPathTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(headless.Open(32, 32));
        device = headless.device;
    }
    void TearDown() override { EXPECT_EQ(0u, headless.Close()); }

    HeadlessDevice headless;
    IDirect3DDevice8* device = nullptr;
};

bool Near(DWORD pixel, DWORD expected)
{
    for (int shift = 0; shift < 24; shift += 8) {
        int a = (int)((pixel >> shift) & 0xFF);
        int b = (int)((expected >> shift) & 0xFF);
        if (a < b - 3 || a > b + 3)
            return false;
    }
    return true;
}

D3DMATERIAL8 DiffuseMaterial(float r, float g, float b)
{
    D3DMATERIAL8 material;
    memset(&material, 0, sizeof(material));
    material.Diffuse.r = r;
    material.Diffuse.g = g;
    material.Diffuse.b = b;
    material.Diffuse.a = 1.0f;
    return material;
}

// The rows of a rotation are the columns of its inverse.
D3DMATRIX Transposed(const D3DMATRIX& m)
{
    D3DMATRIX t;
    for (int row = 0; row < 4; row++)
        for (int column = 0; column < 4; column++)
            t.m[row][column] = m.m[column][row];
    return t;
}

// One change to the device, then the pixel a lit, blue-vertexed quad straight
// ahead of the camera must give. Every step starts from where the last ended.
struct LightingStep {
    const char* what;
    void (*change)(IDirect3DDevice8* device);
    DWORD expected;
};

const LightingStep lightingSteps[] = {
    {"material alone", [](IDirect3DDevice8*) {}, 0xFF0000},
    {"new material",
     [](IDirect3DDevice8* device) {
         D3DMATERIAL8 green = DiffuseMaterial(0, 1, 0);
         device->SetMaterial(&green);
     },
     0x00FF00},
    {"vertex colour as diffuse",
     [](IDirect3DDevice8* device) { device->SetRenderState(D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_COLOR1); },
     0x0000FF},
    // Tracking the vertex colour overwrote OpenGL's diffuse material.
    {"material again after the vertex colour",
     [](IDirect3DDevice8* device) { device->SetRenderState(D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_MATERIAL); },
     0x00FF00},
    {"light off", [](IDirect3DDevice8* device) { device->LightEnable(0, FALSE); }, 0x000000},
    {"light on", [](IDirect3DDevice8* device) { device->LightEnable(0, TRUE); }, 0x00FF00},
    {"light turned away",
     [](IDirect3DDevice8* device) {
         D3DLIGHT8 light = WhiteLight(0, 0, -1);
         device->SetLight(0, &light);
     },
     0x000000},
    {"light back", [](IDirect3DDevice8* device) {
         D3DLIGHT8 light = WhiteLight(0, 0, 1);
         device->SetLight(0, &light);
     },
     0x00FF00},
    // The camera turns 60 degrees and the quad with it, so the quad still
    // faces the camera but meets the world's light at 60 degrees.
    {"view turned",
     [](IDirect3DDevice8* device) {
         D3DMATRIX view = LookToMatrix(sinf(1.0471976f), 0, cosf(1.0471976f), 0, 1, 0);
         D3DMATRIX world = Transposed(view);
         device->SetTransform(D3DTS_VIEW, &view);
         device->SetTransform(D3DTS_WORLD, &world);
     },
     0x008000},
    {"lighting off",
     [](IDirect3DDevice8* device) { device->SetRenderState(D3DRS_LIGHTING, FALSE); },
     0x0000FF},
    {"lighting on", [](IDirect3DDevice8* device) { device->SetRenderState(D3DRS_LIGHTING, TRUE); }, 0x008000},
    // The ambient light is reflected by the material's ambient colour, not its diffuse one.
    {"ambient light, material without ambient",
     [](IDirect3DDevice8* device) { device->SetRenderState(D3DRS_AMBIENT, 0x404040); }, 0x008000},
    {"material with ambient",
     [](IDirect3DDevice8* device) {
         D3DMATERIAL8 green = DiffuseMaterial(0, 1, 0);
         green.Ambient.r = green.Ambient.b = 1.0f;
         device->SetMaterial(&green);
     },
     0x408040},
};

TEST_F(DrawPathTest, EveryChangeOfLightMaterialOrViewShowsInTheNextDraw)
{
    D3DMATRIX identity = IdentityMatrix();
    D3DMATRIX projection = PerspectiveMatrix(1.5707964f, 1.0f, 1.0f, 100.0f);
    device->SetTransform(D3DTS_WORLD, &identity);
    device->SetTransform(D3DTS_VIEW, &identity);
    device->SetTransform(D3DTS_PROJECTION, &projection);
    D3DMATERIAL8 red = DiffuseMaterial(1, 0, 0);
    device->SetMaterial(&red);
    D3DLIGHT8 light = WhiteLight(0, 0, 1);
    device->SetLight(0, &light);
    device->LightEnable(0, TRUE);
    device->SetRenderState(D3DRS_DIFFUSEMATERIALSOURCE, D3DMCS_MATERIAL);
    device->SetVertexShader(FVF_LIT);
    LitVertex quad[4];
    for (int i = 0; i < 4; i++) {
        LitVertex v = {i % 2 ? 3.0f : -3.0f, i < 2 ? 3.0f : -3.0f, 5, 0, 0, -1, 0xFF0000FF, 0, 0};
        quad[i] = v;
    }
    // A state block taken now must bring the red material back at the end.
    DWORD block = 0;
    ASSERT_EQ(D3D_OK, device->CreateStateBlock(D3DSBT_ALL, &block));

    for (const LightingStep& step : lightingSteps) {
        step.change(device);
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF808080, 1.0f, 0);
        ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(LitVertex)));
        DWORD pixel = headless.Pixel(16, 16);
        EXPECT_TRUE(Near(pixel, step.expected)) << step.what << ": " << std::hex << pixel;
    }

    ASSERT_EQ(D3D_OK, device->ApplyStateBlock(block));
    device->DeleteStateBlock(block);
    ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(LitVertex)));
    EXPECT_TRUE(Near(headless.Pixel(16, 16), 0xFF0000)) << std::hex << headless.Pixel(16, 16);
}

// The projection is sent only when it changes, and a pretransformed draw in
// between must not leave its screen mapping behind for the next scene draw.
TEST_F(DrawPathTest, ProjectionChangesAndPretransformedDrawsInBetweenShowInTheNextDraw)
{
    D3DMATRIX identity = IdentityMatrix();
    D3DMATRIX wide = PerspectiveMatrix(1.5707964f, 1.0f, 1.0f, 100.0f);
    D3DMATRIX narrow = PerspectiveMatrix(0.3f, 1.0f, 1.0f, 100.0f);
    device->SetTransform(D3DTS_VIEW, &identity);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    // A red quad at depth 5 reaching half way to the edges under the wide view.
    ColorVertex quad[4];
    for (int i = 0; i < 4; i++) {
        ColorVertex v = {i % 2 ? 2.5f : -2.5f, i < 2 ? 2.5f : -2.5f, 5, 0xFFFF0000};
        quad[i] = v;
    }
    struct Step {
        const D3DMATRIX* projection; // null: left as it is
        bool screenQuadFirst;
        DWORD corner; // pixel (2, 2): covered only under the narrow view
    } steps[] = {{&wide, false, 0x0000FF}, {&narrow, false, 0xFF0000}, {nullptr, true, 0xFF0000},
                 {&wide, true, 0x0000FF}, {nullptr, true, 0x0000FF}};
    for (const Step& step : steps) {
        if (step.projection)
            device->SetTransform(D3DTS_PROJECTION, step.projection);
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF0000FF, 1.0f, 0);
        if (step.screenQuadFirst) {
            ASSERT_EQ(D3D_OK, DrawScreenQuad(device, 20, 20, 22, 22, 0.5f, 0xFF00FF00));
        }
        for (int world = 0; world < 2; world++) {
            D3DMATRIX move = TranslationMatrix(0, 0, (float)world * 0.5f);
            device->SetTransform(D3DTS_WORLD, &move);
            device->SetVertexShader(FVF_COLOR);
            ASSERT_EQ(D3D_OK, device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(ColorVertex)));
        }
        EXPECT_EQ(0xFF0000u, headless.Pixel(16, 16));
        EXPECT_EQ(step.corner, headless.Pixel(2, 2)) << std::hex << headless.Pixel(2, 2);
    }
}

IDirect3DTexture8* SolidTexture(IDirect3DDevice8* device, DWORD color)
{
    IDirect3DTexture8* texture = nullptr;
    if (FAILED(device->CreateTexture(2, 2, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture)))
        return nullptr;
    D3DLOCKED_RECT locked;
    texture->LockRect(0, &locked, nullptr, 0);
    for (int y = 0; y < 2; y++)
        for (int x = 0; x < 2; x++)
            ((DWORD*)((BYTE*)locked.pBits + y * locked.Pitch))[x] = color;
    texture->UnlockRect(0);
    return texture;
}

// Texture stages are sent only when their inputs change; a texture made after
// another was deleted (and given its OpenGL name) must still be the one drawn.
TEST_F(DrawPathTest, TextureStagesFollowEveryChangeOfTextureAndStageState)
{
    struct TexturedVertex {
        float x, y, z, rhw;
        DWORD color;
        float u, v;
    } quad[4];
    for (int i = 0; i < 4; i++) {
        TexturedVertex v = {i % 2 ? 31.5f : -0.5f, i < 2 ? -0.5f : 31.5f, 0.5f, 1, 0xFFFFFFFF, 0.5f, 0.5f};
        quad[i] = v;
    }
    device->SetRenderState(D3DRS_ZENABLE, FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetVertexShader(D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1);
    IDirect3DTexture8* red = SolidTexture(device, 0xFFFF0000);
    IDirect3DTexture8* blue = SolidTexture(device, 0xFF0000FF);
    ASSERT_TRUE(red && blue);
    auto drawn = [&](IDirect3DTexture8* texture) {
        device->SetTexture(0, texture);
        device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(quad[0]));
        return headless.Pixel(16, 16);
    };
    EXPECT_EQ(0xFF0000u, drawn(red));
    EXPECT_EQ(0x0000FFu, drawn(blue));
    EXPECT_EQ(0xFF0000u, drawn(red));
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG2); // the vertex colour alone
    EXPECT_EQ(0xFFFFFFu, drawn(red));
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    EXPECT_EQ(0xFF0000u, drawn(red));
    EXPECT_EQ(0xFFFFFFu, drawn(nullptr));

    device->SetTexture(0, nullptr);
    red->Release();
    IDirect3DTexture8* green = SolidTexture(device, 0xFF00FF00);
    ASSERT_TRUE(green != nullptr);
    EXPECT_EQ(0x00FF00u, drawn(green));
    device->SetTexture(0, nullptr);
    green->Release();
    blue->Release();
}

// Quads taken by index from anywhere in a buffer of pretransformed vertices,
// in turn from its end, its start and its end again, land where their own
// vertices say; the caller's vertex range does not matter.
TEST_F(DrawPathTest, PretransformedIndexedDrawsReadTheVerticesTheirIndicesName)
{
    const UINT count = 1000;
    IDirect3DVertexBuffer8* buffer = nullptr;
    IDirect3DIndexBuffer8* indexBuffer = nullptr;
    ASSERT_EQ(D3D_OK, device->CreateVertexBuffer(count * sizeof(ScreenVertex), 0, FVF_SCREEN, D3DPOOL_MANAGED,
                                                 &buffer));
    ASSERT_EQ(D3D_OK, device->CreateIndexBuffer(12 * sizeof(WORD), 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &indexBuffer));
    // Vertex 4k + corner is a corner of quad k: an 8-pixel square in row k % 4.
    std::vector<ScreenVertex> vertices(count);
    for (UINT i = 0; i < count; i++) {
        UINT k = i / 4;
        float x = (float)((k % 4) * 8) + ((i & 1) ? 8.0f : 0.0f) - 0.5f;
        float y = (float)(((k / 4) % 4) * 8) + ((i & 2) ? 8.0f : 0.0f) - 0.5f;
        ScreenVertex v = {x, y, 0.5f, 2.0f, 0xFF000000 | (k * 0x10203)};
        vertices[i] = v;
    }
    BYTE* data = nullptr;
    ASSERT_EQ(D3D_OK, buffer->Lock(0, 0, &data, 0));
    memcpy(data, vertices.data(), count * sizeof(ScreenVertex));
    buffer->Unlock();
    // Quad 249 (the buffer's last, row 2 column 1) then quad 0 (top left).
    WORD indices[12] = {996, 997, 998, 998, 997, 999, 0, 1, 2, 2, 1, 3};
    ASSERT_EQ(D3D_OK, indexBuffer->Lock(0, 0, &data, 0));
    memcpy(data, indices, sizeof(indices));
    indexBuffer->Unlock();

    device->SetRenderState(D3DRS_ZENABLE, FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetVertexShader(FVF_SCREEN);
    device->SetStreamSource(0, buffer, sizeof(ScreenVertex));
    device->SetIndices(indexBuffer, 0);
    device->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFFFFFFFF, 1.0f, 0);
    EXPECT_EQ(D3D_OK, device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 996, 4, 0, 2));
    EXPECT_EQ(D3D_OK, device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 4, 6, 2));
    EXPECT_EQ(D3D_OK, device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 996, 4, 0, 2));
    // From user memory with a vertex range that names none of the vertices.
    WORD middle[6] = {20, 21, 22, 22, 21, 23}; // quad 5: row 1, column 1
    EXPECT_EQ(D3D_OK, device->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 0, 1, 2, middle, D3DFMT_INDEX16,
                                                     vertices.data(), sizeof(ScreenVertex)));
    device->SetStreamSource(0, nullptr, 0);
    device->SetIndices(nullptr, 0);
    buffer->Release();
    indexBuffer->Release();

    EXPECT_EQ(249u * 0x10203u & 0xFFFFFF, headless.Pixel(12, 20));
    EXPECT_EQ(0u, headless.Pixel(4, 4));
    EXPECT_EQ(5u * 0x10203u, headless.Pixel(12, 12));
    EXPECT_EQ(0xFFFFFFu, headless.Pixel(28, 28));
}

} // namespace
