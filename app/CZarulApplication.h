// CZarulApplication: the game's application object. It fills the engine
// frame's hooks (device set-up, scene set-up, frame drawing, the shadow pass)
// and switches between the screens of the game (intro, main menu, game,
// editor) on the actions the start submenu and the game controller send.
#ifndef CZARULAPPLICATION_H
#define CZARULAPPLICATION_H

#include <windows.h>
#include <d3d8.h>
#include <d3dx8.h>

#include "CD3DApplication.h"
#include "IActionListener.h"

class CGameController;
class CFadeEffect;
class C3DText;
class C3DTextArea;
class C3DWindow;
class CMouse;

class CZarulApplication : public CD3DApplication, public IActionListener {
public:
    // Action ids the application answers (10002 and 10003 are reserved, never sent).
    enum {
        ACTION_START_GAME = 10001,
        ACTION_RESERVED_1 = 10002,
        ACTION_RESERVED_2 = 10003,
        ACTION_MAIN_MENU = 10004
    };

    // Window sizes: the game's window, and the larger one beside the editor dialog.
    enum {
        GAME_WIDTH = 500,
        GAME_HEIGHT = 375,
        EDITOR_WIDTH = 1024,
        EDITOR_HEIGHT = 768
    };

    // Reads the command line (GetCommandLineA) for the editor switch.
    CZarulApplication();
    // The same with a given command line (tests).
    explicit CZarulApplication(const char* commandLine);
    virtual ~CZarulApplication();

    // Frame hooks.
    virtual HRESULT ConfirmDevice(D3DCAPS8* caps, DWORD behavior, D3DFORMAT format);
    virtual HRESULT OneTimeSceneInit();
    virtual HRESULT InitDeviceObjects();
    virtual HRESULT RestoreDeviceObjects();
    virtual HRESULT FrameMove(float seconds);
    virtual HRESULT Render();
    virtual void RenderAfterScene();
    virtual HRESULT InvalidateDeviceObjects();
    virtual HRESULT DeleteDeviceObjects();
    virtual HRESULT FinalCleanup();
    virtual LRESULT MsgProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    // 10001 starts the game, 10004 shows the main menu; other ids do nothing.
    virtual void actionPerformed(CActionEvent event);

    // Screen changes.
    void StartGame();
    void ShowMainMenu();
    void StartEditor();
    void StartIntro();

    // Scene steps; public so that the options window can re-render the cube map.
    void CreateEnvMap();
    void RenderEnvMap();
    void RenderShadowQuad();
    void InitLight();
    // Darkens every stencilled pixel with the given full-screen quad (four vertices of
    // XYZRHW and a colour, a strip); shared with tools that draw the game's frame.
    static void DrawShadowQuad(IDirect3DDevice8* device, IDirect3DVertexBuffer8* quad);
    // The clear colour as a packed ARGB value: each part clamped to 0..1,
    // times 255 plus 0.5, truncated.
    static DWORD PackColor(const D3DXCOLOR& color);
    // True when the command line asks for the level editor ("-editor" anywhere).
    static bool WantsEditor(const char* commandLine);

    // Shared by the menu screens:
    // the pointer's clicks and movements for a button (nothing without a pointer);
    static void ListenToMouse(C3DWindow* button);
    // one of the interface sounds, played once.
    static void PlayMenuSound(const char* name);

    int loading;                    // 1 until the loading text has been painted
    CGameController* controller;    // fetched at each device set-up
    CFadeEffect* fade;              // screen fade after each screen change; owned
    IDirect3DVertexBuffer8* quadVB; // full-screen quad of the shadow pass
    int editorFlag;                 // 1 when started with "-editor"
    C3DTextArea* textArea;          // message-log line over each frame

protected:
    // Paints the loading text into the window (while loading is 1).
    virtual void PaintLoadingText(HWND window);
    // Lets every scene object but the pointer go, with the meshes and textures.
    void EmptyScene();

private:
    void Setup(const char* commandLine);
    // The game's pointer: the arrow cursor, its motion threshold, shown, queued over the scene.
    static CMouse* MakePointer(IDirect3DDevice8* device);
    // Draws the message log's warnings over the bottom of the frame: wrapped
    // to the frame's width, light on a dark band.
    void RenderWarnings();
    // Lets go of the cube-map renderer and the cube texture.
    void ReleaseEnvMap();

    // The kept warnings, made with textArea: a dark band and its light text
    // (without the halo that lifts dark text, which would blur light text).
    C3DWindow* warningBand;
    C3DText* warningText;
};

// The one application object, set by WinMain (and by the constructor, so that
// an application built by a test is reachable the same way).
extern CZarulApplication* g_pZarulApp;
// The instance handle WinMain was given.
extern HINSTANCE g_hZarulInstance;

#endif
