// The Direct3D 8 device on an OpenGL compatibility context.
//
// Everything is drawn into framebuffer objects whose row 0 is the top row of
// the image, as Direct3D stores surfaces; the back buffer is one of them and
// Present copies it to the window upside down. Device state is kept in the
// Direct3D form and handed to OpenGL just before each draw.
#ifndef ZARUL_CDIRECT3DDEVICE8_H
#define ZARUL_CDIRECT3DDEVICE8_H

#include "CD3D8Object.h"
#include "CD3D8Surface.h"
#include "VertexFormat.h"

#include <SDL.h>

#include <map>
#include <vector>

// Stages kept in the state; the first kMaxGLStages of them are drawn.
#define DEVICE_STAGES 8
#define DEVICE_GL_STAGES 4
#define DEVICE_GL_LIGHTS 8

struct DeviceLight {
    D3DLIGHT8 light;
    bool enabled;
};

struct DeviceState {
    DWORD renderStates[D3D_MAX_RENDERSTATES];
    DWORD stageStates[DEVICE_STAGES][D3D_MAX_TSS];
    IDirect3DBaseTexture8* textures[DEVICE_STAGES];
    D3DMATRIX world;
    D3DMATRIX view;
    D3DMATRIX projection;
    D3DMATRIX textureMatrices[DEVICE_STAGES];
    D3DMATERIAL8 material;
    std::map<DWORD, DeviceLight> lights;
    D3DVIEWPORT8 viewport;
    DWORD vertexShader;
    IDirect3DVertexBuffer8* streamSource;
    UINT streamStride;
    IDirect3DIndexBuffer8* indices;
    UINT baseVertexIndex;
};

class CDirect3DDevice8 : public CD3D8Object<IDirect3DDevice8> {
public:
    static HRESULT Create(IDirect3D8* d3d, UINT adapter, D3DDEVTYPE deviceType, HWND focusWindow,
                          DWORD behaviorFlags, D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice8** device);

    HRESULT TestCooperativeLevel() override;
    UINT GetAvailableTextureMem() override;
    HRESULT GetDirect3D(IDirect3D8** d3d8) override;
    HRESULT GetDeviceCaps(D3DCAPS8* caps) override;
    HRESULT GetDisplayMode(D3DDISPLAYMODE* mode) override;
    HRESULT GetCreationParameters(D3DDEVICE_CREATION_PARAMETERS* parameters) override;
    BOOL ShowCursor(BOOL show) override;
    HRESULT Reset(D3DPRESENT_PARAMETERS* presentationParameters) override;
    HRESULT Present(const RECT* sourceRect, const RECT* destRect, HWND destWindowOverride,
                    const void* dirtyRegion) override;
    HRESULT GetBackBuffer(UINT backBuffer, D3DBACKBUFFER_TYPE type, IDirect3DSurface8** backBufferSurface) override;

    HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                          IDirect3DTexture8** texture) override;
    HRESULT CreateCubeTexture(UINT edgeLength, UINT levels, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                              IDirect3DCubeTexture8** cubeTexture) override;
    HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                               IDirect3DVertexBuffer8** vertexBuffer) override;
    HRESULT CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                              IDirect3DIndexBuffer8** indexBuffer) override;
    HRESULT CreateRenderTarget(UINT width, UINT height, D3DFORMAT format, D3DMULTISAMPLE_TYPE multiSample,
                               BOOL lockable, IDirect3DSurface8** surface) override;
    HRESULT CreateDepthStencilSurface(UINT width, UINT height, D3DFORMAT format, D3DMULTISAMPLE_TYPE multiSample,
                                      IDirect3DSurface8** surface) override;
    HRESULT CreateImageSurface(UINT width, UINT height, D3DFORMAT format, IDirect3DSurface8** surface) override;
    HRESULT CopyRects(IDirect3DSurface8* sourceSurface, const RECT* sourceRects, UINT rectCount,
                      IDirect3DSurface8* destinationSurface, const POINT* destPoints) override;

    HRESULT SetRenderTarget(IDirect3DSurface8* renderTarget, IDirect3DSurface8* newZStencil) override;
    HRESULT GetRenderTarget(IDirect3DSurface8** renderTarget) override;
    HRESULT GetDepthStencilSurface(IDirect3DSurface8** zStencilSurface) override;

    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z, DWORD stencil) override;

    HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override;
    HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) override;
    HRESULT MultiplyTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override;
    HRESULT SetViewport(const D3DVIEWPORT8* viewport) override;
    HRESULT GetViewport(D3DVIEWPORT8* viewport) override;
    HRESULT SetMaterial(const D3DMATERIAL8* material) override;
    HRESULT GetMaterial(D3DMATERIAL8* material) override;
    HRESULT SetLight(DWORD index, const D3DLIGHT8* light) override;
    HRESULT GetLight(DWORD index, D3DLIGHT8* light) override;
    HRESULT LightEnable(DWORD index, BOOL enable) override;
    HRESULT GetLightEnable(DWORD index, BOOL* enable) override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
    HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override;

    HRESULT ApplyStateBlock(DWORD token) override;
    HRESULT CaptureStateBlock(DWORD token) override;
    HRESULT DeleteStateBlock(DWORD token) override;
    HRESULT CreateStateBlock(D3DSTATEBLOCKTYPE type, DWORD* token) override;

    HRESULT GetTexture(DWORD stage, IDirect3DBaseTexture8** texture) override;
    HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture8* texture) override;
    HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD* value) override;
    HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) override;
    HRESULT ValidateDevice(DWORD* numPasses) override;

    HRESULT DrawPrimitive(D3DPRIMITIVETYPE primitiveType, UINT startVertex, UINT primitiveCount) override;
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE primitiveType, UINT minIndex, UINT numVertices, UINT startIndex,
                                 UINT primitiveCount) override;
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE primitiveType, UINT primitiveCount, const void* vertexStreamZeroData,
                            UINT vertexStreamZeroStride) override;
    HRESULT DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE primitiveType, UINT minVertexIndex, UINT numVertexIndices,
                                   UINT primitiveCount, const void* indexData, D3DFORMAT indexDataFormat,
                                   const void* vertexStreamZeroData, UINT vertexStreamZeroStride) override;

    HRESULT SetVertexShader(DWORD handle) override;
    HRESULT GetVertexShader(DWORD* handle) override;
    HRESULT SetStreamSource(UINT streamNumber, IDirect3DVertexBuffer8* streamData, UINT stride) override;
    HRESULT GetStreamSource(UINT streamNumber, IDirect3DVertexBuffer8** streamData, UINT* stride) override;
    HRESULT SetIndices(IDirect3DIndexBuffer8* indexData, UINT baseVertexIndex) override;
    HRESULT GetIndices(IDirect3DIndexBuffer8** indexData, UINT* baseVertexIndex) override;

    // Writes the back buffer to a PNG file.
    HRESULT SaveBackBufferPNG(const char* fileName);

protected:
    ~CDirect3DDevice8() override;

private:
    CDirect3DDevice8(IDirect3D8* d3d, HWND window, SDL_GLContext context);

    // Lifecycle (CDirect3DDevice8.cpp)
    HRESULT CreateSwapChain(D3DPRESENT_PARAMETERS* parameters);
    void ReleaseSwapChain();
    void MakeCurrent();

    // State (CDirect3DDevice8State.cpp)
    void ResetState();
    static void RetainState(DeviceState& state);
    static void ReleaseState(DeviceState& state);
    void FullViewport();

    // Drawing (CDirect3DDevice8Draw.cpp)
    HRESULT Draw(D3DPRIMITIVETYPE type, UINT primitiveCount, const BYTE* vertices, UINT stride, UINT firstVertex,
                 UINT vertexCount, const void* indices, D3DFORMAT indexFormat);
    void ApplyRenderStates();
    void ApplyTransforms(bool pretransformed);
    void ApplyLighting(const VertexFormat& layout, bool pretransformed);
    void ApplyMaterial(GLenum tracked);
    void ApplyLights();
    bool DrawIsOpaque(const VertexFormat& layout, const BYTE* vertices, UINT stride, UINT firstVertex,
                      UINT vertexCount, bool pretransformed);
    void ApplyBlending(const VertexFormat& layout, const BYTE* vertices, UINT stride, UINT firstVertex,
                       UINT vertexCount, bool pretransformed);
    void ApplyTextureStages(bool pretransformed);
    void ApplyCombiner(UINT stage, bool alpha, DWORD op, DWORD arg1, DWORD arg2);
    void ApplySampler(UINT stage, GLuint texture, GLenum target, bool magnified);
    unsigned MagnifiedStages(D3DPRIMITIVETYPE type, UINT drawCount, const VertexFormat& layout, const BYTE* vertices,
                             UINT stride);
    void BindVertexArrays(const VertexFormat& layout, const BYTE* vertices, UINT stride, UINT firstVertex,
                          UINT vertexCount);
    void EnableClientArray(unsigned bit, GLenum array, bool on);

    IDirect3D8* d3d;
    HWND window;
    SDL_GLContext context;
    D3DPRESENT_PARAMETERS presentParameters;
    D3DDEVICE_CREATION_PARAMETERS creationParameters;

    CD3D8Surface* backBuffer;
    CD3D8Surface* autoDepthStencil;
    CD3D8Surface* renderTarget;
    CD3D8Surface* depthStencil;
    GLuint targetFramebuffer;
    GLuint presentFramebuffer;
    GLuint whiteTexture;
    GLuint samplers[DEVICE_GL_STAGES];

    DeviceState state;
    std::map<DWORD, DeviceState*> stateBlocks;
    DWORD nextStateBlock;
    bool inScene;

    // What must be handed to OpenGL before the next draw.
    bool renderStatesDirty;
    bool transformsDirty;
    bool projectionDirty; // projection, viewport and depth range; the model-view goes with every transform
    bool stagesDirty;
    int lastPretransformed; // -1 before the first draw
    // Lights and material cost OpenGL a fresh lighting set-up each time they
    // are sent, so they are sent only after they change. The lights also
    // depend on the view, where they are placed.
    bool lightsDirty;
    bool materialDirty;
    int lightingEnabled;  // GL_LIGHTING as OpenGL has it; -1 before the first draw
    GLenum colorMaterial; // the material part that follows the vertex colour; 0 for none
    int fogEnabled;       // GL_FOG as OpenGL has it; -1 before the first draw
    int blendEnabled;     // GL_BLEND as OpenGL has it; -1 when not known
    // The vertex arrays OpenGL has switched on: positions, normals, colours,
    // then the texture coordinates of each stage.
    enum { CLIENT_POSITIONS = 1, CLIENT_NORMALS = 2, CLIENT_COLORS = 4, CLIENT_TEXCOORDS = 8 };
    unsigned clientArrays;
    // What each texture stage last handed to OpenGL; a stage whose inputs
    // are unchanged is not sent again.
    struct AppliedStage {
        bool valid;
        bool disabled;
        bool pretransformed;
        bool magnified; // drawn without its mip filter
        GLuint name;
        GLenum target;
        DWORD factor;
        DWORD states[D3D_MAX_TSS];
        D3DMATRIX matrix;
    };
    AppliedStage appliedStages[DEVICE_GL_STAGES];
    unsigned appliedDeletions; // textures deleted when the stages were compared last
    unsigned magnifiedStages;  // stages of the draw at hand never minified (MagnifiedStages)

    std::vector<float> screenPositions; // pretransformed vertices made homogeneous, at their own indices
};

#endif
