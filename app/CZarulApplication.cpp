#include "CZarulApplication.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "CGameController.h"
#include "CGridView.h"
#include "CCameraView.h"
#include "CFadeEffect.h"
#include "CEditorDlg.h"
#include "CIntro.h"
#include "CMainMenu.h"
#include "C3DSkyBox.h"
#include "C3DText.h"
#include "C3DTextArea.h"
#include "CInputManager.h"
#include "CMessageLog.h"
#include "CMouse.h"
#include "CObjQueue.h"
#include "CResourceManager.h"
#include "CSoundDev.h"
#include "CTexMgr.h"
#include "CXObjectLoader.h"
#include "TextWrap.h"
#include "TextureStages.h"

CZarulApplication* g_pZarulApp = nullptr;
HINSTANCE g_hZarulInstance = nullptr;

static const char* const SKYBOX_MESH = ".//media//env_skybox.x";
static const UINT ENV_MAP_SIZE = 256;

// The full-screen quad of the shadow pass: pre-transformed, one colour.
struct ShadowVertex {
    float x, y, z, rhw;
    DWORD color;
};
static const DWORD SHADOW_FVF = D3DFVF_XYZRHW | D3DFVF_DIFFUSE;
static const DWORD SHADOW_COLOR = 0x7F000000;   // black at half strength

// The warnings band: the message line's font, light text on a dark band, the
// cell height a fraction of the frame's height but never below a size that
// reads, and the band at most half the frame high (the text shrinks to fit).
static const char* const MESSAGE_FONT = ".//media//arial.dds";
static const D3DXCOLOR WARNING_TEXT(1.0f, 0.93f, 0.6f, 1.0f);
static const D3DXCOLOR WARNING_BAND(0.0f, 0.0f, 0.0f, 0.8f);
static const float WARNING_CELL = 0.05f;
static const float WARNING_MIN_CELL_PIXELS = (float)C3DText::MIN_CELL_PIXELS;
static const float WARNING_MAX_BAND = 0.5f;

CZarulApplication::CZarulApplication()
    : loading(1), controller(nullptr), fade(nullptr), quadVB(nullptr), editorFlag(0), textArea(nullptr), warningBand(nullptr), warningText(nullptr)
{
    Setup(GetCommandLineA());
}

CZarulApplication::CZarulApplication(const char* commandLine)
    : loading(1), controller(nullptr), fade(nullptr), quadVB(nullptr), editorFlag(0), textArea(nullptr), warningBand(nullptr), warningText(nullptr)
{
    Setup(commandLine);
}

CZarulApplication::~CZarulApplication()
{
    delete fade;
    fade = nullptr;
    if (g_pZarulApp == this)
        g_pZarulApp = nullptr;
}

void CZarulApplication::Setup(const char* commandLine)
{
    g_pZarulApp = this;
    creationWidth = GAME_WIDTH;
    creationHeight = GAME_HEIGHT;
    windowTitle = "Zarul";
    useDepthBuffer = 1;
    loading = 1;
    clearColor = D3DXCOLOR(0.0f, 0.0f, 0.0f, 0.0f);

    // Random stones and names draw from rand.
    srand((unsigned)time(nullptr));
    fade = new CFadeEffect();

    envMapRenderer = nullptr;
    envCubeTexture = nullptr;
    editorFlag = 0;
    quadVB = nullptr;
    if (WantsEditor(commandLine)) {
        editorFlag = 1;
        creationWidth = EDITOR_WIDTH;
        creationHeight = EDITOR_HEIGHT;
        // The stored display mode is the game's: the editor neither opens in it
        // nor overwrites it.
        settingsFile.clear();
    }
    // The shadows need a stencil buffer.
    useStencilBuffer = 1;
}

bool CZarulApplication::WantsEditor(const char* commandLine)
{
    return commandLine && strstr(commandLine, "-editor") != nullptr;
}

DWORD CZarulApplication::PackColor(const D3DXCOLOR& color)
{
    return (DWORD)color;
}

void CZarulApplication::ListenToMouse(C3DWindow* button)
{
    if (CMouse* pointer = LiveMouse()) {
        pointer->AddMouseEventListener(button);
        pointer->AddMouseMotionEventListener(button);
    }
}

void CZarulApplication::PlayMenuSound(const char* name)
{
    CSoundDev* sound = CResourceManager::GetSoundDevice();
    sound->PlayIndex(sound->LoadSound(name, nullptr), 0, -1.0f, 1);
}

// ---------------------------------------------------------------------------
// Device set-up
// ---------------------------------------------------------------------------

HRESULT CZarulApplication::ConfirmDevice(D3DCAPS8* caps, DWORD behavior, D3DFORMAT format)
{
    (void)caps;
    (void)behavior;
    (void)format;
    return S_OK;
}

HRESULT CZarulApplication::OneTimeSceneInit()
{
    SendMessageA(hWnd, WM_PAINT, 0, 0);
    loading = 0;
    return S_OK;
}

void CZarulApplication::PaintLoadingText(HWND window)
{
    HDC dc = GetDC(window);
    if (!dc)
        return;
    char text[128];
    wsprintfA(text, "%s wird geladen ...", windowTitle);
    RECT client;
    GetClientRect(window, &client);
    DrawTextA(dc, text, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ReleaseDC(window, dc);
}

CMouse* CZarulApplication::MakePointer(IDirect3DDevice8* device)
{
    CMouse* pointer = new CMouse(device, D3DXVECTOR3(0.0f, 0.0f, 0.0f));
    pointer->SetMouseTexture(".//media//arrow.dds");
    pointer->moveThreshold = 1.0f / 1000.0f;
    pointer->visible = 1;
    CResourceManager::GetObjectQueue()->AddObject(pointer, 4, 0);
    return pointer;
}

HRESULT CZarulApplication::InitDeviceObjects()
{
    mouse = MakePointer(device);

    CResourceManager::MessageLog()->Message(0, "init keyboard");
    CResourceManager::GetInputManager()->CreateDevice(0x13);

    CGameController::DestroyInstance();
    controller = CGameController::GetInstance();
    controller->AddActionListener(this);

    if (FAILED(device->CreateVertexBuffer(4 * sizeof(ShadowVertex), D3DUSAGE_WRITEONLY, SHADOW_FVF, D3DPOOL_MANAGED,
                                          &quadVB))) {
        quadVB = nullptr;
        return E_FAIL;
    }

    // A device made again gets a camera of its own; the old one goes.
    delete camera;
    CCameraView* view = new CCameraView(D3DXVECTOR3(0.0f, 0.0f, -35.0f), controller, D3DXVECTOR3(0.0f, 0.0f, 1.0f),
                                        device, D3DXVECTOR3(0.0f, 1.0f, 0.0f));
    view->lookAtTarget = 1;
    view->target = D3DXVECTOR3(0.0f, 0.0f, 0.0f);
    camera = view;

    if (editorFlag == 1)
        StartEditor();
    StartIntro();
    return S_OK;
}

HRESULT CZarulApplication::RestoreDeviceObjects()
{
    static const int effects[] = { R_EFFECT_ENVMAP, R_EFFECT_SHADOW, R_EFFECT_PARTICLES };
    for (size_t i = 0; i < sizeof(effects) / sizeof(effects[0]); i++) {
        if (IsRenderEffectCapable(effects[i]))
            SetRenderEffects((BYTE)(renderEffects | effects[i]));
    }

    CResourceManager::GetXObjLoader()->GetXObjectIndex(SKYBOX_MESH);

    memset(&material, 0, sizeof(material));
    material.Diffuse.r = material.Diffuse.g = material.Diffuse.b = material.Diffuse.a = 1.0f;
    material.Ambient.r = material.Ambient.g = material.Ambient.b = material.Ambient.a = 1.0f;
    device->SetMaterial(&material);

    for (DWORD stage = 0; stage < 2; stage++) {
        SetModulateColorStage(device, stage);
        device->SetTextureStageState(stage, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
        device->SetTextureStageState(stage, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
        device->SetTextureStageState(stage, D3DTSS_MIPFILTER, D3DTEXF_LINEAR);
    }

    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_GOURAUD);
    device->SetRenderState(D3DRS_DITHERENABLE, FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);
    device->SetRenderState(D3DRS_SPECULARENABLE, FALSE);
    device->SetRenderState(D3DRS_ZENABLE, TRUE);
    device->SetRenderState(D3DRS_STENCILENABLE, FALSE);
    device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
    device->SetRenderState(D3DRS_AMBIENT, 0x0F0F0F);

    D3DXMATRIX identity, projection, view;
    D3DXMatrixIdentity(&identity);
    device->SetTransform(D3DTS_WORLD, &identity);
    D3DXMatrixPerspectiveFovLH(&projection, 0.3f * D3DX_PI,
                               (float)backBufferDesc.Width / (float)backBufferDesc.Height, 1.0f, 1000.0f);
    device->SetTransform(D3DTS_PROJECTION, &projection);
    D3DXVECTOR3 eye(0.0f, 0.0f, -5.0f), at(0.0f, 0.0f, 0.0f), up(0.0f, 1.0f, 0.0f);
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    device->SetTransform(D3DTS_VIEW, &view);

    InitLight();

    // A restore makes a new message line; the old one goes.
    delete textArea;
    textArea = new C3DTextArea(device, CRECTVirtual(0.0f, 0.8f, 1.0f, 0.2f), 0.2f,
                               D3DXCOLOR(0.09f, 0.1f, 0.66f, 1.0f));
    delete warningBand;
    warningBand = new C3DWindow(device, CRECTVirtual(0.0f, 0.8f, 1.0f, 0.2f));
    warningBand->SetColor(WARNING_BAND, WARNING_BAND);
    delete warningText;
    warningText = new C3DText(device);
    warningText->SetFontTexture(MESSAGE_FONT);
    warningText->color = (DWORD)WARNING_TEXT;

    if (renderEffects & R_EFFECT_ENVMAP)
        RenderEnvMap();

    BYTE* data = nullptr;
    if (quadVB && SUCCEEDED(quadVB->Lock(0, 0, &data, 0))) {
        float w = (float)backBufferDesc.Width;
        float h = (float)backBufferDesc.Height;
        const ShadowVertex corners[4] = {
            { 0.0f, h, 0.0f, 1.0f, SHADOW_COLOR },
            { 0.0f, 0.0f, 0.0f, 1.0f, SHADOW_COLOR },
            { w, h, 0.0f, 1.0f, SHADOW_COLOR },
            { w, 0.0f, 0.0f, 1.0f, SHADOW_COLOR },
        };
        memcpy(data, corners, sizeof(corners));
        quadVB->Unlock();
    }
    return S_OK;
}

void CZarulApplication::InitLight()
{
    D3DLIGHT8 light;
    memset(&light, 0, sizeof(light));
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse.r = light.Diffuse.g = light.Diffuse.b = 1.0f;
    light.Diffuse.a = 0.0f;
    light.Position = D3DXVECTOR3(-1.0f, -1.0f, 1.0f);
    D3DXVECTOR3 direction(-1.0f, -1.0f, 1.0f);
    D3DXVec3Normalize((D3DXVECTOR3*)&light.Direction, &direction);
    light.Range = 1000.0f;
    device->SetLight(0, &light);
    device->LightEnable(0, TRUE);
    device->SetRenderState(D3DRS_LIGHTING, TRUE);
}

HRESULT CZarulApplication::InvalidateDeviceObjects()
{
    if (device) {
        device->SetTexture(0, nullptr);
        device->SetTexture(1, nullptr);
    }
    ReleaseEnvMap();
    return S_OK;
}

HRESULT CZarulApplication::DeleteDeviceObjects()
{
    CMessageLog* log = CResourceManager::MessageLog();
    log->Message(0, "CApplication::DeleteDeviceObjects");
    CD3DApplication::DeleteDeviceObjects();
    log->Message(0, "CApplication::DeleteDeviceObjects ok");
    CGameController::DestroyInstance();
    controller = nullptr;

    delete textArea;
    textArea = nullptr;
    delete warningBand;
    warningBand = nullptr;
    delete warningText;
    warningText = nullptr;
    // The renderer, the quad and the cube map go in that order.
    if (envMapRenderer)
        envMapRenderer->Release();
    envMapRenderer = nullptr;
    if (quadVB)
        quadVB->Release();
    quadVB = nullptr;
    if (envCubeTexture)
        envCubeTexture->Release();
    envCubeTexture = nullptr;
    return S_OK;
}

HRESULT CZarulApplication::FinalCleanup()
{
    // The camera is no scene object: it goes with the application's device.
    delete camera;
    camera = nullptr;
    return S_OK;
}

// ---------------------------------------------------------------------------
// Frames
// ---------------------------------------------------------------------------

HRESULT CZarulApplication::FrameMove(float seconds)
{
    CResourceManager::MessageLog()->AgeWarnings(seconds);
    CD3DApplication::FrameMove(seconds);
    return S_OK;
}

HRESULT CZarulApplication::Render()
{
    device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL, PackColor(clearColor), 1.0f, 0);
    device->SetMaterial(&material);
    if (FAILED(device->BeginScene()))
        return S_OK;

    // The last logged line shows for one frame.
    CMessageLog* log = CResourceManager::MessageLog();
    if (textArea) {
        textArea->ClearTextArea();
        const char* line = log->GetCurrentText();
        textArea->AddText(line ? line : "", CPOINTVirtual(0.0f, 0.0f), 0.0f, D3DXCOLOR(0.0f, 0.0f, 0.0f, 0.0f));
    }
    log->SetCurrentText(" ");

    CD3DApplication::Render();
    if (textArea)
        textArea->Render();
    RenderWarnings();
    device->EndScene();
    return S_OK;
}

void CZarulApplication::RenderWarnings()
{
    std::vector<std::string> warnings = CResourceManager::MessageLog()->GetWarnings();
    if (!warningBand || !warningText || warnings.empty())
        return;
    float width = 0.0f, height = 0.0f;
    C3DWindow::GetScreenSize(device, &width, &height);
    const GlyphWidths* widths = GetFontGlyphWidths(MESSAGE_FONT);

    float cell = std::max(height * WARNING_CELL, WARNING_MIN_CELL_PIXELS);
    float margin = cell * 0.5f;
    std::vector<std::string> lines;
    for (;;) {
        lines.clear();
        for (size_t i = 0; i < warnings.size(); i++) {
            std::vector<std::string> wrapped = WrapTextToWidth(warnings[i], (width - 2.0f * margin) / cell, *widths);
            lines.insert(lines.end(), wrapped.begin(), wrapped.end());
        }
        if ((float)lines.size() * cell <= height * WARNING_MAX_BAND || cell <= WARNING_MIN_CELL_PIXELS)
            break;
        cell = std::max(cell * 0.85f, WARNING_MIN_CELL_PIXELS);
        margin = cell * 0.5f;
    }

    float band = std::min((float)lines.size() * cell + margin, height);
    warningBand->SetRect(CRECTVirtual(0.0f, 1.0f - band / height, 1.0f, band / height));
    warningBand->Render();
    float top = height - band + 0.5f * margin;
    for (size_t i = 0; i < lines.size(); i++)
        warningText->DrawTextPixels(lines[i].c_str(), margin, top + (float)i * cell, cell);
}

void CZarulApplication::RenderAfterScene()
{
    if (!controller || !controller->gridView || !(renderEffects & R_EFFECT_SHADOW))
        return;
    controller->gridView->RenderShadows();
    RenderShadowQuad();
}

void CZarulApplication::RenderShadowQuad()
{
    DrawShadowQuad(device, quadVB);
}

void CZarulApplication::DrawShadowQuad(IDirect3DDevice8* device, IDirect3DVertexBuffer8* quad)
{
    device->SetRenderState(D3DRS_ZENABLE, FALSE);
    device->SetRenderState(D3DRS_STENCILENABLE, TRUE);
    device->SetRenderState(D3DRS_FOGENABLE, FALSE);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);

    SetModulateColorStage(device, 0);
    SetModulateAlphaStage(device, 0);
    device->SetTexture(0, nullptr);

    // Darkens every pixel whose stencil value is 1 or more.
    device->SetRenderState(D3DRS_STENCILREF, 1);
    device->SetRenderState(D3DRS_STENCILFUNC, D3DCMP_LESSEQUAL);
    device->SetRenderState(D3DRS_STENCILPASS, D3DSTENCILOP_KEEP);

    device->SetVertexShader(SHADOW_FVF);
    device->SetStreamSource(0, quad, sizeof(ShadowVertex));
    device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2);

    device->SetRenderState(D3DRS_ZENABLE, TRUE);
    device->SetRenderState(D3DRS_STENCILENABLE, FALSE);
}

// ---------------------------------------------------------------------------
// Environment map
// ---------------------------------------------------------------------------

void CZarulApplication::ReleaseEnvMap()
{
    if (envMapRenderer)
        envMapRenderer->Release();
    envMapRenderer = nullptr;
    if (envCubeTexture)
        envCubeTexture->Release();
    envCubeTexture = nullptr;
}

void CZarulApplication::CreateEnvMap()
{
    ReleaseEnvMap();

    if (!device || FAILED(D3DXCreateRenderToEnvMap(device, ENV_MAP_SIZE, backBufferDesc.Format, TRUE, D3DFMT_D16,
                                                   &envMapRenderer))) {
        envMapRenderer = nullptr;
        CResourceManager::MessageLog()->Message(0, " Cube Environment map konnte nicht erzeugt werden");
        // The game cannot draw its board without it: end, and say it failed.
        exit(EXIT_FAILURE);
    }
    if (FAILED(device->CreateCubeTexture(ENV_MAP_SIZE, 1, 0, backBufferDesc.Format, D3DPOOL_MANAGED,
                                         &envCubeTexture)))
        envCubeTexture = nullptr;
}

void CZarulApplication::RenderEnvMap()
{
    static const D3DXVECTOR3 targets[6] = {
        D3DXVECTOR3(1, 0, 0),  D3DXVECTOR3(-1, 0, 0), D3DXVECTOR3(0, 1, 0),
        D3DXVECTOR3(0, -1, 0), D3DXVECTOR3(0, 0, 1),  D3DXVECTOR3(0, 0, -1),
    };
    static const D3DXVECTOR3 ups[6] = {
        D3DXVECTOR3(0, 1, 0), D3DXVECTOR3(0, 1, 0), D3DXVECTOR3(0, 0, -1),
        D3DXVECTOR3(0, 0, 1), D3DXVECTOR3(0, 1, 0), D3DXVECTOR3(0, 1, 0),
    };

    IDirect3DSurface8* savedTarget = nullptr;
    IDirect3DSurface8* savedDepth = nullptr;
    D3DXMATRIX savedView, savedProjection;
    device->GetRenderTarget(&savedTarget);
    device->GetDepthStencilSurface(&savedDepth);
    device->GetTransform(D3DTS_VIEW, &savedView);
    device->GetTransform(D3DTS_PROJECTION, &savedProjection);

    C3DSkyBox* skyBox = new C3DSkyBox(device, SKYBOX_MESH);
    device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    if (!envMapRenderer)
        CreateEnvMap();

    if (envCubeTexture && SUCCEEDED(envMapRenderer->BeginCube(envCubeTexture))) {
        D3DXVECTOR3 eye(0.0f, 0.0f, 0.0f);
        for (int face = 0; face < 6; face++) {
            D3DXMATRIX view;
            D3DXMatrixLookAtLH(&view, &eye, &targets[face], &ups[face]);
            device->SetTransform(D3DTS_VIEW, &view);
            envMapRenderer->Face((D3DCUBEMAP_FACES)face);
            skyBox->Render();
        }
        envMapRenderer->End();
    }

    device->SetTransform(D3DTS_VIEW, &savedView);
    device->SetTransform(D3DTS_PROJECTION, &savedProjection);
    device->SetRenderTarget(savedTarget, savedDepth);
    device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
    device->SetRenderState(D3DRS_LIGHTING, TRUE);
    if (savedTarget)
        savedTarget->Release();
    if (savedDepth)
        savedDepth->Release();
    delete skyBox;
}

// ---------------------------------------------------------------------------
// Messages and screen changes
// ---------------------------------------------------------------------------

LRESULT CZarulApplication::MsgProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_ACTIVATE)
        active = LOWORD(wParam) != 0 ? 1 : 0;
    if (msg == WM_PAINT && loading == 1)
        PaintLoadingText(window);
    // A key or a click ends the warnings that have been up long enough to read.
    if (msg == WM_KEYDOWN || msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN)
        CResourceManager::MessageLog()->DismissWarnings();
    return CD3DApplication::MsgProc(window, msg, wParam, lParam);
}

void CZarulApplication::actionPerformed(CActionEvent event)
{
    switch (event.GetID()) {
    case ACTION_START_GAME:
        StartGame();
        break;
    case ACTION_MAIN_MENU:
        ShowMainMenu();
        break;
    default:
        break;
    }
}

// Scene objects, meshes and textures all go. The queue deletes the objects
// only after the running handler (which may be one of theirs) has returned.
void CZarulApplication::EmptyScene()
{
    CResourceManager::GetObjectQueue()->ReleaseAllObjects(0);
    CResourceManager::GetXObjLoader()->DeleteAllObjects();
    CResourceManager::GetTextures()->ReleaseAllTextures();
}

void CZarulApplication::StartGame()
{
    // Without a level to play no empty board opens: the menu comes back and
    // the message line says why.
    if (editorFlag == 0) {
        std::string problem = controller->GetLevelFileProblem();
        if (!problem.empty()) {
            CResourceManager::MessageLog()->Message(CMessageLog::WARNING, problem.c_str());
            ShowMainMenu();
            return;
        }
    }
    EmptyScene();
    controller->StartGame();
    controller->SetEditorMode(editorFlag);
    if (editorFlag == 0)
        controller->RestartLevel();
    else
        controller->StartEditorLevel(nullptr);
    fade->FadeIn();
}

void CZarulApplication::ShowMainMenu()
{
    controller->EndGame();
    EmptyScene();
    CResourceManager::GetObjectQueue()->AddObject(new CMainMenu(device), 1, 0);
    fade->FadeIn();
}

void CZarulApplication::StartEditor()
{
    CResourceManager::GetObjectQueue()->ReleaseAllObjects(0);
    CResourceManager::GetXObjLoader()->DeleteAllObjects();
    // The dialog keeps itself.
    new CEditorDlg(hWnd, hInstance, controller);
}

void CZarulApplication::StartIntro()
{
    CResourceManager::GetObjectQueue()->AddObject(new CIntro(device), 4, 0);
}
