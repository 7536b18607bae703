// The COM chores every Direct3D object here shares, written once: it offers
// no other interface, and it is deleted when its last reference goes.
// Interface is the Direct3D interface the object implements.
#ifndef ZARUL_CD3D8OBJECT_H
#define ZARUL_CD3D8OBJECT_H

#include <d3d8.h>

#include "D3D8Helpers.h"

template <class Interface>
class CD3D8Object : public Interface {
public:
    HRESULT QueryInterface(REFIID, void** object) override { return NoInterface(object); }
    ULONG AddRef() override { return ++refCount; }

    ULONG Release() override
    {
        ULONG count = --refCount;
        if (count == 0)
            delete this;
        return count;
    }

protected:
    CD3D8Object() : refCount(1) {}
    ~CD3D8Object() override {}

private:
    ULONG refCount;
};

#endif
