#ifndef ENGINE_CORE_TEST_OBJECTS_H
#define ENGINE_CORE_TEST_OBJECTS_H

#include <functional>
#include <string>
#include <vector>

#include "C3DObject.h"
#include "IChangeListener.h"
#include "IModifier.h"

// What the test objects did, in order ("move:a", "render:a", "delete:a", ...).
extern std::vector<std::string> g_events;

// A scene object that logs its calls and can run a test's code from its Move.
class LoggingObject : public C3DObject {
public:
    explicit LoggingObject(const std::string& name);
    virtual ~LoggingObject();
    virtual void Move(float seconds);
    virtual void Render();
    virtual int CustomCollisionCheck(C3DObject* other);

    std::string name;
    std::function<void()> onMove;
    std::vector<C3DObject*> collidedWith;
    // Cleared by the destructor, so a test can see whether the object lives.
    bool* alive;
};

// A change listener that counts and keeps the events it gets.
class RecordingChangeListener : public IChangeListener {
public:
    virtual void stateChanged(CChangeEvent event);
    std::vector<CChangeEvent> events;
    std::function<void(CChangeEvent)> onEvent;
};

// A modifier that runs a test's code.
class CallbackModifier : public IModifier {
public:
    virtual void apply(CModEvent event);
    std::function<void(CModEvent)> onApply;
    int calls = 0;
};

// Empties the engine's object queue at once (for test set-up and tear-down).
void ClearObjectQueue();

#endif
