#include "CZarulApplication.h"

#include <cstring>

CZarulApplication* g_pZarulApp = 0;
HINSTANCE g_hZarulInstance = 0;

CZarulApplication::CZarulApplication()
    : loading(1), controller(0), fade(0), quadVB(0), editorFlag(0), textArea(0)
{
    Setup(GetCommandLineA());
}

CZarulApplication::CZarulApplication(const char* commandLine)
    : loading(1), controller(0), fade(0), quadVB(0), editorFlag(0), textArea(0)
{
    Setup(commandLine);
}

CZarulApplication::~CZarulApplication()
{
    if (g_pZarulApp == this)
        g_pZarulApp = 0;
}

void CZarulApplication::Setup(const char* commandLine)
{
    g_pZarulApp = this;
    creationWidth = GAME_WIDTH;
    creationHeight = GAME_HEIGHT;
    windowTitle = "Zarul";
    useDepthBuffer = 1;
    useStencilBuffer = 1;
    if (WantsEditor(commandLine)) {
        editorFlag = 1;
        creationWidth = EDITOR_WIDTH;
        creationHeight = EDITOR_HEIGHT;
    }
}

bool CZarulApplication::WantsEditor(const char* commandLine)
{
    return commandLine && strstr(commandLine, "-editor") != 0;
}

DWORD CZarulApplication::PackColor(const D3DXCOLOR& color)
{
    return (DWORD)color;
}

HRESULT CZarulApplication::ConfirmDevice(D3DCAPS8*, DWORD, D3DFORMAT) { return S_OK; }
HRESULT CZarulApplication::OneTimeSceneInit() { loading = 0; return S_OK; }
HRESULT CZarulApplication::InitDeviceObjects() { return S_OK; }
HRESULT CZarulApplication::RestoreDeviceObjects() { return S_OK; }
HRESULT CZarulApplication::FrameMove(float seconds) { CD3DApplication::FrameMove(seconds); return S_OK; }
HRESULT CZarulApplication::Render() { return S_OK; }
void CZarulApplication::RenderAfterScene() {}
HRESULT CZarulApplication::InvalidateDeviceObjects() { return S_OK; }
HRESULT CZarulApplication::DeleteDeviceObjects() { return CD3DApplication::DeleteDeviceObjects(); }
HRESULT CZarulApplication::FinalCleanup() { return S_OK; }
LRESULT CZarulApplication::MsgProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return CD3DApplication::MsgProc(window, msg, wParam, lParam);
}
void CZarulApplication::actionPerformed(CActionEvent event) { (void)event; }
void CZarulApplication::StartGame() {}
void CZarulApplication::ShowMainMenu() {}
void CZarulApplication::StartEditor() {}
void CZarulApplication::StartIntro() {}
void CZarulApplication::CreateEnvMap() {}
void CZarulApplication::RenderEnvMap() {}
void CZarulApplication::RenderShadowQuad() {}
void CZarulApplication::InitLight() {}
CCameraView* CZarulApplication::GetCameraView() const { return 0; }
void CZarulApplication::EmptyScene() {}
void CZarulApplication::PaintLoadingText(HWND window) { (void)window; }
