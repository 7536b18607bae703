#ifndef CMOUSE_H
#define CMOUSE_H

#include <string>
#include <windows.h>

#include "C3DObject.h"
#include "IMouseListener.h"
#include "IMouseMotionListener.h"
#include "CRECTScreen.h"

// The pointer: turns the window's mouse messages into mouse events for its
// listeners (in registration order) and draws the cursor picture over the scene.
// Positions are window fractions. While the mask is on, only pointer events inside
// the mask rectangle (back-buffer pixels) reach any listener.
class CMouse : public C3DObject {
public:
    CMouse(IDirect3DDevice8* device, D3DXVECTOR3 position);
    virtual ~CMouse();

    // The queue calls Render with the other objects; the cursor itself is drawn
    // by RenderCursor after everything else, so it stays on top.
    virtual void Render();
    virtual void Move(float seconds);
    void RenderCursor();

    void SetMouseTexture(const char* path);

    void AddMouseEventListener(IMouseListener* listener);
    void RemoveMouseEventListener(IMouseListener* listener);
    void AddMouseMotionEventListener(IMouseMotionListener* listener);
    void RemoveMouseMotionEventListener(IMouseMotionListener* listener);

    // on 1: pointer events reach listeners only inside rect (an all-zero rect lets
    // nothing through); on 0 lifts the mask. The last argument is accepted for
    // callers that pass it and has no effect.
    void SetMouseMask(int on, CRECTScreen rect, int unused);
    int IsMaskOn() const { return maskOn; }
    // True when a pointer at (x, y) in window fractions passes the mask.
    bool PassesMask(float x, float y) const;

    // Window messages: WM_MOUSEMOVE and the button messages, with the client size
    // in pixels. Returns true when the message was a mouse message.
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, int clientWidth, int clientHeight);
    // Size of the back buffer, for the mask rectangle and the cursor.
    void SetScreenSize(int width, int height);

    // A listener may call this while it handles an event: the event then reaches
    // no further listener.
    void ConsumeEvent() { consumed = 1; }

    float GetX() const { return x; }
    float GetY() const { return y; }

    // Every live mouse, so that a listener that goes away can leave them all.
    static void RemoveListenerEverywhere(IMouseListener* listener);
    static void RemoveListenerEverywhere(IMouseMotionListener* listener);
    static bool IsLive(CMouse* mouse);

    // Smallest pointer motion, in window fractions, that makes a move or drag
    // event; smaller motions add up until they pass it.
    float moveThreshold;
    // 1: the cursor picture is drawn.
    int visible;
    // Set to 1 to have the listeners told the pointer position again on the next
    // frame (after a modal window closed); goes back to 0 when done.
    int refresh;

private:
    CMouseEvent MakeEvent(int kind) const;
    void FireMove(CMouseEvent event);
    void FireButton(int button, int down);

    std::string texture;
    CListenerList<IMouseListener> mouseListeners;
    CListenerList<IMouseMotionListener> motionListeners;
    float x, y;
    float prevX, prevY;
    int buttonDown[CMouseEvent::BUTTON_COUNT];
    int maskOn;
    CRECTScreen mask;
    int screenWidth, screenHeight;
    int consumed;
};

#endif
