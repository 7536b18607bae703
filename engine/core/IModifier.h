#ifndef IMODIFIER_H
#define IMODIFIER_H

#include "CModEvent.h"

// Something that changes an object a little every frame. Objects call apply from
// their Move; they never own or delete the modifiers attached to them.
class IModifier {
public:
    virtual void apply(CModEvent event) = 0;
    virtual ~IModifier() {}
};

#endif
