#include "CTimedModifier.h"

CTimedModifier::CTimedModifier(float seconds) : duration(seconds), elapsed(0.0f), finished(0)
{
}

void CTimedModifier::AddChangeListener(IChangeListener* listener)
{
    listeners.Add(listener);
}

void CTimedModifier::RemoveChangeListener(IChangeListener* listener)
{
    listeners.Remove(listener);
}

float CTimedModifier::Fraction(float seconds) const
{
    float t = duration > 0.0f ? seconds / duration : 1.0f;
    if (t < 0.0f)
        return 0.0f;
    if (t > 1.0f)
        return 1.0f;
    return t;
}

void CTimedModifier::Finish(C3DObject* source)
{
    finished = 1;
    // Called from a snapshot, never through the list again: a listener may
    // delete this modifier, and its list with it.
    std::vector<IChangeListener*> snapshot = listeners.Snapshot();
    for (size_t i = 0; i < snapshot.size(); i++)
        snapshot[i]->stateChanged(CChangeEvent(source, CChangeEvent::STATE_CHANGED));
}
