#ifndef CMODEVENT_H
#define CMODEVENT_H

class C3DObject;

// Handed to a modifier once per frame: the object it acts on and the frame time.
class CModEvent {
public:
    CModEvent() : target(nullptr), seconds(0.0f) {}
    explicit CModEvent(C3DObject* object, float frameSeconds = 0.0f) : target(object), seconds(frameSeconds) {}

    C3DObject* GetTarget() const { return target; }
    float GetSeconds() const { return seconds; }
    void SetSeconds(float frameSeconds) { seconds = frameSeconds; }

    C3DObject* target;
    float seconds;
};

#endif
