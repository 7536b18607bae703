// Scoped render-state changes.

#include "CDeviceStates.h"

CDeviceStates::CDeviceStates(IDirect3DDevice8* dev) : device(dev) {}

CDeviceStates::~CDeviceStates()
{
    Restore();
}

void CDeviceStates::SetRenderState(D3DRENDERSTATETYPE state, DWORD value)
{
    Saved s = { false, 0, (DWORD)state, 0 };
    if (FAILED(device->GetRenderState(state, &s.value)))
        return;
    saved.push_back(s);
    device->SetRenderState(state, value);
}

void CDeviceStates::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value)
{
    Saved s = { true, stage, (DWORD)type, 0 };
    if (FAILED(device->GetTextureStageState(stage, type, &s.value)))
        return;
    saved.push_back(s);
    device->SetTextureStageState(stage, type, value);
}

void CDeviceStates::Restore()
{
    for (size_t i = saved.size(); i-- > 0;) {
        const Saved& s = saved[i];
        if (s.stageState)
            device->SetTextureStageState(s.stage, (D3DTEXTURESTAGESTATETYPE)s.type, s.value);
        else
            device->SetRenderState((D3DRENDERSTATETYPE)s.type, s.value);
    }
    saved.clear();
}
