#include "CTimer.h"

CTimer::CTimer(float seconds, int oneShot)
    : C3DObject(nullptr, D3DXVECTOR3(0.0f, 0.0f, 0.0f)),
      duration(seconds), elapsed(0.0f), once(oneShot), fired(0)
{
}

CTimer::~CTimer()
{
}

void CTimer::Move(float seconds)
{
    if (markedForDeletion || (once && fired))
        return;
    elapsed += seconds;
    if (elapsed < duration)
        return;

    fired = 1;
    if (once)
        MarkForDeletion();
    else
        elapsed -= duration;

    timerListeners.Fire(&IChangeListener::stateChanged, CChangeEvent(this, CChangeEvent::STATE_CHANGED));
}

void CTimer::Render()
{
}

void CTimer::AddChangeListener(IChangeListener* listener)
{
    timerListeners.Add(listener);
}

void CTimer::RemoveChangeListener(IChangeListener* listener)
{
    timerListeners.Remove(listener);
}
