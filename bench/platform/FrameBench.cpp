// Time of one frame of a board-sized scene at 1024 x 768 offscreen: 540 lit,
// textured boxes from vertex buffers, shadow volumes drawn in two stencil
// passes (front faces incrementing, back faces decrementing) and a darkening
// pretransformed quad over the stencilled pixels.
#include "HeadlessDevice.h"
#include "TestGeometry.h"

#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <math.h>
#include <stdlib.h>

#include <vector>

namespace {

struct VolumeVertex {
    float x, y, z;
};

const int boxesAcross = 30;
const int boxesDeep = 18; // 30 x 18 = 540 boxes

// Vertex i (0..35) of a unit cube: six faces, each as two triangles wound
// clockwise when seen from outside.
void CubeVertex(int i, float* position, float* normal, float* uv)
{
    static const float corners[8][3] = {{-1, -1, -1}, {1, -1, -1}, {-1, 1, -1}, {1, 1, -1},
                                        {-1, -1, 1},  {1, -1, 1},  {-1, 1, 1},  {1, 1, 1}};
    static const int faces[6][4] = {{2, 3, 0, 1}, {7, 6, 5, 4}, {6, 2, 4, 0}, {3, 7, 1, 5}, {6, 7, 2, 3}, {0, 1, 4, 5}};
    static const float normals[6][3] = {{0, 0, -1}, {0, 0, 1}, {-1, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, -1, 0}};
    static const int order[6] = {0, 1, 2, 2, 1, 3};
    static const float uvs[4][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    int face = i / 6;
    int corner = order[i % 6];
    memcpy(position, corners[faces[face][corner]], 3 * sizeof(float));
    memcpy(normal, normals[face], 3 * sizeof(float));
    memcpy(uv, uvs[corner], 2 * sizeof(float));
}

class FrameScene {
public:
    FrameScene()
    {
        if (!headless.Open(1024, 768))
            return;
        device = headless.device;

        device->CreateVertexBuffer(36 * sizeof(LitVertex), D3DUSAGE_WRITEONLY, FVF_LIT, D3DPOOL_MANAGED, &box);
        BYTE* data = nullptr;
        box->Lock(0, 0, &data, 0);
        LitVertex* out = (LitVertex*)data;
        for (int i = 0; i < 36; i++) {
            float p[3], n[3], t[2];
            CubeVertex(i, p, n, t);
            LitVertex v = {p[0] * 0.4f, p[1] * 0.4f, p[2] * 0.4f, n[0], n[1], n[2], 0xFFFFFFFF, t[0], t[1]};
            out[i] = v;
            // Each box casts a volume reaching down and away from the light.
            VolumeVertex s = {p[0] * 0.4f + (p[1] < 0 ? 0.6f : 0.0f), p[1] * 0.4f - (p[1] < 0 ? 1.2f : 0.0f),
                              p[2] * 0.4f};
            volume.push_back(s);
        }
        box->Unlock();

        device->CreateTexture(64, 64, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture);
        D3DLOCKED_RECT locked;
        texture->LockRect(0, &locked, nullptr, 0);
        for (int y = 0; y < 64; y++) {
            DWORD* row = (DWORD*)((BYTE*)locked.pBits + y * locked.Pitch);
            for (int x = 0; x < 64; x++)
                row[x] = ((x / 8 + y / 8) & 1) ? 0xFFC08040 : 0xFF4080C0;
        }
        texture->UnlockRect(0);

        SetUpCamera();
    }

    ~FrameScene()
    {
        if (texture)
            texture->Release();
        if (box)
            box->Release();
    }

    bool Ready() const { return device && box && texture; }

    void SetUpCamera()
    {
        // Looking down onto the field of boxes from above and in front.
        D3DMATRIX view = IdentityMatrix();
        float tilt = 0.6f;
        view._22 = cosf(tilt);
        view._23 = -sinf(tilt);
        view._32 = sinf(tilt);
        view._33 = cosf(tilt);
        view._42 = 0.0f;
        view._43 = 30.0f;
        D3DMATRIX projection = PerspectiveMatrix(0.3f * 3.1415927f, 1024.0f / 768.0f, 1.0f, 1000.0f);
        device->SetTransform(D3DTS_VIEW, &view);
        device->SetTransform(D3DTS_PROJECTION, &projection);

        D3DMATERIAL8 material = WhiteMaterial();
        device->SetMaterial(&material);
        D3DLIGHT8 light = WhiteLight(-0.577f, -0.577f, 0.577f);
        device->SetLight(0, &light);
        device->LightEnable(0, TRUE);
        device->SetRenderState(D3DRS_AMBIENT, 0x0F0F0F);
        device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
        device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
    }

    D3DMATRIX BoxWorld(int column, int row)
    {
        D3DMATRIX world = IdentityMatrix();
        world._41 = (column - boxesAcross / 2) * 1.0f;
        world._43 = (row - boxesDeep / 2) * 1.0f;
        return world;
    }

    void DrawFrame()
    {
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, 0xFF202040, 1.0f, 0);
        device->BeginScene();
        device->SetRenderState(D3DRS_LIGHTING, TRUE);
        device->SetTexture(0, texture);
        device->SetVertexShader(FVF_LIT);
        device->SetStreamSource(0, box, sizeof(LitVertex));
        for (int row = 0; row < boxesDeep; row++) {
            for (int column = 0; column < boxesAcross; column++) {
                D3DMATRIX world = BoxWorld(column, row);
                device->SetTransform(D3DTS_WORLD, &world);
                device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 12);
            }
        }

        // Shadow volumes: z-test on, z-write off, colour killed by blending.
        device->SetTexture(0, nullptr);
        device->SetRenderState(D3DRS_LIGHTING, FALSE);
        device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
        device->SetRenderState(D3DRS_STENCILENABLE, TRUE);
        device->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_ALWAYS);
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
        device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ZERO);
        device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
        device->SetVertexShader(D3DFVF_XYZ);
        for (int pass = 0; pass < 2; pass++) {
            device->SetRenderState(D3DRS_CULLMODE, pass == 0 ? D3DCULL_CCW : D3DCULL_CW);
            device->SetRenderState(D3DRS_STENCILPASS, pass == 0 ? D3DSTENCILOP_INCR : D3DSTENCILOP_DECR);
            for (int row = 0; row < boxesDeep; row++) {
                for (int column = 0; column < boxesAcross; column++) {
                    D3DMATRIX world = BoxWorld(column, row);
                    device->SetTransform(D3DTS_WORLD, &world);
                    device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 12, volume.data(), sizeof(VolumeVertex));
                }
            }
        }

        // The darkening quad where 1 <= stencil.
        SetStencilShadeStates(device);
        DrawScreenQuad(device, 0, 0, 1024, 768, 0, 0x7F000000);

        device->SetRenderState(D3DRS_ZENABLE, TRUE);
        device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
        device->SetRenderState(D3DRS_STENCILENABLE, FALSE);
        device->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
        device->EndScene();
        device->Present(nullptr, nullptr, nullptr, nullptr);
        glFinish();
    }

    HeadlessDevice headless;
    IDirect3DDevice8* device = nullptr;
    IDirect3DVertexBuffer8* box = nullptr;
    IDirect3DTexture8* texture = nullptr;
    std::vector<VolumeVertex> volume;
};

void BM_FrameOf540LitTexturedBoxesWithTwoStencilPasses(benchmark::State& state)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    FrameScene scene;
    if (!scene.Ready()) {
        state.SkipWithError("no Direct3D device");
        return;
    }
    scene.DrawFrame();
    for (auto _ : state)
        scene.DrawFrame();
    scene.headless.SavePicture("platform_bench_frame.png");
}

} // namespace

BENCHMARK(BM_FrameOf540LitTexturedBoxesWithTwoStencilPasses)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();
