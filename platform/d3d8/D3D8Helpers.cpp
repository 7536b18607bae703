#include "D3D8Helpers.h"

D3DMATRIX MultiplyMatrices(const D3DMATRIX& a, const D3DMATRIX& b)
{
    D3DMATRIX out;
    for (int row = 0; row < 4; row++) {
        for (int col = 0; col < 4; col++) {
            out.m[row][col] = a.m[row][0] * b.m[0][col] + a.m[row][1] * b.m[1][col] + a.m[row][2] * b.m[2][col] +
                              a.m[row][3] * b.m[3][col];
        }
    }
    return out;
}

void ColorToFloats(D3DCOLOR color, float* out)
{
    out[0] = ((color >> 16) & 0xFF) / 255.0f;
    out[1] = ((color >> 8) & 0xFF) / 255.0f;
    out[2] = (color & 0xFF) / 255.0f;
    out[3] = (color >> 24) / 255.0f;
}

DWORD FloatToBits(float value)
{
    DWORD bits;
    memcpy(&bits, &value, sizeof(bits));
    return bits;
}

float FloatFromBits(DWORD bits)
{
    float value;
    memcpy(&value, &bits, sizeof(value));
    return value;
}

HRESULT NoInterface(void** object)
{
    if (object)
        *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT HandOutDevice(IDirect3DDevice8* device, IDirect3DDevice8** out)
{
    if (!out)
        return D3DERR_INVALIDCALL;
    device->AddRef();
    *out = device;
    return D3D_OK;
}

HRESULT DescribeSurface(D3DFORMAT format, DWORD usage, D3DPOOL pool, UINT width, UINT height, UINT pixelBytes,
                        D3DSURFACE_DESC* desc)
{
    if (!desc)
        return D3DERR_INVALIDCALL;
    desc->Format = format;
    desc->Type = D3DRTYPE_SURFACE;
    desc->Usage = usage;
    desc->Pool = pool;
    desc->MultiSampleType = D3DMULTISAMPLE_NONE;
    desc->Width = width;
    desc->Height = height;
    desc->Size = width * height * pixelBytes;
    return D3D_OK;
}

DWORD ExchangeValue(DWORD& slot, DWORD value)
{
    DWORD previous = slot;
    slot = value;
    return previous;
}

void SwapReference(IUnknown* incoming, IUnknown* outgoing)
{
    if (incoming)
        incoming->AddRef();
    if (outgoing)
        outgoing->Release();
}
