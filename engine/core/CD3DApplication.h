#ifndef CD3DAPPLICATION_H
#define CD3DAPPLICATION_H

#include <string>
#include <vector>
#include <windows.h>
#include <d3d8.h>
#include <d3dx8.h>

#include "CDisplayRecords.h"

class CMouse;
class CCamera;
class CInputScript;
struct ID3DXRenderToEnvMap;

// The application frame: opens the window, makes the Direct3D device, runs the
// message and frame loop and calls the hooks a game overrides. The data members
// are the frame's state; games read and write them directly.
class CD3DApplication {
public:
    // Render effects, bits of renderEffects.
    enum {
        R_EFFECT_ENVMAP = 0x01,
        R_EFFECT_SHADOW = 0x02,
        R_EFFECT_PARTICLES = 0x04
    };

    CD3DApplication();

    // Hooks, in the order the frame knows them.
    virtual HRESULT AdjustWindowForChange();
    virtual HRESULT ConfirmDevice(D3DCAPS8* caps, DWORD behavior, D3DFORMAT format);
    virtual HRESULT OneTimeSceneInit();
    virtual HRESULT InitDeviceObjects();
    virtual HRESULT RestoreDeviceObjects();
    // Advances the camera, the pointer and every queued object by the frame time.
    virtual HRESULT FrameMove(float seconds);
    virtual HRESULT PreRender();
    // Draws the object queue: positions up to 2, then RenderAfterScene, then the
    // rest, then the pointer. Called between BeginScene and EndScene.
    virtual HRESULT Render();
    virtual void RenderAfterScene();
    virtual HRESULT InvalidateDeviceObjects();
    // Empties the scene (all but the pointer, which stays usable until the frame
    // drops it after this hook), the mesh cache and the texture cache.
    virtual HRESULT DeleteDeviceObjects();
    virtual HRESULT FinalCleanup();
    // Opens the window and the device and runs the set-up hooks. Negative on failure.
    virtual HRESULT Create(HINSTANCE instance);
    // The loop; returns the WM_QUIT exit code.
    virtual INT Run();
    virtual LRESULT MsgProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    virtual void Pause(bool pause);
    virtual ~CD3DApplication();

    // Render effects.
    int IsRenderEffectCapable(int effect);
    void SetRenderEffects(BYTE effects);

    // Display modes of the current device of the current adapter.
    const D3DAdapterRecord& GetCurrentAdapter() const { return adapter; }
    // Switches to mode index of the current device (a window size or full screen).
    HRESULT ChangeMode(int index);
    // Stores the current mode in the settings file, for the next start.
    HRESULT SaveDisplayMode();

    // Headless runs (tests, screenshots): Run stops after the given number of
    // frames and every frame advances time by timeStep seconds.
    void SetHeadlessRun(int frames, float timeStep);
    // Saves the back buffer of the given frame (counted from 1) as a PNG;
    // frame 0 saves the window as it stands before the first frame.
    void AddSnapshot(int frame, const char* pngPath);
    // Reads timed input (see CInputScript) fed into the window frame by frame;
    // false when the script cannot be read or holds a line it does not understand.
    bool LoadInputScript(const char* path);
    int GetFrameCount() const { return frameCount; }

    // The running frame's pointer while it lives; null before the device
    // set-up and after the frame has let it go.
    static CMouse* LiveMouse();

    // Frame state.
    IDirect3D8* d3d;
    IDirect3DDevice8* device;
    HWND hWnd;
    HINSTANCE hInstance;
    D3DSURFACE_DESC backBufferDesc;
    D3DPRESENT_PARAMETERS presentParams;
    D3DCAPS8 caps;
    BYTE renderEffects;
    int active;
    int ready;

    // Settings a game makes before Create.
    const char* windowTitle;
    DWORD creationWidth;
    DWORD creationHeight;
    int useDepthBuffer;
    int useStencilBuffer;
    // The settings file ChangeMode/SaveDisplayMode keep the mode in; empty: none.
    std::string settingsFile;

    D3DMATERIAL8 material;
    ID3DXRenderToEnvMap* envMapRenderer;
    IDirect3DCubeTexture8* envCubeTexture;
    D3DXCOLOR clearColor;
    CCamera* camera;
    CMouse* mouse;
    D3DAdapterRecord adapter;

protected:
    static LRESULT CALLBACK StaticWndProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    HRESULT InitDevice();
    HRESULT ResetDevice();
    HRESULT RecreateDevice();
    void DropDevice();
    void ReleaseDevice();
    void Shutdown();
    void ReleaseScene();
    void ReadBackBufferDesc();
    void FillPresentParams();
    void Render3DEnvironment();
    float NextFrameTime();
    void ReadHeadlessEnvironment();

    const D3DModeRecord* CurrentMode() const;
    void BuildAdapterRecord();
    void LoadDisplaySettings();
    void ResizeWindowedMode(int width, int height);

    int headlessFrames;
    float headlessStep;
    std::vector<std::pair<int, std::string> > snapshots;
    CInputScript* inputScript;
    int frameCount;
    int deviceLost;
    int pendingReset;
    int windowWidth;
    int windowHeight;
    DWORD lastTicks;
    int paused;
};

// The running application (there is one per program); set by Create.
extern CD3DApplication* g_pD3DApp;

#endif
