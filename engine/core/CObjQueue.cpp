#include "CObjQueue.h"

#include <algorithm>
#include <climits>

#include "C3DObject.h"
#include "CMouse.h"

// Every queue alive, so that an object that goes can leave all of them.
static std::vector<CObjQueue*>& LiveQueues()
{
    static std::vector<CObjQueue*> queues;
    return queues;
}

CObjQueue::CObjQueue()
    : busy(0), nextSerial(0)
{
    LiveQueues().push_back(this);
}

CObjQueue::~CObjQueue()
{
    ReleaseAllObjects(RELEASE_EVERYTHING);
    DeleteMarkedObjects();
    std::vector<CObjQueue*>& queues = LiveQueues();
    queues.erase(std::remove(queues.begin(), queues.end(), this), queues.end());
}

void CObjQueue::ForgetEverywhere(C3DObject* object)
{
    std::vector<CObjQueue*>& queues = LiveQueues();
    for (size_t i = 0; i < queues.size(); i++)
        queues[i]->Forget(object);
}

void CObjQueue::AddObject(C3DObject* object, int position, int flags)
{
    (void)flags;
    if (!object)
        return;
    // Queued twice would mean deleted twice: an object already here keeps its
    // place, and one released but not yet deleted is taken back.
    for (size_t i = 0; i < entries.size(); i++) {
        if (entries[i].object != object)
            continue;
        if (!entries[i].released)
            return;
        entries.erase(entries.begin() + i);
        break;
    }
    Entry entry;
    entry.object = object;
    entry.position = position;
    entry.released = 0;
    entry.moved = 0;
    entry.serial = nextSerial++;
    // After every entry of the same or a lower position: drawn over those.
    size_t at = entries.size();
    while (at > 0 && entries[at - 1].position > position)
        at--;
    entries.insert(entries.begin() + at, entry);
}

void CObjQueue::ReleaseAllObjects(int flags)
{
    // Only flagged here; the objects go at the next safe point, because the call
    // usually comes from inside a handler of one of them.
    for (size_t i = 0; i < entries.size(); i++) {
        if (flags != RELEASE_EVERYTHING && dynamic_cast<CMouse*>(entries[i].object))
            continue;
        entries[i].released = 1;
    }
}

void CObjQueue::AddCollidable(C3DObject* object)
{
    if (object && std::find(collidables.begin(), collidables.end(), object) == collidables.end())
        collidables.push_back(object);
}

void CObjQueue::Remove(C3DObject* object)
{
    collidables.erase(std::remove(collidables.begin(), collidables.end(), object), collidables.end());
}

void CObjQueue::Forget(C3DObject* object)
{
    Remove(object);
    for (size_t i = 0; i < entries.size(); i++) {
        if (entries[i].object == object) {
            entries.erase(entries.begin() + i);
            return;
        }
    }
}

void CObjQueue::SetMoved(C3DObject* object)
{
    for (size_t i = 0; i < entries.size(); i++) {
        if (entries[i].object == object)
            entries[i].moved = 1;
    }
}

bool CObjQueue::IsLive(const Entry& entry) const
{
    return !entry.released;
}

int CObjQueue::GetObjectCount() const
{
    int count = 0;
    for (size_t i = 0; i < entries.size(); i++) {
        if (IsLive(entries[i]))
            count++;
    }
    return count;
}

bool CObjQueue::Contains(C3DObject* object) const
{
    return GetPosition(object) != 0;
}

int CObjQueue::GetPosition(C3DObject* object) const
{
    for (size_t i = 0; i < entries.size(); i++) {
        if (entries[i].object == object && IsLive(entries[i]))
            return entries[i].position;
    }
    return 0;
}

std::vector<C3DObject*> CObjQueue::Snapshot(int minPosition, int maxPosition, bool movedOnly) const
{
    std::vector<C3DObject*> pass;
    for (size_t i = 0; i < entries.size(); i++) {
        const Entry& entry = entries[i];
        if (entry.position >= minPosition && entry.position <= maxPosition && (entry.moved || !movedOnly))
            pass.push_back(entry.object);
    }
    return pass;
}

// Objects of a pass are taken from a copy of the list: handlers may add, mark or
// release objects. An object released or deleted meanwhile is skipped; one added
// meanwhile waits for the next pass.
void CObjQueue::MoveAll(float seconds)
{
    busy++;
    std::vector<C3DObject*> pass = Snapshot(INT_MIN, INT_MAX, false);
    for (size_t i = 0; i < pass.size(); i++) {
        if (GetPosition(pass[i]) == 0 || pass[i]->markedForDeletion)
            continue;
        SetMoved(pass[i]);
        pass[i]->Move(seconds);
    }
    CheckCollisions();
    busy--;
    DeleteMarkedObjects();
}

void CObjQueue::CheckCollisions()
{
    std::vector<C3DObject*> pass = Snapshot(INT_MIN, INT_MAX, false);
    for (size_t i = 0; i < pass.size(); i++) {
        C3DObject* object = pass[i];
        if (GetPosition(object) == 0 || object->markedForDeletion || object->collisionCheck != 1)
            continue;
        std::vector<C3DObject*> others = collidables;
        for (size_t j = 0; j < others.size(); j++) {
            C3DObject* other = others[j];
            if (other == object)
                continue;
            // Both may have gone in an earlier check.
            if (std::find(collidables.begin(), collidables.end(), other) == collidables.end())
                continue;
            if (GetPosition(object) == 0 || object->markedForDeletion)
                break;
            if (object->CustomCollisionCheck(other))
                object->Collide(other);
        }
    }
}

void CObjQueue::RenderRange(int minPosition, int maxPosition)
{
    busy++;
    // An object is drawn only after its first Move, so that it never shows a
    // state its modifiers have not yet set.
    std::vector<C3DObject*> pass = Snapshot(minPosition, maxPosition, true);
    for (size_t i = 0; i < pass.size(); i++) {
        if (GetPosition(pass[i]) == 0 || pass[i]->markedForDeletion)
            continue;
        pass[i]->Render();
    }
    busy--;
}

void CObjQueue::RestoreAll()
{
    busy++;
    std::vector<C3DObject*> pass = Snapshot(INT_MIN, INT_MAX, false);
    for (size_t i = 0; i < pass.size(); i++) {
        if (GetPosition(pass[i]) != 0)
            pass[i]->Restore();
    }
    busy--;
}

void CObjQueue::DeleteEntry(size_t index, bool notify)
{
    C3DObject* object = entries[index].object;
    entries.erase(entries.begin() + index);
    Remove(object);
    if (notify)
        object->FireChangeEvent(CChangeEvent(object, CChangeEvent::PRE_OBJECT_DELETION));
    delete object;
}

void CObjQueue::DeleteMarkedObjects()
{
    if (busy)
        return;
    // Handlers of PRE_OBJECT_DELETION and destructors may add, mark or release
    // objects; the loop runs until nothing is left to delete. Released objects go
    // first, the last added first whatever its position: an owner is queued after
    // the objects it made in its constructor (often at a higher position), and its
    // destructor may still mark them.
    busy++;
    for (;;) {
        size_t i;
        size_t newest = entries.size();
        for (i = 0; i < entries.size(); i++) {
            if (entries[i].released && (newest == entries.size() || entries[i].serial > entries[newest].serial))
                newest = i;
        }
        if (newest < entries.size()) {
            DeleteEntry(newest, false);
            continue;
        }
        for (i = 0; i < entries.size(); i++) {
            if (entries[i].object->markedForDeletion)
                break;
        }
        if (i == entries.size())
            break;
        DeleteEntry(i, true);
    }
    busy--;
}
