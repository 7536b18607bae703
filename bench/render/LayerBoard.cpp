#include "LayerBoard.h"

#include "ReplayGeometry.h"

#include "CGridView.h"
#include "CZarulApplication.h"

#include <GL/gl.h>

namespace {

IDirect3DVertexBuffer8* MakeBuffer(IDirect3DDevice8* device, const void* bytes, UINT length, DWORD format)
{
    IDirect3DVertexBuffer8* buffer = nullptr;
    if (FAILED(device->CreateVertexBuffer(length, D3DUSAGE_WRITEONLY, format, D3DPOOL_MANAGED, &buffer)))
        return nullptr;
    BYTE* data = nullptr;
    buffer->Lock(0, 0, &data, 0);
    memcpy(data, bytes, length);
    buffer->Unlock();
    return buffer;
}

} // namespace

LayerBoard::LayerBoard(const BoardRecord& record_) : record(record_)
{
    if (!headless.Open((UINT)record.width, (UINT)record.height))
        return;
    device = headless.device;
    for (int t = 0; t < REPLAY_TEXTURES; t++) {
        if (FAILED(device->CreateTexture(REPLAY_TEXTURE_SIZE, REPLAY_TEXTURE_SIZE, 1, 0, D3DFMT_A8R8G8B8,
                                         D3DPOOL_MANAGED, &textures[t])))
            return;
        D3DLOCKED_RECT locked;
        textures[t]->LockRect(0, &locked, nullptr, 0);
        for (int y = 0; y < REPLAY_TEXTURE_SIZE; y++) {
            DWORD* row = (DWORD*)((BYTE*)locked.pBits + y * locked.Pitch);
            for (int x = 0; x < REPLAY_TEXTURE_SIZE; x++)
                row[x] = ReplayTexel(t, x, y);
        }
        textures[t]->UnlockRect(0);
    }
    if (FAILED(device->CreateCubeTexture(REPLAY_CUBE_SIZE, 1, 0, D3DFMT_X8R8G8B8, D3DPOOL_MANAGED, &cube)))
        return;
    for (int face = 0; face < 6; face++) {
        D3DLOCKED_RECT locked;
        cube->LockRect((D3DCUBEMAP_FACES)face, 0, &locked, nullptr, 0);
        for (int y = 0; y < REPLAY_CUBE_SIZE; y++) {
            DWORD* row = (DWORD*)((BYTE*)locked.pBits + y * locked.Pitch);
            for (int x = 0; x < REPLAY_CUBE_SIZE; x++)
                row[x] = ReplayCubeTexel(face, x, y);
        }
        cube->UnlockRect((D3DCUBEMAP_FACES)face, 0);
    }

    volumes.resize(record.volumes.size());
    for (size_t i = 0; i < record.volumes.size(); i++) {
        const std::vector<float>& positions = record.volumes[i].positions;
        CShadowVolume& volume = volumes[i];
        volume.count = (DWORD)(positions.size() / 3);
        if (volume.count > CShadowVolume::MAX_VERTICES)
            return;
        for (DWORD v = 0; v < volume.count; v++)
            volume.vertices[v] = D3DXVECTOR3(positions[v * 3], positions[v * 3 + 1], positions[v * 3 + 2]);
    }
    slab = MakeBuffer(device, record.slab.data(), (UINT)record.slab.size(), BoardRecord::BOX_FORMAT);
    for (size_t i = 0; i < record.stones.size(); i++)
        stones.push_back(MakeBuffer(device, record.stones[i].box.data(), (UINT)record.stones[i].box.size(),
                                    BoardRecord::BOX_FORMAT));
    std::vector<BYTE> quad = ShadowQuadVertices(record.width, record.height);
    shadowQuad = MakeBuffer(device, quad.data(), (UINT)quad.size(), REPLAY_SHADOW_QUAD_FORMAT);
    std::vector<BYTE> picture = BackgroundVertices(record.width, record.height);
    background = MakeBuffer(device, picture.data(), (UINT)picture.size(), REPLAY_SCREEN_FORMAT);
    if (!slab || !shadowQuad || !background)
        return;
    for (size_t i = 0; i < stones.size(); i++)
        if (!stones[i])
            return;

    // What the game's frame sets up once.
    device->SetTransform(D3DTS_VIEW, &record.view);
    device->SetTransform(D3DTS_PROJECTION, &record.projection);
    device->SetLight(0, &record.light);
    device->LightEnable(0, TRUE);
    device->SetRenderState(D3DRS_AMBIENT, record.ambient);
    for (DWORD stage = 0; stage < 2; stage++) {
        device->SetTextureStageState(stage, D3DTSS_COLOROP, D3DTOP_MODULATE);
        device->SetTextureStageState(stage, D3DTSS_COLORARG1, D3DTA_TEXTURE);
        device->SetTextureStageState(stage, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
        device->SetTextureStageState(stage, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
        device->SetTextureStageState(stage, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
    }
    device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    ready = true;
}

LayerBoard::~LayerBoard()
{
    if (device) {
        device->SetStreamSource(0, nullptr, 0);
        device->SetTexture(0, nullptr);
        device->SetTexture(1, nullptr);
    }
    for (size_t i = 0; i < stones.size(); i++)
        if (stones[i])
            stones[i]->Release();
    IDirect3DVertexBuffer8* buffers[3] = {slab, shadowQuad, background};
    for (int i = 0; i < 3; i++)
        if (buffers[i])
            buffers[i]->Release();
    for (int t = 0; t < REPLAY_TEXTURES; t++)
        if (textures[t])
            textures[t]->Release();
    if (cube)
        cube->Release();
}

// Pretransformed quads with the engine widgets' way of drawing: every state
// it changes is read first and put back afterwards.
void LayerBoard::DrawScreenQuads(const std::vector<BYTE>& vertices, IDirect3DBaseTexture8* texture,
                                 D3DPRIMITIVETYPE type, UINT primitives)
{
    static const D3DRENDERSTATETYPE saved[] = {D3DRS_ZENABLE,         D3DRS_ZWRITEENABLE, D3DRS_CULLMODE,
                                               D3DRS_STENCILENABLE,   D3DRS_FOGENABLE,    D3DRS_LIGHTING,
                                               D3DRS_ALPHABLENDENABLE, D3DRS_SRCBLEND,    D3DRS_DESTBLEND};
    static const DWORD values[] = {FALSE, FALSE, D3DCULL_NONE, FALSE, FALSE, FALSE, TRUE, D3DBLEND_SRCALPHA,
                                   D3DBLEND_INVSRCALPHA};
    const int count = sizeof(saved) / sizeof(saved[0]);
    DWORD previous[count];
    for (int i = 0; i < count; i++) {
        device->GetRenderState(saved[i], &previous[i]);
        device->SetRenderState(saved[i], values[i]);
    }
    DWORD colorOp, alphaOp;
    device->GetTextureStageState(0, D3DTSS_COLOROP, &colorOp);
    device->GetTextureStageState(0, D3DTSS_ALPHAOP, &alphaOp);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device->SetVertexShader(REPLAY_SCREEN_FORMAT);
    device->SetTexture(0, texture);
    device->DrawPrimitiveUP(type, primitives, vertices.data(), REPLAY_SCREEN_STRIDE);
    device->SetTexture(0, nullptr);
    device->SetTextureStageState(0, D3DTSS_COLOROP, colorOp);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, alphaOp);
    for (int i = 0; i < count; i++)
        device->SetRenderState(saved[i], previous[i]);
}

void LayerBoard::DrawOverlay()
{
    const std::vector<OverlayQuad>& quads = OverlayQuads();
    for (size_t i = 0; i < quads.size(); i++)
        DrawScreenQuads(QuadStrip(quads[i]), nullptr, D3DPT_TRIANGLESTRIP, 2);
    const std::vector<OverlayText>& texts = OverlayTexts();
    for (size_t i = 0; i < texts.size(); i++) {
        for (int shadow = 1; shadow >= 0; shadow--) {
            std::vector<BYTE> glyphs = TextTriangles(texts[i], shadow != 0);
            DrawScreenQuads(glyphs, textures[REPLAY_FONT], D3DPT_TRIANGLELIST,
                            (UINT)(glyphs.size() / REPLAY_SCREEN_STRIDE / 3));
        }
    }
}

void LayerBoard::DrawFrame()
{
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, 0xFF203040, 1.0f, 0);
    device->SetMaterial(&record.material);
    device->BeginScene();

    // The background picture, behind everything.
    device->SetRenderState(D3DRS_ZENABLE, FALSE);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetVertexShader(REPLAY_SCREEN_FORMAT);
    device->SetStreamSource(0, background, REPLAY_SCREEN_STRIDE);
    device->SetTexture(0, textures[REPLAY_BACKGROUND]);
    device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2);
    device->SetRenderState(D3DRS_ZENABLE, TRUE);

    // The slab, reflecting the cube map on stage 1.
    device->SetTransform(D3DTS_WORLD, &record.slabWorld);
    DWORD colorOp, colorArg1, colorArg2;
    device->GetTextureStageState(0, D3DTSS_COLOROP, &colorOp);
    device->GetTextureStageState(0, D3DTSS_COLORARG1, &colorArg1);
    device->GetTextureStageState(0, D3DTSS_COLORARG2, &colorArg2);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_ADD);
    device->SetTextureStageState(1, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(1, D3DTSS_COLORARG2, D3DTA_CURRENT);
    device->SetTexture(1, cube);
    device->SetTextureStageState(1, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT3);
    device->SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, D3DTSS_TCI_CAMERASPACEREFLECTIONVECTOR | 1);
    device->SetRenderState(D3DRS_LIGHTING, TRUE);
    device->SetStreamSource(0, slab, BoardRecord::BOX_STRIDE);
    device->SetVertexShader(BoardRecord::BOX_FORMAT);
    device->SetTexture(0, textures[REPLAY_SLAB]);
    device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 12);
    device->SetTextureStageState(0, D3DTSS_COLOROP, colorOp);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, colorArg1);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, colorArg2);
    device->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);

    // Stones in type order: a texture per type, a world matrix per stone.
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    int lastType = -1;
    for (size_t i = 0; i < record.stones.size(); i++) {
        const BoardRecord::Stone& stone = record.stones[i];
        if (stone.type != lastType) {
            if (lastType == -1)
                device->SetVertexShader(BoardRecord::BOX_FORMAT);
            device->SetTexture(0, textures[stone.type % REPLAY_STONE_TEXTURES]);
            lastType = stone.type;
        }
        device->SetTransform(D3DTS_WORLD, &stone.world);
        device->SetStreamSource(0, stones[i], BoardRecord::BOX_STRIDE);
        device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 12);
    }

    // Shadow volumes and the darkening quad through the program's own steps.
    for (int pass = 0; pass < 2; pass++) {
        CGridView::BeginShadowPass(device, pass);
        for (size_t i = 0; i < volumes.size(); i++) {
            device->SetTransform(D3DTS_WORLD, &record.volumes[i].world);
            volumes[i].Render(device);
        }
    }
    CGridView::EndShadowPasses(device);
    CZarulApplication::DrawShadowQuad(device, shadowQuad);

    DrawOverlay();
    device->EndScene();
    device->Present(nullptr, nullptr, nullptr, nullptr);
    glFinish();
}
