#ifndef C3DWINDOW_H
#define C3DWINDOW_H

#include <memory>
#include <vector>
#include <d3d8.h>
#include <d3dx8.h>

#include "C3DObject.h"
#include "IMouseListener.h"
#include "IMouseMotionListener.h"
#include "CRECTVirtual.h"
#include "CRECTScreen.h"
#include "CPOINTVirtual.h"
#include "WindowLayout.h"

// A 2D window: a rectangle in fractions of its parent (of the screen for a
// top-level window) filled with a vertical blend of two colours, top to bottom.
// Child windows are owned, moved and drawn by their parent, over it, in the
// order they were added. Windows are drawn with pre-transformed vertices and
// without the depth buffer, so a 2D background never hides the 3D scene drawn
// after it.
//
// Pointer events reach a window only when it is the topmost pointer-taking
// window under the pointer (buttons and text boxes take the pointer; plain
// windows, frames, icons and texts let it through). A destroyed window leaves
// every mouse's listener lists by itself.
class C3DWindow : public C3DObject, public IMouseListener, public IMouseMotionListener {
public:
    enum {
        STATE_INACTIVE = 0,  // takes no input (a finished text box)
        STATE_ACTIVE = 1,    // normal
        STATE_MOUSEOVER = 2, // the pointer is over it
        STATE_PRESSED = 3    // the left button went down on it and is held
    };

    C3DWindow(IDirect3DDevice8* device, CRECTVirtual rect);
    virtual ~C3DWindow();

    // Draws the window's colour, then its children.
    virtual void Render();
    // Applies the modifiers, moves the children and deletes children marked for deletion.
    virtual void Move(float seconds);
    virtual void Restore();

    // Focus: one window holds the keyboard focus at a time. GetFocus takes it
    // (the previous holder gets LoseFocus); LoseFocus gives it up.
    virtual void GetFocus();
    virtual void LoseFocus();
    // Recomputes everything derived from the rectangle and the screen size, for
    // the window and its children.
    virtual void Refresh();

    // Pointer events; a plain window ignores them.
    virtual void MouseClicked(CMouseEvent event);
    virtual void MouseEntered(CMouseEvent event);
    virtual void MouseExited(CMouseEvent event);
    virtual void MousePressed(CMouseEvent event);
    virtual void MouseReleased(CMouseEvent event);
    virtual void MouseMoved(CMouseEvent event);
    virtual void MouseDragged(CMouseEvent event);

    void SetColor(D3DXCOLOR top, D3DXCOLOR bottom);
    // index 0 the top colour, 1 the bottom colour.
    D3DXCOLOR GetColor(int index) const;

    void SetRect(CRECTVirtual rect);
    CRECTVirtual GetRect() const { return rect; }
    // 1: the window is a square with the shorter side of its rectangle, at its top-left corner.
    void SetQuadratic(int on);
    void SetBorderSize(int pixels);

    // Takes ownership of child (ignored when null or already a child here).
    void AddWindow(C3DWindow* child);
    // Deletes every child window.
    void DeleteAllSubWindows();
    C3DWindow* GetParent() const { return parent; }
    int GetSubWindowCount() const { return (int)children.size(); }
    C3DWindow* GetSubWindow(int index) const { return children[index]; }

    // The window's rectangle in back-buffer pixels.
    CRECTScreen GetWindowSize();
    PixelRect GetPixelRect();

    int GetState() const { return state; }
    void SetState(int newState) { state = newState; }
    int HasFocus() const;

    // True when a pointer at (x, y) in screen fractions lies in this window's
    // hit area and no pointer-taking window drawn over it has the pointer too.
    bool IsUnderPointer(float x, float y);
    // Where the pointer hits a window: a pointer-taking window's rectangle
    // grown to at least MIN_HIT_PIXELS each way about its centre, so that small
    // buttons, boxes and arrows can be hit; any other window's rectangle.
    enum { MIN_HIT_PIXELS = 16 };
    PixelRect GetHitRect();
    void SetTakesPointer(int on) { takesPointer = on ? 1 : 0; }

    // The back-buffer size windows are laid out on: the device's viewport, or
    // 640 x 480 without a device.
    static void GetScreenSize(IDirect3DDevice8* device, float* width, float* height);

protected:
    // Records that the window is being drawn now, for the pointer's z-order.
    void MarkDrawn();
    // MarkDrawn, then the window colours over the whole window.
    void RenderBackground();
    // Fills a pixel rectangle with a top and a bottom colour, untextured.
    void FillRect(const PixelRect& r, D3DXCOLOR top, D3DXCOLOR bottom);
    // Draws the four edges of a pixel rectangle, 'thickness' pixels wide, inside it.
    void OutlineRect(const PixelRect& r, int thickness, DWORD color);
    void RenderChildren();
    // The parent's rectangle less the width of the frame along its edges, if
    // it has one: where a child's text stays. False for a window without a parent.
    bool InsideParent(PixelRect* inside);

    // Guards code that runs after a call that may delete this window: copy it
    // before the call, test *alive after.
    std::shared_ptr<bool> alive;

    CRECTVirtual rect;
    D3DXCOLOR colors[2];
    int borderSize;
    int quadratic;
    int state;
    // 1 for windows that take pointer events and hide windows below them from the pointer.
    int takesPointer;
    // Order of the last drawing among all windows: later drawn is on top.
    unsigned long drawOrder;

private:
    C3DWindow(const C3DWindow&);
    C3DWindow& operator=(const C3DWindow&);

    void DeleteMarkedChildren();
    bool IsAncestorOf(const C3DWindow* other) const;

    C3DWindow* parent;
    std::vector<C3DWindow*> children;
};

#endif
