#include "CPulsateModifier.h"

#include <cmath>

#include "CStone.h"

CPulsateModifier::CPulsateModifier()
    : r(1.0f), g(1.0f), b(1.0f), a(1.0f), time(0.0f)
{
}

CPulsateModifier::~CPulsateModifier()
{
}

void CPulsateModifier::apply(CModEvent event)
{
    time += event.GetSeconds();
    double v = sin(time * 4.0f) * 0.3 + 0.8;
    r = g = b = a = (float)(v * 1.0);
}

void CPulsateModifier::ApplyTo(CStone* stone)
{
    if (stone)
        stone->SetColor(r, g, b, a);
}
