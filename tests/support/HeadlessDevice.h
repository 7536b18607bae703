// A window with a Direct3D device on it, for tests and benchmarks that draw and read pixels.
#ifndef ZARUL_HEADLESSDEVICE_H
#define ZARUL_HEADLESSDEVICE_H

#include <d3d8.h>

#include <string>

class HeadlessDevice {
public:
    HeadlessDevice() {}
    ~HeadlessDevice() { Close(); }

    // Makes the window and a windowed device with an X8R8G8B8 back buffer of the
    // given size and a D24S8 depth buffer. False when either cannot be made.
    bool Open(UINT width, UINT height);

    // Releases the device and the window. Answers the count the device's last
    // Release left: anything above 0 is a reference someone forgot.
    ULONG Close();

    // The back buffer's pixel at (x, y), top-left origin, as 0xRRGGBB.
    DWORD Pixel(int x, int y);

    // Writes the back buffer to <build folder>/<fileName>; answers the path
    // written, or an empty string when nothing could be written.
    std::string SavePicture(const char* fileName);

    HWND window = nullptr;
    IDirect3D8* d3d = nullptr;
    IDirect3DDevice8* device = nullptr;
    UINT width = 0;
    UINT height = 0;

private:
    HeadlessDevice(const HeadlessDevice&);
    HeadlessDevice& operator=(const HeadlessDevice&);
};

// Red, green and blue of a 0xRRGGBB (or 0xAARRGGBB) pixel.
inline int Red(DWORD pixel) { return (int)((pixel >> 16) & 0xFF); }
inline int Green(DWORD pixel) { return (int)((pixel >> 8) & 0xFF); }
inline int Blue(DWORD pixel) { return (int)(pixel & 0xFF); }

#endif
