#include "TestObjects.h"

#include "CObjQueue.h"
#include "CResourceManager.h"

std::vector<std::string> g_events;

LoggingObject::LoggingObject(const std::string& objectName)
    : C3DObject(nullptr, D3DXVECTOR3(0.0f, 0.0f, 0.0f)), name(objectName), alive(nullptr)
{
}

LoggingObject::~LoggingObject()
{
    g_events.push_back("delete:" + name);
    if (alive)
        *alive = false;
}

void LoggingObject::Move(float seconds)
{
    g_events.push_back("move:" + name);
    C3DObject::Move(seconds);
    if (onMove)
        onMove();
}

void LoggingObject::Render()
{
    g_events.push_back("render:" + name);
}

int LoggingObject::CustomCollisionCheck(C3DObject* other)
{
    collidedWith.push_back(other);
    return 0;
}

void RecordingChangeListener::stateChanged(CChangeEvent event)
{
    events.push_back(event);
    if (onEvent)
        onEvent(event);
}

void CallbackModifier::apply(CModEvent event)
{
    calls++;
    if (onApply)
        onApply(event);
}

void ClearObjectQueue()
{
    CObjQueue* queue = CResourceManager::GetObjectQueue();
    queue->ReleaseAllObjects(CObjQueue::RELEASE_EVERYTHING);
    queue->DeleteMarkedObjects();
}
