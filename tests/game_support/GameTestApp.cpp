#include "GameTestApp.h"

#include <cmath>
#include <cstdio>

#include "CGameController.h"
#include "CGameData.h"
#include "CGrid.h"
#include "CGridView.h"
#include "CInputManager.h"
#include "CLevelLoader.h"
#include "CMouse.h"
#include "CObjQueue.h"
#include "CResourceManager.h"
#include "CStoneInfo.h"

GameTestApp::GameTestApp(int width, int height, float step)
    : CZarulApplication(""), timeStep(step), elapsed(0.0f), opened(0)
{
    creationWidth = width;
    creationHeight = height;
    // The player's stored display mode is neither read nor written.
    settingsFile = "";
}

GameTestApp::~GameTestApp()
{
    Close();
}

bool GameTestApp::Open()
{
    SetHeadlessRun(0, timeStep);
    if (FAILED(Create(nullptr)))
        return false;
    opened = 1;
    // The tests start from a quiet frame: the intro goes as at any screen change.
    EmptyScene();
    Step(1);
    return true;
}

void GameTestApp::Close()
{
    if (!opened)
        return;
    opened = 0;
    Shutdown();
    if (g_pD3DApp == this)
        g_pD3DApp = nullptr;
}

void GameTestApp::actionPerformed(CActionEvent event)
{
    actions.push_back(event.GetID());
    if (onAction)
        onAction(event.GetID());
}

void GameTestApp::Step(int frames)
{
    for (int i = 0; i < frames; i++) {
        Render3DEnvironment();
        elapsed += timeStep;
    }
}

void GameTestApp::StepSeconds(float seconds)
{
    Step((int)ceilf(seconds / timeStep - 1e-4f));
}

bool GameTestApp::StepUntil(const std::function<bool()>& condition, float maxSeconds)
{
    float spent = 0.0f;
    while (!condition()) {
        if (spent > maxSeconds)
            return false;
        Step(1);
        spent += timeStep;
    }
    return true;
}

bool GameTestApp::Capture(const std::string& pngPath, Image& picture)
{
    remove(pngPath.c_str());
    AddSnapshot(GetFrameCount() + 1, pngPath.c_str());
    Step(1);
    std::string error;
    return LoadImageFile(pngPath, picture, error);
}

void GameTestApp::StartGameAtCurrentLevel()
{
    StartGame();
}

void GameTestApp::SendMouse(unsigned int message, float x, float y)
{
    if (!CMouse::IsLive(mouse))
        return;
    int width = (int)backBufferDesc.Width;
    int height = (int)backBufferDesc.Height;
    int px = (int)lroundf(x * (float)width);
    int py = (int)lroundf(y * (float)height);
    mouse->HandleMessage(message, 0, MAKELPARAM(px, py), width, height);
}

void GameTestApp::MoveMouse(float x, float y)
{
    SendMouse(WM_MOUSEMOVE, x, y);
}

void GameTestApp::Click(float x, float y, int button)
{
    // A move event always comes first, also when the pointer is there already:
    // the tools act on what the last move found under the pointer.
    if (CMouse::IsLive(mouse) && fabsf(mouse->GetX() - x) < 0.01f && fabsf(mouse->GetY() - y) < 0.01f)
        MoveMouse(x > 0.5f ? x - 0.02f : x + 0.02f, y);
    MoveMouse(x, y);
    SendMouse(button == 1 ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, x, y);
    SendMouse(button == 1 ? WM_RBUTTONUP : WM_LBUTTONUP, x, y);
}

void GameTestApp::PressKey(int dikCode)
{
    DIDEVICEOBJECTDATA data;
    ZeroMemory(&data, sizeof(data));
    data.dwOfs = (DWORD)dikCode;
    data.dwData = 0x80;
    CInputManager* input = CResourceManager::GetInputManager();
    input->FireKeyPressed(CKeyEvent(nullptr, data, 0, 0));
    data.dwData = 0;
    input->FireKeyReleased(CKeyEvent(nullptr, data, 0, 0));
}

void GameTestApp::TypeText(const char* text)
{
    CInputManager* input = CResourceManager::GetInputManager();
    for (const char* c = text; *c; c++) {
        DIDEVICEOBJECTDATA data;
        ZeroMemory(&data, sizeof(data));
        data.dwData = 0x80;
        input->FireKeyPressed(CKeyEvent(nullptr, data, (unsigned char)*c, 0));
        data.dwData = 0;
        input->FireKeyReleased(CKeyEvent(nullptr, data, 0, 0));
    }
}

CGridView* GameTestApp::BoardView()
{
    return controller ? controller->gridView : nullptr;
}

bool GameTestApp::BoardPointToWindow(D3DXVECTOR3 boardPoint, float* x, float* y)
{
    D3DXVECTOR3 worldPoint = boardPoint;
    if (BoardView())
        D3DXVec3TransformCoord(&worldPoint, &boardPoint, &BoardView()->world);
    D3DXMATRIX view, projection, both;
    device->GetTransform(D3DTS_VIEW, &view);
    device->GetTransform(D3DTS_PROJECTION, &projection);
    D3DXMatrixMultiply(&both, &view, &projection);
    // Row vector (x, y, z, 1) times the matrix.
    const D3DXVECTOR3& p = worldPoint;
    float cx = p.x * both._11 + p.y * both._21 + p.z * both._31 + both._41;
    float cy = p.x * both._12 + p.y * both._22 + p.z * both._32 + both._42;
    float cw = p.x * both._14 + p.y * both._24 + p.z * both._34 + both._44;
    if (cw <= 0.0f)
        return false;
    *x = (cx / cw + 1.0f) * 0.5f;
    *y = (1.0f - cy / cw) * 0.5f;
    return true;
}

bool GameTestApp::FloorCellToWindow(int column, int row, float* x, float* y)
{
    CGridView* board = BoardView();
    if (!board)
        return false;
    D3DXVECTOR3 point(-board->halfSize + (column + 0.5f) * board->cellSize, board->floorTop,
                      -board->halfSize + (row + 0.5f) * board->cellSize);
    return BoardPointToWindow(point, x, y);
}

bool GameTestApp::StoneTopToWindow(int column, int row, int layer, float* x, float* y)
{
    CGridView* board = BoardView();
    if (!board)
        return false;
    D3DXVECTOR3 point(-board->halfSize + (column + 0.5f) * board->cellSize,
                      board->floorTop + (layer + 1) * board->cellSize * 0.5f,
                      -board->halfSize + (row + 0.5f) * board->cellSize);
    return BoardPointToWindow(point, x, y);
}

// Pointer positions the mouse can produce: whole pixels as fractions.
static float PixelFraction(int pixel, int size)
{
    return (float)pixel / (float)size;
}

bool GameTestApp::FindCellPointer(int column, int row, float* x, float* y)
{
    CGridView* board = BoardView();
    if (!board)
        return false;
    int width = (int)backBufferDesc.Width;
    int height = (int)backBufferDesc.Height;
    float cx, cy;
    if (FloorCellToWindow(column, row, &cx, &cy)) {
        float fx = PixelFraction((int)lroundf(cx * width), width);
        float fy = PixelFraction((int)lroundf(cy * height), height);
        int c, r;
        if (board->PickCell(&c, &r, fx, fy) && c == column && r == row) {
            *x = fx;
            *y = fy;
            return true;
        }
    }
    for (int py = 0; py < height; py += 2) {
        for (int px = 0; px < width; px += 2) {
            int c, r;
            float fx = PixelFraction(px, width), fy = PixelFraction(py, height);
            if (board->PickCell(&c, &r, fx, fy) && c == column && r == row) {
                *x = fx;
                *y = fy;
                return true;
            }
        }
    }
    return false;
}

bool GameTestApp::FindSlidePointer(int column, int row, int direction, float* x, float* y)
{
    CGridView* board = BoardView();
    if (!board || direction < 0 || direction > 3)
        return false;
    int width = (int)backBufferDesc.Width;
    int height = (int)backBufferDesc.Height;
    float bestMargin = 0.02f;
    bool found = false;
    for (int py = 0; py < height; py += 2) {
        for (int px = 0; px < width; px += 2) {
            float fx = PixelFraction(px, width), fy = PixelFraction(py, height);
            CStoneInfo hit = board->GetStoneUnderMouse(fx, fy);
            if (hit.x != column || hit.y != row)
                continue;
            D3DXVECTOR2 uv = board->GetCellFraction(column, row, fx, fy);
            if (uv.x <= 0.0f || uv.x >= 1.0f || uv.y <= 0.0f || uv.y >= 1.0f)
                continue;
            // Distances to the sides, by direction: 0 row + 1, 1 column - 1, 2 row - 1, 3 column + 1.
            float distance[4] = { 1.0f - uv.y, uv.x, uv.y, 1.0f - uv.x };
            float others = 2.0f;
            for (int d = 0; d < 4; d++) {
                if (d != direction && distance[d] < others)
                    others = distance[d];
            }
            float margin = others - distance[direction];
            if (margin > bestMargin) {
                bestMargin = margin;
                *x = fx;
                *y = fy;
                found = true;
            }
        }
    }
    return found;
}
