// Costs of single draws through the Direct3D layer that do not depend on how
// many pixels they cover: a pretransformed indexed quad taken from a small and
// from a large vertex buffer, and lit boxes drawn one after another under an
// unchanged light and material.
#include "HeadlessDevice.h"
#include "TestGeometry.h"

#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <stdlib.h>

namespace {

// A device with a vertex buffer of `vertexCount` pretransformed vertices and an
// index buffer naming only the last four of them: a 2 x 2 pixel quad.
class IndexedQuad {
public:
    explicit IndexedQuad(UINT vertexCount)
    {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        if (!headless.Open(64, 64))
            return;
        device = headless.device;
        device->CreateVertexBuffer(vertexCount * sizeof(ScreenVertex), D3DUSAGE_WRITEONLY, FVF_SCREEN,
                                   D3DPOOL_MANAGED, &vertices);
        device->CreateIndexBuffer(6 * sizeof(WORD), D3DUSAGE_WRITEONLY, D3DFMT_INDEX16, D3DPOOL_MANAGED, &indices);
        if (!vertices || !indices)
            return;
        BYTE* data = nullptr;
        vertices->Lock(0, 0, &data, 0);
        ScreenVertex* out = (ScreenVertex*)data;
        for (UINT i = 0; i < vertexCount; i++) {
            ScreenVertex v = {(float)(i & 1) * 2.0f, (float)((i >> 1) & 1) * 2.0f, 0.5f, 1.0f, 0xFFFFFFFF};
            out[i] = v;
        }
        vertices->Unlock();
        WORD base = (WORD)(vertexCount - 4);
        WORD quad[6] = {base, (WORD)(base + 1), (WORD)(base + 2), (WORD)(base + 2), (WORD)(base + 1),
                        (WORD)(base + 3)};
        indices->Lock(0, 0, &data, 0);
        memcpy(data, quad, sizeof(quad));
        indices->Unlock();
        device->SetRenderState(D3DRS_ZENABLE, FALSE);
        device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        device->SetVertexShader(FVF_SCREEN);
        device->SetStreamSource(0, vertices, sizeof(ScreenVertex));
        device->SetIndices(indices, 0);
        ready = true;
    }

    ~IndexedQuad()
    {
        if (device) {
            device->SetStreamSource(0, nullptr, 0);
            device->SetIndices(nullptr, 0);
        }
        if (indices)
            indices->Release();
        if (vertices)
            vertices->Release();
    }

    HeadlessDevice headless;
    IDirect3DDevice8* device = nullptr;
    IDirect3DVertexBuffer8* vertices = nullptr;
    IDirect3DIndexBuffer8* indices = nullptr;
    bool ready = false;
};

// 100 quads a round, then the pipeline is drained so every draw is paid for.
void BM_PretransformedIndexedQuad(benchmark::State& state)
{
    IndexedQuad scene((UINT)state.range(0));
    if (!scene.ready) {
        state.SkipWithError("no Direct3D device");
        return;
    }
    IDirect3DDevice8* device = scene.device;
    UINT first = (UINT)state.range(0) - 4;
    for (auto _ : state) {
        for (int i = 0; i < 100; i++)
            device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, first, 4, 0, 2);
        glFinish();
    }
    state.SetItemsProcessed(state.iterations() * 100);
}

// Small lit boxes, each under its own world matrix, with one light and one
// material that never change: what the board's stones cost apart from pixels.
void BM_LitBoxesUnderOneLight(benchmark::State& state)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    HeadlessDevice headless;
    if (!headless.Open(64, 64)) {
        state.SkipWithError("no Direct3D device");
        return;
    }
    IDirect3DDevice8* device = headless.device;
    LitVertex box[36];
    for (int i = 0; i < 36; i++) {
        LitVertex v = {(float)(i % 3) * 0.01f, (float)((i + 1) % 3) * 0.01f, 5.0f, 0, 0, -1, 0xFFFFFFFF, 0, 0};
        box[i] = v;
    }
    D3DMATERIAL8 material = WhiteMaterial();
    device->SetMaterial(&material);
    D3DLIGHT8 light = WhiteLight(0.0f, 0.0f, 1.0f);
    device->SetLight(0, &light);
    device->LightEnable(0, TRUE);
    D3DMATRIX projection = PerspectiveMatrix(0.9f, 1.0f, 1.0f, 100.0f);
    device->SetTransform(D3DTS_PROJECTION, &projection);
    device->SetVertexShader(FVF_LIT);
    for (auto _ : state) {
        for (int i = 0; i < 540; i++) {
            D3DMATRIX world = TranslationMatrix((float)(i % 30) * 0.001f, 0.0f, 0.0f);
            device->SetTransform(D3DTS_WORLD, &world);
            device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 12, box, sizeof(LitVertex));
        }
        glFinish();
    }
    state.SetItemsProcessed(state.iterations() * 540);
}

} // namespace

BENCHMARK(BM_PretransformedIndexedQuad)->Arg(4)->Arg(65536)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_LitBoxesUnderOneLight)->Unit(benchmark::kMicrosecond)->UseRealTime();
