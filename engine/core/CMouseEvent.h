#ifndef CMOUSEEVENT_H
#define CMOUSEEVENT_H

class C3DObject;

// A pointer event. Positions are window fractions: 0 at the left and top edge,
// 1 at the right and bottom edge. The previous position is where the pointer was
// at the event before this one. Button states say what happened to each button
// (0 left, 1 right, 2 middle) with this event.
class CMouseEvent {
public:
    enum {
        MOUSE_BUTTON_NONE = 0,    // nothing happened to the button
        MOUSE_BUTTON_PRESS = 1,   // went down with this event
        MOUSE_BUTTON_RELEASE = 2, // came up with this event
        MOUSE_BUTTON_DOWN = 3     // held down
    };
    enum {
        MOUSE_MOVE = 0,    // a plain move, no button held
        MOUSE_DRAG_1 = 1,  // moved with the left button held
        MOUSE_DRAG_2 = 2,  // moved with the right button held
        MOUSE_DRAG_3 = 3,  // moved with the middle button held
        MOUSE_CLICK = 4    // a button changed its state
    };
    enum { BUTTON_COUNT = 3 };

    CMouseEvent()
        : source(nullptr), x(0.0f), y(0.0f), prevX(0.0f), prevY(0.0f), kind(MOUSE_MOVE)
    {
        for (int i = 0; i < BUTTON_COUNT; i++)
            buttons[i] = MOUSE_BUTTON_NONE;
    }

    int getMouseButtonState(int button) const
    {
        if (button < 0 || button >= BUTTON_COUNT)
            return MOUSE_BUTTON_NONE;
        return buttons[button];
    }
    int GetKind() const { return kind; }
    float GetX() const { return x; }
    float GetY() const { return y; }
    float GetPrevX() const { return prevX; }
    float GetPrevY() const { return prevY; }
    C3DObject* GetSource() const { return source; }

    C3DObject* source;
    float x, y;
    float prevX, prevY;
    int kind;
    int buttons[BUTTON_COUNT];
};

#endif
