#include "CWindowScaleModifier.h"

#include "C3DWindow.h"
#include "WindowLayout.h"

CWindowScaleModifier::CWindowScaleModifier(CRECTVirtual from_, CRECTVirtual to_, float seconds)
    : CTimedModifier(seconds), from(from_), to(to_)
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
    float t = Fraction(elapsed);
    if (t >= 1.0f) {
        window->SetRect(to);
        Finish(window);
        return;
    }
    window->SetRect(BlendRect(from, to, t));
}
