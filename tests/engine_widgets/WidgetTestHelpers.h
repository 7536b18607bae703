#ifndef WIDGETTESTHELPERS_H
#define WIDGETTESTHELPERS_H

#include <cstdint>
#include <string>
#include <vector>

#include "C3DWindow.h"
#include "CMouse.h"
#include "TestFiles.h"
#include "IActionListener.h"
#include "IChangeListener.h"

// Without a device, windows lay out on a 640 x 480 screen.
const int TEST_SCREEN_W = 640;
const int TEST_SCREEN_H = 480;

// Sends a pointer message to a mouse at the pixel (x, y) of the test screen.
inline void SendMouse(CMouse& mouse, UINT msg, int x, int y)
{
    mouse.HandleMessage(msg, 0, MAKELPARAM(x, y), TEST_SCREEN_W, TEST_SCREEN_H);
}

// A left click: move there, press, release.
inline void ClickAt(CMouse& mouse, int x, int y)
{
    SendMouse(mouse, WM_MOUSEMOVE, x, y);
    SendMouse(mouse, WM_LBUTTONDOWN, x, y);
    SendMouse(mouse, WM_LBUTTONUP, x, y);
}

inline void Register(CMouse& mouse, C3DWindow* window)
{
    mouse.AddMouseEventListener(window);
    mouse.AddMouseMotionEventListener(window);
}

struct ActionRecorder : public IActionListener
{
    std::vector<CActionEvent> events;
    virtual void actionPerformed(CActionEvent event) { events.push_back(event); }
};

struct ChangeRecorder : public IChangeListener
{
    std::vector<CChangeEvent> events;
    virtual void stateChanged(CChangeEvent event) { events.push_back(event); }
};

#endif
