#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "CMouse.h"

namespace {

class RecordingMouseListener : public IMouseListener, public IMouseMotionListener {
public:
    void MouseClicked(CMouseEvent event) override { Record("clicked", event); }
    void MouseEntered(CMouseEvent event) override { Record("entered", event); }
    void MouseExited(CMouseEvent event) override { Record("exited", event); }
    void MousePressed(CMouseEvent event) override { Record("pressed", event); }
    void MouseReleased(CMouseEvent event) override { Record("released", event); }
    void MouseMoved(CMouseEvent event) override { Record("moved", event); }
    void MouseDragged(CMouseEvent event) override { Record("dragged", event); }

    void Record(const char* what, const CMouseEvent& event)
    {
        names.push_back(what);
        events.push_back(event);
        if (onEvent)
            onEvent(event);
    }

    std::vector<std::string> names;
    std::vector<CMouseEvent> events;
    std::function<void(CMouseEvent)> onEvent;
};

const int WIDTH = 500;
const int HEIGHT = 375;

}

class EngineCoreMouse : public ::testing::Test {
protected:
    EngineCoreMouse() : mouse(nullptr, D3DXVECTOR3(0.0f, 0.0f, 0.0f)) {}

    void Send(UINT msg, int x, int y)
    {
        mouse.HandleMessage(msg, 0, MAKELPARAM(x, y), WIDTH, HEIGHT);
    }

    CMouse mouse;
};

TEST_F(EngineCoreMouse, PositionsAreWindowFractionsWithThePreviousPosition)
{
    RecordingMouseListener listener;
    mouse.AddMouseMotionEventListener(&listener);
    Send(WM_MOUSEMOVE, 250, 75);
    Send(WM_MOUSEMOVE, 500, 375);
    ASSERT_EQ(2u, listener.events.size());
    EXPECT_EQ("moved", listener.names[0]);
    EXPECT_FLOAT_EQ(0.5f, listener.events[0].x);
    EXPECT_FLOAT_EQ(0.2f, listener.events[0].y);
    EXPECT_FLOAT_EQ(0.0f, listener.events[0].prevX);
    EXPECT_FLOAT_EQ(1.0f, listener.events[1].x);
    EXPECT_FLOAT_EQ(1.0f, listener.events[1].y);
    EXPECT_FLOAT_EQ(0.5f, listener.events[1].prevX);
    EXPECT_FLOAT_EQ(0.2f, listener.events[1].prevY);
    EXPECT_EQ(CMouseEvent::MOUSE_MOVE, listener.events[0].GetKind());
}

TEST_F(EngineCoreMouse, EachButtonTransitionIsAClickWithItsState)
{
    RecordingMouseListener listener;
    mouse.AddMouseEventListener(&listener);
    Send(WM_LBUTTONDOWN, 10, 10);
    Send(WM_LBUTTONUP, 10, 10);
    Send(WM_RBUTTONDOWN, 10, 10);
    Send(WM_RBUTTONUP, 10, 10);
    std::vector<std::string> expected = { "pressed", "clicked", "released", "clicked",
                                          "pressed", "clicked", "released", "clicked" };
    EXPECT_EQ(expected, listener.names);
    EXPECT_EQ(CMouseEvent::MOUSE_BUTTON_PRESS, listener.events[1].getMouseButtonState(0));
    EXPECT_EQ(CMouseEvent::MOUSE_BUTTON_RELEASE, listener.events[3].getMouseButtonState(0));
    // Only the left release reports a left release.
    EXPECT_NE(CMouseEvent::MOUSE_BUTTON_RELEASE, listener.events[5].getMouseButtonState(0));
    EXPECT_NE(CMouseEvent::MOUSE_BUTTON_RELEASE, listener.events[7].getMouseButtonState(0));
    EXPECT_EQ(CMouseEvent::MOUSE_BUTTON_RELEASE, listener.events[7].getMouseButtonState(1));
}

TEST_F(EngineCoreMouse, RightButtonDragIsDragKindTwo)
{
    RecordingMouseListener listener;
    mouse.AddMouseMotionEventListener(&listener);
    Send(WM_MOUSEMOVE, 100, 100);
    Send(WM_RBUTTONDOWN, 100, 100);
    Send(WM_MOUSEMOVE, 150, 100);
    Send(WM_RBUTTONUP, 150, 100);
    Send(WM_LBUTTONDOWN, 150, 100);
    Send(WM_MOUSEMOVE, 200, 100);
    Send(WM_LBUTTONUP, 200, 100);
    Send(WM_MOUSEMOVE, 250, 100);
    std::vector<std::string> expected = { "moved", "dragged", "dragged", "moved" };
    EXPECT_EQ(expected, listener.names);
    EXPECT_EQ(CMouseEvent::MOUSE_DRAG_2, listener.events[1].GetKind());
    EXPECT_FLOAT_EQ(0.2f, listener.events[1].prevX);
    EXPECT_FLOAT_EQ(0.3f, listener.events[1].x);
    EXPECT_NE(CMouseEvent::MOUSE_DRAG_2, listener.events[2].GetKind());
}

TEST_F(EngineCoreMouse, MaskLetsOnlyEventsInsideItsRectangleThrough)
{
    RecordingMouseListener listener;
    mouse.AddMouseEventListener(&listener);
    mouse.AddMouseMotionEventListener(&listener);
    mouse.SetScreenSize(WIDTH, HEIGHT);
    mouse.SetMouseMask(1, CRECTScreen(175, 150, 150, 75), 1);
    Send(WM_LBUTTONDOWN, 10, 10);     // outside
    Send(WM_LBUTTONUP, 10, 10);
    Send(WM_MOUSEMOVE, 200, 160);     // inside
    Send(WM_LBUTTONDOWN, 200, 160);
    EXPECT_EQ((std::vector<std::string>{ "moved", "pressed", "clicked" }), listener.names);

    listener.names.clear();
    Send(WM_LBUTTONUP, 200, 160);
    mouse.SetMouseMask(1, CRECTScreen(), 1);   // nothing gets through
    Send(WM_LBUTTONDOWN, 200, 160);
    Send(WM_MOUSEMOVE, 210, 160);
    EXPECT_EQ((std::vector<std::string>{ "released", "clicked" }), listener.names);

    listener.names.clear();
    mouse.SetMouseMask(0, CRECTScreen(), 1);
    Send(WM_MOUSEMOVE, 10, 10);
    EXPECT_EQ(1u, listener.names.size());
}

TEST_F(EngineCoreMouse, ListenersInRegistrationOrderAndChangesDuringDispatch)
{
    RecordingMouseListener first, second, added;
    std::vector<std::string> order;
    first.onEvent = [&](CMouseEvent event) {
        order.push_back("first");
        if (event.getMouseButtonState(0) == CMouseEvent::MOUSE_BUTTON_RELEASE) {
            mouse.AddMouseEventListener(&added);       // a new window opened by the click
            mouse.RemoveMouseEventListener(&second);   // and one closed by it
        }
    };
    second.onEvent = [&](CMouseEvent) { order.push_back("second"); };
    mouse.AddMouseEventListener(&first);
    mouse.AddMouseEventListener(&second);
    Send(WM_LBUTTONDOWN, 10, 10);
    EXPECT_EQ((std::vector<std::string>{ "first", "first", "second", "second" }), order);
    order.clear();
    Send(WM_LBUTTONUP, 10, 10);
    // first gets released and clicked; the click removes second before its turn.
    EXPECT_EQ((std::vector<std::string>{ "first", "first" }), order);
    EXPECT_TRUE(added.names.empty()) << "added during dispatch";
    Send(WM_LBUTTONDOWN, 10, 10);
    EXPECT_FALSE(added.names.empty());

    // Motion reaches the motion listeners in their own order.
    order.clear();
    mouse.AddMouseMotionEventListener(&second);
    mouse.AddMouseMotionEventListener(&first);
    Send(WM_MOUSEMOVE, 20, 10);
    EXPECT_EQ((std::vector<std::string>{ "second", "first" }), order);
}

TEST_F(EngineCoreMouse, ConsumedPressReachesNoOneElseAndIsNoClick)
{
    RecordingMouseListener first, second;
    first.onEvent = [&](CMouseEvent) { mouse.ConsumeEvent(); };
    mouse.AddMouseEventListener(&first);
    mouse.AddMouseEventListener(&second);
    Send(WM_LBUTTONDOWN, 10, 10);
    EXPECT_EQ(std::vector<std::string>{ "pressed" }, first.names);
    EXPECT_TRUE(second.names.empty());
}

TEST_F(EngineCoreMouse, GoneListenerLeavesEveryMouse)
{
    CMouse other(nullptr, D3DXVECTOR3(0.0f, 0.0f, 0.0f));
    RecordingMouseListener window;
    mouse.AddMouseEventListener(&window);
    other.AddMouseEventListener(&window);
    mouse.AddMouseMotionEventListener(&window);
    CMouse::RemoveListenerEverywhere(static_cast<IMouseListener*>(&window));
    CMouse::RemoveListenerEverywhere(static_cast<IMouseMotionListener*>(&window));
    Send(WM_LBUTTONDOWN, 10, 10);
    Send(WM_MOUSEMOVE, 20, 10);
    other.HandleMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5), WIDTH, HEIGHT);
    EXPECT_TRUE(window.names.empty());
}

TEST_F(EngineCoreMouse, SmallMotionsAddUpUntilTheyPassTheThreshold)
{
    RecordingMouseListener listener;
    mouse.AddMouseMotionEventListener(&listener);
    mouse.moveThreshold = 0.01f;   // 5 pixels of 500
    Send(WM_MOUSEMOVE, 2, 0);
    Send(WM_MOUSEMOVE, 4, 0);
    EXPECT_TRUE(listener.names.empty());
    Send(WM_MOUSEMOVE, 6, 0);
    ASSERT_EQ(1u, listener.events.size());
    EXPECT_FLOAT_EQ(0.0f, listener.events[0].prevX);
    EXPECT_FLOAT_EQ(0.012f, listener.events[0].x);
}

TEST_F(EngineCoreMouse, RefreshTellsTheListenersThePointerAgain)
{
    RecordingMouseListener listener;
    mouse.AddMouseMotionEventListener(&listener);
    Send(WM_MOUSEMOVE, 100, 100);
    mouse.refresh = 1;
    mouse.Move(0.1f);
    mouse.Move(0.1f);
    ASSERT_EQ(2u, listener.events.size());
    EXPECT_FLOAT_EQ(0.2f, listener.events[1].x);
    EXPECT_EQ(0, mouse.refresh);
}
