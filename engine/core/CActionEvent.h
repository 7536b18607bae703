#ifndef CACTIONEVENT_H
#define CACTIONEVENT_H

class C3DObject;

// Sent by buttons and other sources of a user action. The id tells the listeners
// what happened; ACTION_DEFAULT is a plain click.
class CActionEvent {
public:
    enum { ACTION_DEFAULT = 0 };

    CActionEvent() : source(nullptr), id(ACTION_DEFAULT) {}
    CActionEvent(C3DObject* src, int actionId) : source(src), id(actionId) {}

    C3DObject* GetSource() const { return source; }
    int GetID() const { return id; }
    void SetID(int actionId) { id = actionId; }

    C3DObject* source;
    int id;
};

#endif
