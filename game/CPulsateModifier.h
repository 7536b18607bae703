// CPulsateModifier: a colour that swings between 0.5 and 1.1 with a period of
// pi/2 seconds. Attached to the board view, it advances once a frame; the board
// view hands the current colour to every goal stone on its target field, so all
// of them pulse in step.
#ifndef CPULSATEMODIFIER_H
#define CPULSATEMODIFIER_H

#include "IModifier.h"

class CStone;

class CPulsateModifier : public IModifier
{
public:
    CPulsateModifier();
    virtual ~CPulsateModifier();

    virtual void apply(CModEvent event);
    // Gives the stone the current colour.
    void ApplyTo(CStone* stone);

    float r;
    float g;
    float b;
    float a;
    float time;     // seconds since the first frame
};

#endif
