// The chores every Direct3D resource shares, written once: reference
// counting, the device it belongs to, and its priority. Interface is the
// Direct3D interface the resource offers (a texture or a buffer); the class
// that derives from this one adds GetType and the interface's own calls.
#ifndef ZARUL_CD3D8RESOURCE_H
#define ZARUL_CD3D8RESOURCE_H

#include <d3d8.h>

#include "D3D8Helpers.h"

template <class Interface>
class CD3D8Resource : public Interface {
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

    HRESULT GetDevice(IDirect3DDevice8** out) override { return HandOutDevice(device, out); }
    DWORD SetPriority(DWORD priorityNew) override { return ExchangeValue(priority, priorityNew); }
    DWORD GetPriority() override { return priority; }
    // Everything lives in memory or is uploaded when locked: nothing to preload.
    void PreLoad() override {}

protected:
    explicit CD3D8Resource(IDirect3DDevice8* device_) : device(device_), refCount(1), priority(0) {}
    ~CD3D8Resource() override {}

    IDirect3DDevice8* device;

private:
    ULONG refCount;
    DWORD priority;
};

#endif
