// The chores every Direct3D resource shares, written once: the device it
// belongs to and its priority (reference counting comes from CD3D8Object).
// Interface is the Direct3D interface the resource offers (a texture or a
// buffer); the class that derives from this one adds GetType and the
// interface's own calls.
#ifndef ZARUL_CD3D8RESOURCE_H
#define ZARUL_CD3D8RESOURCE_H

#include "CD3D8Object.h"

template <class Interface>
class CD3D8Resource : public CD3D8Object<Interface> {
public:
    HRESULT GetDevice(IDirect3DDevice8** out) override { return HandOutDevice(device, out); }
    DWORD SetPriority(DWORD priorityNew) override { return ExchangeValue(priority, priorityNew); }
    DWORD GetPriority() override { return priority; }
    // Everything lives in memory or is uploaded when locked: nothing to preload.
    void PreLoad() override {}

protected:
    explicit CD3D8Resource(IDirect3DDevice8* device_) : device(device_), priority(0) {}
    ~CD3D8Resource() override {}

    IDirect3DDevice8* device;

private:
    DWORD priority;
};

#endif
