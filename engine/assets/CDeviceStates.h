#ifndef CDEVICESTATES_H
#define CDEVICESTATES_H

#include <vector>
#include <d3d8.h>

// Changes render and texture-stage states for one drawing pass and puts the old
// values back when it goes out of scope (or on Restore), so a pass leaves the device
// as it found it.
class CDeviceStates {
public:
    explicit CDeviceStates(IDirect3DDevice8* device);
    ~CDeviceStates();

    void SetRenderState(D3DRENDERSTATETYPE state, DWORD value);
    void SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value);

    // Puts back every state changed so far, the last change first.
    void Restore();

private:
    CDeviceStates(const CDeviceStates&);
    CDeviceStates& operator=(const CDeviceStates&);

    struct Saved
    {
        bool stageState;
        DWORD stage;
        DWORD type;
        DWORD value;
    };

    IDirect3DDevice8* device;
    std::vector<Saved> saved;
};

#endif
