#include "C3DObject.h"

#include <algorithm>

#include "CObjQueue.h"

C3DObject::C3DObject(IDirect3DDevice8* dev, D3DXVECTOR3 pos)
    : device(dev), position(pos), velocity(0.0f, 0.0f, 0.0f), scale(1.0f),
      markedForDeletion(0), collisionCheck(0)
{
    D3DXMatrixIdentity(&world);
}

C3DObject::~C3DObject()
{
    // Whoever deletes an object, the queue must not keep a pointer to it.
    // The modifiers are left alone: they belong to others.
    CObjQueue::ForgetEverywhere(this);
}

int C3DObject::CustomCollisionCheck(C3DObject* other)
{
    (void)other;
    return 0;
}

float C3DObject::GetCollisionBoundary()
{
    return 0.0f;
}

void C3DObject::Render()
{
}

void C3DObject::Move(float seconds)
{
    ApplyModifiers(seconds);
    position += velocity * seconds;
}

void C3DObject::DoDuties()
{
}

void C3DObject::Collide(C3DObject* other)
{
    (void)other;
}

void C3DObject::MarkForDeletion()
{
    markedForDeletion = 1;
}

void C3DObject::Restore()
{
}

void C3DObject::ApplyModifiers(float seconds)
{
    // A modifier may detach itself or others, or empty the whole scene, while it
    // runs: work on a copy and skip the ones detached meanwhile.
    std::vector<IModifier*> current = modifiers;
    for (size_t i = 0; i < current.size(); i++) {
        if (!HasModifier(current[i]))
            continue;
        current[i]->apply(CModEvent(this, seconds));
    }
}

void C3DObject::AddModifier(IModifier* modifier)
{
    if (modifier)
        modifiers.push_back(modifier);
}

void C3DObject::RemoveModifier(IModifier* modifier)
{
    modifiers.erase(std::remove(modifiers.begin(), modifiers.end(), modifier), modifiers.end());
}

bool C3DObject::HasModifier(IModifier* modifier) const
{
    return std::find(modifiers.begin(), modifiers.end(), modifier) != modifiers.end();
}

void C3DObject::AddChangeEventListener(IChangeListener* listener)
{
    changeListeners.Add(listener);
}

void C3DObject::RemoveChangeEventListener(IChangeListener* listener)
{
    changeListeners.Remove(listener);
}

void C3DObject::FireChangeEvent(CChangeEvent event)
{
    changeListeners.Fire(&IChangeListener::stateChanged, event);
}
