#include "CWindowScaleModifier.h"

#include "C3DWindow.h"
#include "WindowLayout.h"

CWindowScaleModifier::CWindowScaleModifier(CRECTVirtual from_, CRECTVirtual to_, float seconds)
    : from(from_), to(to_), duration(seconds), elapsed(0.0f), finished(0)
{
}

CWindowScaleModifier::~CWindowScaleModifier()
{
}

void CWindowScaleModifier::apply(CModEvent event)
{
    C3DWindow* window = dynamic_cast<C3DWindow*>(event.target);
    if (finished || !window)
        return;
    elapsed += event.seconds > 0.0f ? event.seconds : 0.0f;
    float t = duration > 0.0f ? elapsed / duration : 1.0f;
    if (t >= 1.0f) {
        window->SetRect(to);
        finished = 1;
        // The last thing done: a listener may delete this modifier.
        std::vector<IChangeListener*> snapshot = listeners.Snapshot();
        for (size_t i = 0; i < snapshot.size(); i++)
            snapshot[i]->stateChanged(CChangeEvent(window, CChangeEvent::STATE_CHANGED));
        return;
    }
    window->SetRect(BlendRect(from, to, t));
}

void CWindowScaleModifier::AddChangeListener(IChangeListener* listener)
{
    listeners.Add(listener);
}

void CWindowScaleModifier::RemoveChangeListener(IChangeListener* listener)
{
    listeners.Remove(listener);
}
