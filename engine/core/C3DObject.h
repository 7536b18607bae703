#ifndef C3DOBJECT_H
#define C3DOBJECT_H

#include <vector>
#include <d3d8.h>
#include <d3dx8.h>

#include "IChangeListener.h"
#include "IModifier.h"
#include "CListenerList.h"

// Base of every scene object. The object queue moves, draws and deletes these.
// Position, velocity, scale, world matrix, deletion mark and collision flag are
// plain data that scene code reads and writes directly.
class C3DObject {
public:
    C3DObject(IDirect3DDevice8* device, D3DXVECTOR3 position);

    // Asked by the queue for objects whose collisionCheck is 1, once per frame for
    // each collidable object. The result is not used by the queue.
    virtual int CustomCollisionCheck(C3DObject* other);
    // Radius of a sphere around the position that holds the object (0: a point).
    virtual float GetCollisionBoundary();
    virtual void Render();
    // Applies the attached modifiers, then moves the position by the velocity.
    virtual void Move(float seconds);
    // Per-frame chores that are not movement; nothing by default.
    virtual void DoDuties();
    // Told by a collision; nothing by default.
    virtual void Collide(C3DObject* other);
    // Sets the deletion mark; the queue deletes the object later.
    virtual void MarkForDeletion();
    // Re-creates device data after a device reset; nothing by default.
    virtual void Restore();
    virtual ~C3DObject();

    // Modifiers are not owned: the object never deletes or touches them when it
    // goes, because their owners may delete them while they are attached.
    void AddModifier(IModifier* modifier);
    void RemoveModifier(IModifier* modifier);
    bool HasModifier(IModifier* modifier) const;

    // Listeners of this object's own change events: PRE_OBJECT_DELETION before
    // the queue deletes it, and whatever state changes a subclass reports.
    void AddChangeEventListener(IChangeListener* listener);
    void RemoveChangeEventListener(IChangeListener* listener);
    void FireChangeEvent(CChangeEvent event);

    IDirect3DDevice8* GetDevice() const { return device; }
    int IsMarkedForDeletion() const { return markedForDeletion; }

    IDirect3DDevice8* device;
    D3DXVECTOR3 position;
    D3DXVECTOR3 velocity;
    float scale;
    D3DXMATRIX world;
    int markedForDeletion;
    int collisionCheck;

protected:
    void ApplyModifiers(float seconds);

    std::vector<IModifier*> modifiers;
    CListenerList<IChangeListener> changeListeners;
};

#endif
