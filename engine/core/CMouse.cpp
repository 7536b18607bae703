#include "CMouse.h"

#include <algorithm>
#include <cmath>

#include "CResourceManager.h"
#include "CTexMgr.h"
#include "TextureStages.h"

// Side of the cursor picture on the screen, in pixels.
static const float CURSOR_SIZE = 32.0f;

static std::vector<CMouse*>& LiveMice()
{
    static std::vector<CMouse*> mice;
    return mice;
}

CMouse::CMouse(IDirect3DDevice8* dev, D3DXVECTOR3 pos)
    : C3DObject(dev, pos), moveThreshold(0.0f), visible(1), refresh(0),
      x(pos.x), y(pos.y), prevX(pos.x), prevY(pos.y),
      maskOn(0), screenWidth(0), screenHeight(0), consumed(0)
{
    for (int i = 0; i < CMouseEvent::BUTTON_COUNT; i++)
        buttonDown[i] = 0;
    LiveMice().push_back(this);
}

CMouse::~CMouse()
{
    std::vector<CMouse*>& mice = LiveMice();
    mice.erase(std::remove(mice.begin(), mice.end(), this), mice.end());
}

bool CMouse::IsLive(CMouse* mouse)
{
    std::vector<CMouse*>& mice = LiveMice();
    return mouse && std::find(mice.begin(), mice.end(), mouse) != mice.end();
}

void CMouse::RemoveListenerEverywhere(IMouseListener* listener)
{
    std::vector<CMouse*>& mice = LiveMice();
    for (size_t i = 0; i < mice.size(); i++)
        mice[i]->mouseListeners.RemoveAll(listener);
}

void CMouse::RemoveListenerEverywhere(IMouseMotionListener* listener)
{
    std::vector<CMouse*>& mice = LiveMice();
    for (size_t i = 0; i < mice.size(); i++)
        mice[i]->motionListeners.RemoveAll(listener);
}

void CMouse::SetMouseTexture(const char* path)
{
    texture = path ? path : "";
}

void CMouse::AddMouseEventListener(IMouseListener* listener)
{
    mouseListeners.Add(listener);
}

void CMouse::RemoveMouseEventListener(IMouseListener* listener)
{
    mouseListeners.Remove(listener);
}

void CMouse::AddMouseMotionEventListener(IMouseMotionListener* listener)
{
    motionListeners.Add(listener);
}

void CMouse::RemoveMouseMotionEventListener(IMouseMotionListener* listener)
{
    motionListeners.Remove(listener);
}

void CMouse::SetMouseMask(int on, CRECTScreen rect, int unused)
{
    (void)unused;
    maskOn = on ? 1 : 0;
    mask = rect;
}

void CMouse::SetScreenSize(int width, int height)
{
    screenWidth = width;
    screenHeight = height;
}

bool CMouse::PassesMask(float px, float py) const
{
    if (!maskOn)
        return true;
    int pixelX = (int)floorf(px * (float)screenWidth);
    int pixelY = (int)floorf(py * (float)screenHeight);
    return mask.Contains(pixelX, pixelY);
}

CMouseEvent CMouse::MakeEvent(int kind) const
{
    CMouseEvent event;
    event.source = const_cast<CMouse*>(this);
    event.x = x;
    event.y = y;
    event.prevX = prevX;
    event.prevY = prevY;
    event.kind = kind;
    for (int i = 0; i < CMouseEvent::BUTTON_COUNT; i++)
        event.buttons[i] = buttonDown[i] ? CMouseEvent::MOUSE_BUTTON_DOWN : CMouseEvent::MOUSE_BUTTON_NONE;
    return event;
}

// Motion events: MouseMoved without a button, MouseDragged with one (the right
// button wins over the left, the left over the middle).
void CMouse::FireMove(CMouseEvent event)
{
    if (!PassesMask(event.x, event.y))
        return;
    bool drag = event.kind != CMouseEvent::MOUSE_MOVE;
    std::vector<IMouseMotionListener*> snapshot = motionListeners.Snapshot();
    consumed = 0;
    for (size_t i = 0; i < snapshot.size() && !consumed; i++) {
        if (!motionListeners.Contains(snapshot[i]))
            continue;
        if (drag)
            snapshot[i]->MouseDragged(event);
        else
            snapshot[i]->MouseMoved(event);
    }
}

// A button went down or up: MousePressed or MouseReleased, then MouseClicked, to
// each listener in turn.
void CMouse::FireButton(int button, int down)
{
    buttonDown[button] = down;
    CMouseEvent event = MakeEvent(CMouseEvent::MOUSE_CLICK);
    event.buttons[button] = down ? CMouseEvent::MOUSE_BUTTON_PRESS : CMouseEvent::MOUSE_BUTTON_RELEASE;
    if (!PassesMask(event.x, event.y))
        return;
    std::vector<IMouseListener*> snapshot = mouseListeners.Snapshot();
    consumed = 0;
    for (size_t i = 0; i < snapshot.size() && !consumed; i++) {
        if (!mouseListeners.Contains(snapshot[i]))
            continue;
        if (down)
            snapshot[i]->MousePressed(event);
        else
            snapshot[i]->MouseReleased(event);
        // The listener may have left the list (or been deleted) in its handler.
        if (!consumed && mouseListeners.Contains(snapshot[i]))
            snapshot[i]->MouseClicked(event);
    }
}

bool CMouse::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, int clientWidth, int clientHeight)
{
    (void)wParam;
    int button;
    int down;
    switch (msg) {
    case WM_MOUSEMOVE: button = -1; down = 0; break;
    case WM_LBUTTONDOWN: button = 0; down = 1; break;
    case WM_LBUTTONUP: button = 0; down = 0; break;
    case WM_RBUTTONDOWN: button = 1; down = 1; break;
    case WM_RBUTTONUP: button = 1; down = 0; break;
    case WM_MBUTTONDOWN: button = 2; down = 1; break;
    case WM_MBUTTONUP: button = 2; down = 0; break;
    default:
        return false;
    }
    if (clientWidth <= 0 || clientHeight <= 0)
        return true;
    if (screenWidth <= 0 || screenHeight <= 0)
        SetScreenSize(clientWidth, clientHeight);

    int pixelX = (short)LOWORD(lParam);
    int pixelY = (short)HIWORD(lParam);
    float newX = (float)pixelX / (float)clientWidth;
    float newY = (float)pixelY / (float)clientHeight;

    if (button < 0) {
        // Tiny motions add up until they pass the threshold.
        if (fabsf(newX - x) < moveThreshold && fabsf(newY - y) < moveThreshold)
            return true;
        prevX = x;
        prevY = y;
        x = newX;
        y = newY;
        int kind = CMouseEvent::MOUSE_MOVE;
        if (buttonDown[1])
            kind = CMouseEvent::MOUSE_DRAG_2;
        else if (buttonDown[0])
            kind = CMouseEvent::MOUSE_DRAG_1;
        else if (buttonDown[2])
            kind = CMouseEvent::MOUSE_DRAG_3;
        FireMove(MakeEvent(kind));
        return true;
    }

    prevX = x;
    prevY = y;
    x = newX;
    y = newY;
    // Repeated downs or ups of one button (lost messages) make no second event.
    if (buttonDown[button] == down)
        return true;
    FireButton(button, down);
    return true;
}

void CMouse::Move(float seconds)
{
    C3DObject::Move(seconds);
    if (refresh) {
        refresh = 0;
        prevX = x;
        prevY = y;
        FireMove(MakeEvent(CMouseEvent::MOUSE_MOVE));
    }
}

void CMouse::Render()
{
}

void CMouse::RenderCursor()
{
    if (!visible || !device || texture.empty())
        return;
    IDirect3DTexture8* picture = CResourceManager::GetTextures()->GetTexture(texture);

    struct CursorVertex {
        float x, y, z, rhw;
        DWORD color;
        float u, v;
    };
    float left = floorf(x * (float)screenWidth);
    float top = floorf(y * (float)screenHeight);
    float right = left + CURSOR_SIZE;
    float bottom = top + CURSOR_SIZE;
    CursorVertex quad[4] = {
        { left - 0.5f, top - 0.5f, 0.0f, 1.0f, 0xFFFFFFFF, 0.0f, 0.0f },
        { right - 0.5f, top - 0.5f, 0.0f, 1.0f, 0xFFFFFFFF, 1.0f, 0.0f },
        { left - 0.5f, bottom - 0.5f, 0.0f, 1.0f, 0xFFFFFFFF, 0.0f, 1.0f },
        { right - 0.5f, bottom - 0.5f, 0.0f, 1.0f, 0xFFFFFFFF, 1.0f, 1.0f }
    };

    // The states this pass changes, to be put back afterwards.
    static const D3DRENDERSTATETYPE states[] = {
        D3DRS_ZENABLE, D3DRS_ZWRITEENABLE, D3DRS_ALPHABLENDENABLE, D3DRS_SRCBLEND, D3DRS_DESTBLEND,
        D3DRS_LIGHTING, D3DRS_CULLMODE, D3DRS_STENCILENABLE, D3DRS_FOGENABLE
    };
    static const D3DTEXTURESTAGESTATETYPE stageStates[] = {
        D3DTSS_COLOROP, D3DTSS_COLORARG1, D3DTSS_COLORARG2,
        D3DTSS_ALPHAOP, D3DTSS_ALPHAARG1, D3DTSS_ALPHAARG2
    };
    const int stateCount = sizeof(states) / sizeof(states[0]);
    const int stageCount = sizeof(stageStates) / sizeof(stageStates[0]);
    DWORD saved[stateCount];
    DWORD savedStage[stageCount];
    for (int i = 0; i < stateCount; i++)
        device->GetRenderState(states[i], &saved[i]);
    for (int i = 0; i < stageCount; i++)
        device->GetTextureStageState(0, stageStates[i], &savedStage[i]);

    device->SetRenderState(D3DRS_ZENABLE, FALSE);
    device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
    device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    device->SetRenderState(D3DRS_STENCILENABLE, FALSE);
    device->SetRenderState(D3DRS_FOGENABLE, FALSE);
    SetModulateColorStage(device, 0);
    SetModulateAlphaStage(device, 0);
    device->SetTexture(0, picture);
    device->SetVertexShader(D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1);
    device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(CursorVertex));
    device->SetTexture(0, nullptr);

    for (int i = 0; i < stateCount; i++)
        device->SetRenderState(states[i], saved[i]);
    for (int i = 0; i < stageCount; i++)
        device->SetTextureStageState(0, stageStates[i], savedStage[i]);
}
