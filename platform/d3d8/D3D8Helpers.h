// Small pieces the Direct3D classes share: matrix product, float states
// stored as DWORD bits, surface descriptions, and the reference-counting
// chores of COM objects.
#ifndef ZARUL_D3D8HELPERS_H
#define ZARUL_D3D8HELPERS_H

#include <d3d8.h>

// a * b for row vectors: a is applied first.
D3DMATRIX MultiplyMatrices(const D3DMATRIX& a, const D3DMATRIX& b);

// Red, green, blue and alpha of a packed ARGB colour, 0..1.
void ColorToFloats(D3DCOLOR color, float* out);

DWORD FloatToBits(float value);
float FloatFromBits(DWORD bits);

// QueryInterface of objects that offer no other interface.
HRESULT NoInterface(void** object);

// Hands out the device with a reference added.
HRESULT HandOutDevice(IDirect3DDevice8* device, IDirect3DDevice8** out);

// Fills in the description of a surface; fails for a null desc.
HRESULT DescribeSurface(D3DFORMAT format, DWORD usage, D3DPOOL pool, UINT width, UINT height, UINT pixelBytes,
                        D3DSURFACE_DESC* desc);

// Stores value in slot and returns the old value (priorities, levels of detail).
DWORD ExchangeValue(DWORD& slot, DWORD value);

// Takes a reference on the object that comes in and drops the one on the
// object that goes out; either may be null.
void SwapReference(IUnknown* incoming, IUnknown* outgoing);

#endif
