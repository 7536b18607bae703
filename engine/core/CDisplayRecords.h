#ifndef CDISPLAYRECORDS_H
#define CDISPLAYRECORDS_H

#include <vector>
#include <d3d8.h>

// Display modes the frame offers: window sizes on the desktop and full-screen
// modes of the adapter. Plain copyable records; the options screen copies them.
struct D3DModeRecord {
    DWORD Width;
    DWORD Height;
    D3DFORMAT Format;
    int windowed;   // 1: a window of this size; 0: full screen
};

struct D3DDeviceRecord {
    D3DDEVTYPE DeviceType;
    std::vector<D3DModeRecord> modes;
    DWORD dwCurrentMode;
};

struct D3DAdapterRecord {
    std::vector<D3DDeviceRecord> devices;
    DWORD dwCurrentDevice;
};

#endif
