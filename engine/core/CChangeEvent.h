#ifndef CCHANGEEVENT_H
#define CCHANGEEVENT_H

class C3DObject;

// Sent when an object's state changes. The kind is PRE_OBJECT_DELETION just before
// the object queue deletes an object, STATE_CHANGED for other changes; senders may
// put their own small state values in it (fades report 1 and 2).
class CChangeEvent {
public:
    enum {
        STATE_CHANGED = 0,
        PRE_OBJECT_DELETION = 3
    };

    CChangeEvent() : source(nullptr), state(STATE_CHANGED) {}
    explicit CChangeEvent(C3DObject* src, int kind = STATE_CHANGED) : source(src), state(kind) {}

    C3DObject* GetSource() const { return source; }
    int GetState() const { return state; }
    void SetState(int kind) { state = kind; }

    C3DObject* source;
    int state;
};

#endif
