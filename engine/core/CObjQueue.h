#ifndef COBJQUEUE_H
#define COBJQUEUE_H

#include <cstddef>
#include <vector>

class C3DObject;

// The scene: owns its objects, moves and draws them each frame by position (a
// higher position is drawn over a lower one), deletes the ones marked for deletion
// and runs the collision checks.
//
// Objects are never deleted while the queue is inside one of their handlers:
// deletions requested during MoveAll or RenderAll (including ReleaseAllObjects)
// wait until the pass is over. Objects added at any time take part from the next
// pass on and are not affected by an earlier ReleaseAllObjects.
class CObjQueue {
public:
    enum {
        RELEASE_KEEP_MOUSE = 0,  // everything but the pointer objects
        RELEASE_EVERYTHING = 1
    };

    CObjQueue();
    ~CObjQueue();

    void AddObject(C3DObject* object, int position, int flags);
    // Deletes every object silently (no PRE_OBJECT_DELETION): scene changes drop
    // pending timers and fades without running their handlers.
    void ReleaseAllObjects(int flags);

    void AddCollidable(C3DObject* object);
    void Remove(C3DObject* object);

    // Move of every object, then the collision checks, then the deletions.
    void MoveAll(float seconds);
    // Render of every object with a position from minPosition to maxPosition.
    void RenderRange(int minPosition, int maxPosition);
    // Restore of every object (after a device reset).
    void RestoreAll();
    // Deletes what is marked: first PRE_OBJECT_DELETION to the object's change
    // listeners, then delete. Does nothing while a pass is running.
    void DeleteMarkedObjects();

    // Forgets the object wherever it stands (it is being deleted by someone).
    void Forget(C3DObject* object);
    // Called by C3DObject's destructor: every live queue forgets the object.
    static void ForgetEverywhere(C3DObject* object);

    int GetObjectCount() const;
    bool Contains(C3DObject* object) const;
    int GetPosition(C3DObject* object) const;

private:
    struct Entry {
        C3DObject* object;
        int position;
        int released;   // dropped by ReleaseAllObjects: delete without events
        int moved;      // has had its first Move
        unsigned long serial;   // order of adding, whatever the position
    };

    void CheckCollisions();
    void DeleteEntry(size_t index, bool notify);
    bool IsLive(const Entry& entry) const;
    void SetMoved(C3DObject* object);
    // The objects of a pass, in drawing order.
    std::vector<C3DObject*> Snapshot(int minPosition, int maxPosition, bool movedOnly) const;

    std::vector<Entry> entries;
    std::vector<C3DObject*> collidables;
    int busy;
    unsigned long nextSerial;
};

#endif
