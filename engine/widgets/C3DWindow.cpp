#include "C3DWindow.h"

#include <algorithm>

#include "C3DFrame.h"
#include "CMouse.h"
#include "WindowDrawing.h"

// Every live window, for finding which one is on top under the pointer. Never
// freed, so windows that go during the program's exit still find it.
static std::vector<C3DWindow*>& LiveWindows()
{
    static std::vector<C3DWindow*>* windows = new std::vector<C3DWindow*>();
    return *windows;
}
// Counts window drawings; a window drawn later has a higher number.
static unsigned long drawCounter = 0;
// The window holding the keyboard focus, or null.
static C3DWindow* focusWindow = nullptr;

static const float SCREEN_WIDTH_WITHOUT_DEVICE = 640.0f;
static const float SCREEN_HEIGHT_WITHOUT_DEVICE = 480.0f;

C3DWindow::C3DWindow(IDirect3DDevice8* device_, CRECTVirtual rect_)
    : C3DObject(device_, D3DXVECTOR3(0.0f, 0.0f, 0.0f)),
      alive(new bool(true)),
      rect(rect_),
      borderSize(0),
      quadratic(0),
      state(STATE_ACTIVE),
      takesPointer(0),
      drawOrder(0),
      parent(nullptr)
{
    colors[0] = D3DXCOLOR(0.0f, 0.0f, 0.0f, 0.0f);
    colors[1] = D3DXCOLOR(0.0f, 0.0f, 0.0f, 0.0f);
    LiveWindows().push_back(this);
}

C3DWindow::~C3DWindow()
{
    *alive = false;
    if (focusWindow == this)
        focusWindow = nullptr;
    DeleteAllSubWindows();
    if (parent) {
        std::vector<C3DWindow*>& siblings = parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
        parent = nullptr;
    }
    // The game rarely unregisters its widgets, so a window leaves the mice itself.
    CMouse::RemoveListenerEverywhere(static_cast<IMouseListener*>(this));
    CMouse::RemoveListenerEverywhere(static_cast<IMouseMotionListener*>(this));
    std::vector<C3DWindow*>& windows = LiveWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
}

void C3DWindow::Render()
{
    RenderBackground();
    RenderChildren();
}

void C3DWindow::Move(float seconds)
{
    std::shared_ptr<bool> token = alive;
    C3DObject::Move(seconds);
    if (!*token)
        return;
    // A child's Move may add or remove children; move the ones there at the start.
    std::vector<C3DWindow*> snapshot = children;
    for (size_t i = 0; i < snapshot.size(); i++) {
        if (std::find(children.begin(), children.end(), snapshot[i]) != children.end())
            snapshot[i]->Move(seconds);
        if (!*token)
            return;
    }
    DeleteMarkedChildren();
}

void C3DWindow::Restore()
{
    for (size_t i = 0; i < children.size(); i++)
        children[i]->Restore();
}

void C3DWindow::GetFocus()
{
    if (focusWindow == this)
        return;
    C3DWindow* previous = focusWindow;
    focusWindow = this;
    if (previous)
        previous->LoseFocus();
}

void C3DWindow::LoseFocus()
{
    if (focusWindow == this)
        focusWindow = nullptr;
}

void C3DWindow::Refresh()
{
    // Pixel rectangles are worked out from the rectangles whenever they are
    // needed, so only the children have anything to catch up on.
    for (size_t i = 0; i < children.size(); i++)
        children[i]->Refresh();
}

void C3DWindow::MouseClicked(CMouseEvent) {}
void C3DWindow::MouseEntered(CMouseEvent) {}
void C3DWindow::MouseExited(CMouseEvent) {}
void C3DWindow::MousePressed(CMouseEvent) {}
void C3DWindow::MouseReleased(CMouseEvent) {}
void C3DWindow::MouseMoved(CMouseEvent) {}
void C3DWindow::MouseDragged(CMouseEvent) {}

void C3DWindow::SetColor(D3DXCOLOR top, D3DXCOLOR bottom)
{
    colors[0] = top;
    colors[1] = bottom;
}

D3DXCOLOR C3DWindow::GetColor(int index) const
{
    return colors[index == 0 ? 0 : 1];
}

void C3DWindow::SetRect(CRECTVirtual newRect)
{
    rect = newRect;
}

void C3DWindow::SetQuadratic(int on)
{
    quadratic = on ? 1 : 0;
}

void C3DWindow::SetBorderSize(int pixels)
{
    borderSize = pixels < 0 ? 0 : pixels;
}

void C3DWindow::AddWindow(C3DWindow* child)
{
    if (!child || child == this || child->parent == this || child->IsAncestorOf(this))
        return;
    if (child->parent) {
        std::vector<C3DWindow*>& siblings = child->parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), child), siblings.end());
    }
    child->parent = this;
    children.push_back(child);
}

void C3DWindow::DeleteAllSubWindows()
{
    std::vector<C3DWindow*> doomed;
    doomed.swap(children);
    for (size_t i = 0; i < doomed.size(); i++) {
        doomed[i]->parent = nullptr;
        delete doomed[i];
    }
}

CRECTScreen C3DWindow::GetWindowSize()
{
    return RoundPixelRect(GetPixelRect());
}

PixelRect C3DWindow::GetPixelRect()
{
    PixelRect base;
    if (parent) {
        base = parent->GetPixelRect();
    } else {
        base.x = 0.0f;
        base.y = 0.0f;
        GetScreenSize(device, &base.width, &base.height);
    }
    return ChildPixelRect(base, rect, quadratic != 0);
}

int C3DWindow::HasFocus() const
{
    return focusWindow == this;
}

bool C3DWindow::IsUnderPointer(float x, float y)
{
    float width, height;
    GetScreenSize(device, &width, &height);
    float px = x * width;
    float py = y * height;
    if (!PixelRectContains(GetHitRect(), px, py))
        return false;
    const std::vector<C3DWindow*>& windows = LiveWindows();
    for (size_t i = 0; i < windows.size(); i++) {
        C3DWindow* other = windows[i];
        if (other == this || !other->takesPointer || other->markedForDeletion)
            continue;
        if (other->drawOrder <= drawOrder || IsAncestorOf(other))
            continue;
        if (PixelRectContains(other->GetHitRect(), px, py))
            return false;
    }
    return true;
}

PixelRect C3DWindow::GetHitRect()
{
    PixelRect r = GetPixelRect();
    if (!takesPointer)
        return r;
    return GrowPixelRect(r, (float)MIN_HIT_PIXELS, (float)MIN_HIT_PIXELS);
}

void C3DWindow::GetScreenSize(IDirect3DDevice8* device, float* width, float* height)
{
    *width = SCREEN_WIDTH_WITHOUT_DEVICE;
    *height = SCREEN_HEIGHT_WITHOUT_DEVICE;
    if (!device)
        return;
    D3DVIEWPORT8 viewport;
    if (SUCCEEDED(device->GetViewport(&viewport)) && viewport.Width > 0 && viewport.Height > 0) {
        *width = (float)viewport.Width;
        *height = (float)viewport.Height;
    }
}

void C3DWindow::MarkDrawn()
{
    drawOrder = ++drawCounter;
}

void C3DWindow::RenderBackground()
{
    MarkDrawn();
    if (colors[0].a > 0.0f || colors[1].a > 0.0f)
        FillRect(GetPixelRect(), colors[0], colors[1]);
}

void C3DWindow::FillRect(const PixelRect& r, D3DXCOLOR top, D3DXCOLOR bottom)
{
    if (!device)
        return;
    C2DDrawState state2D(device);
    DrawQuad(device, r, (DWORD)top, (DWORD)bottom, nullptr);
}

void C3DWindow::OutlineRect(const PixelRect& r, int thickness, DWORD color)
{
    if (!device || thickness <= 0)
        return;
    float t = (float)thickness;
    if (t > r.width * 0.5f || t > r.height * 0.5f) {
        // Edges that would overlap fill the whole rectangle.
        C2DDrawState state2D(device);
        DrawQuad(device, r, color, color, nullptr);
        return;
    }
    PixelRect edges[4] = {
        { r.x, r.y, r.width, t },
        { r.x, r.y + r.height - t, r.width, t },
        { r.x, r.y + t, t, r.height - 2.0f * t },
        { r.x + r.width - t, r.y + t, t, r.height - 2.0f * t }
    };
    C2DDrawState state2D(device);
    for (int i = 0; i < 4; i++)
        DrawQuad(device, edges[i], color, color, nullptr);
}

bool C3DWindow::InsideParent(PixelRect* inside)
{
    if (!parent)
        return false;
    PixelRect p = parent->GetPixelRect();
    // A frame drawn along the parent's edges: text keeps one pixel off it.
    float margin = 0.0f;
    for (size_t i = 0; i < parent->children.size(); i++) {
        const C3DFrame* frame = dynamic_cast<const C3DFrame*>(parent->children[i]);
        if (frame && frame->borderSize + 1.0f > margin)
            margin = frame->borderSize + 1.0f;
    }
    if (p.width <= 2.0f * margin || p.height <= 2.0f * margin)
        margin = 0.0f;
    inside->x = p.x + margin;
    inside->y = p.y + margin;
    inside->width = p.width - 2.0f * margin;
    inside->height = p.height - 2.0f * margin;
    return true;
}

void C3DWindow::RenderChildren()
{
    std::vector<C3DWindow*> snapshot = children;
    for (size_t i = 0; i < snapshot.size(); i++) {
        if (!snapshot[i]->markedForDeletion)
            snapshot[i]->Render();
    }
}

void C3DWindow::DeleteMarkedChildren()
{
    for (size_t i = 0; i < children.size();) {
        C3DWindow* child = children[i];
        if (!child->markedForDeletion) {
            i++;
            continue;
        }
        children.erase(children.begin() + i);
        child->parent = nullptr;
        child->FireChangeEvent(CChangeEvent(child, CChangeEvent::PRE_OBJECT_DELETION));
        delete child;
    }
}

bool C3DWindow::IsAncestorOf(const C3DWindow* other) const
{
    for (const C3DWindow* w = other ? other->parent : nullptr; w; w = w->parent) {
        if (w == this)
            return true;
    }
    return false;
}
