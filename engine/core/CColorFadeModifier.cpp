#include "CColorFadeModifier.h"

#include "C3DWindow.h"

CColorFadeModifier::CColorFadeModifier(int dir, float seconds, D3DXCOLOR target)
    : CTimedModifier(seconds), direction(dir), color(target), started(0)
{
}

CColorFadeModifier::~CColorFadeModifier()
{
}

float CColorFadeModifier::WeightAt(float seconds) const
{
    float t = Fraction(seconds);
    return direction == 0 ? 1.0f - t : t;
}

void CColorFadeModifier::apply(CModEvent event)
{
    if (finished)
        return;
    C3DWindow* window = dynamic_cast<C3DWindow*>(event.GetTarget());
    if (window && !started) {
        startColor[0] = window->GetColor(0);
        startColor[1] = window->GetColor(1);
    }
    // The first frame shows the starting colour; time counts from there.
    if (started)
        elapsed += event.GetSeconds();
    started = 1;

    float w = WeightAt(elapsed);
    if (window) {
        D3DXCOLOR top = startColor[0] + (color - startColor[0]) * w;
        D3DXCOLOR bottom = startColor[1] + (color - startColor[1]) * w;
        window->SetColor(top, bottom);
    }
    if (elapsed >= duration)
        Finish(event.GetTarget());
}
