#include "PixelFormats.h"

UINT PixelFormatBytes(D3DFORMAT format)
{
    switch (format) {
    case D3DFMT_A8R8G8B8:
    case D3DFMT_X8R8G8B8:
        return 4;
    case D3DFMT_R8G8B8:
        return 3;
    case D3DFMT_R5G6B5:
    case D3DFMT_X1R5G5B5:
    case D3DFMT_A1R5G5B5:
    case D3DFMT_A4R4G4B4:
    case D3DFMT_X4R4G4B4:
    case D3DFMT_A8L8:
        return 2;
    case D3DFMT_A8:
    case D3DFMT_L8:
    case D3DFMT_A4L4:
        return 1;
    default:
        return 0;
    }
}

bool PixelFormatIsDepth(D3DFORMAT format)
{
    switch (format) {
    case D3DFMT_D16_LOCKABLE:
    case D3DFMT_D32:
    case D3DFMT_D15S1:
    case D3DFMT_D24S8:
    case D3DFMT_D16:
    case D3DFMT_D24X8:
    case D3DFMT_D24X4S4:
        return true;
    default:
        return false;
    }
}

namespace {

// Widens an n-bit channel to 8 bits so that all ones stays 255.
BYTE Expand(unsigned value, unsigned bits)
{
    unsigned max = (1u << bits) - 1;
    return (BYTE)((value * 255 + max / 2) / max);
}

unsigned Narrow(BYTE value, unsigned bits)
{
    unsigned max = (1u << bits) - 1;
    return (value * max + 127) / 255;
}

void Store(BYTE* out, BYTE b, BYTE g, BYTE r, BYTE a)
{
    out[0] = b;
    out[1] = g;
    out[2] = r;
    out[3] = a;
}

} // namespace

void PixelsToBGRA(D3DFORMAT format, const BYTE* source, BYTE* bgra, UINT count)
{
    for (UINT i = 0; i < count; i++, bgra += 4) {
        switch (format) {
        case D3DFMT_A8R8G8B8: {
            const BYTE* p = source + i * 4;
            Store(bgra, p[0], p[1], p[2], p[3]);
            break;
        }
        case D3DFMT_X8R8G8B8: {
            const BYTE* p = source + i * 4;
            Store(bgra, p[0], p[1], p[2], 255);
            break;
        }
        case D3DFMT_R8G8B8: {
            const BYTE* p = source + i * 3;
            Store(bgra, p[0], p[1], p[2], 255);
            break;
        }
        case D3DFMT_R5G6B5: {
            unsigned v = source[i * 2] | (source[i * 2 + 1] << 8);
            Store(bgra, Expand(v & 31, 5), Expand((v >> 5) & 63, 6), Expand(v >> 11, 5), 255);
            break;
        }
        case D3DFMT_X1R5G5B5:
        case D3DFMT_A1R5G5B5: {
            unsigned v = source[i * 2] | (source[i * 2 + 1] << 8);
            BYTE a = (format == D3DFMT_X1R5G5B5 || (v & 0x8000)) ? 255 : 0;
            Store(bgra, Expand(v & 31, 5), Expand((v >> 5) & 31, 5), Expand((v >> 10) & 31, 5), a);
            break;
        }
        case D3DFMT_A4R4G4B4:
        case D3DFMT_X4R4G4B4: {
            unsigned v = source[i * 2] | (source[i * 2 + 1] << 8);
            BYTE a = format == D3DFMT_X4R4G4B4 ? 255 : Expand(v >> 12, 4);
            Store(bgra, Expand(v & 15, 4), Expand((v >> 4) & 15, 4), Expand((v >> 8) & 15, 4), a);
            break;
        }
        case D3DFMT_A8L8: {
            BYTE l = source[i * 2];
            Store(bgra, l, l, l, source[i * 2 + 1]);
            break;
        }
        case D3DFMT_A8:
            Store(bgra, 255, 255, 255, source[i]);
            break;
        case D3DFMT_L8:
            Store(bgra, source[i], source[i], source[i], 255);
            break;
        case D3DFMT_A4L4: {
            BYTE l = Expand(source[i] & 15, 4);
            Store(bgra, l, l, l, Expand(source[i] >> 4, 4));
            break;
        }
        default:
            Store(bgra, 0, 0, 0, 255);
            break;
        }
    }
}

void PixelsFromBGRA(D3DFORMAT format, const BYTE* bgra, BYTE* destination, UINT count)
{
    for (UINT i = 0; i < count; i++, bgra += 4) {
        BYTE b = bgra[0];
        BYTE g = bgra[1];
        BYTE r = bgra[2];
        BYTE a = bgra[3];
        unsigned v = 0;
        switch (format) {
        case D3DFMT_A8R8G8B8:
            Store(destination + i * 4, b, g, r, a);
            continue;
        case D3DFMT_X8R8G8B8:
            Store(destination + i * 4, b, g, r, 255);
            continue;
        case D3DFMT_R8G8B8:
            destination[i * 3] = b;
            destination[i * 3 + 1] = g;
            destination[i * 3 + 2] = r;
            continue;
        case D3DFMT_R5G6B5:
            v = Narrow(b, 5) | (Narrow(g, 6) << 5) | (Narrow(r, 5) << 11);
            break;
        case D3DFMT_X1R5G5B5:
        case D3DFMT_A1R5G5B5:
            v = Narrow(b, 5) | (Narrow(g, 5) << 5) | (Narrow(r, 5) << 10) | (a >= 128 ? 0x8000 : 0);
            break;
        case D3DFMT_A4R4G4B4:
        case D3DFMT_X4R4G4B4:
            v = Narrow(b, 4) | (Narrow(g, 4) << 4) | (Narrow(r, 4) << 8) | (Narrow(a, 4) << 12);
            break;
        case D3DFMT_A8L8:
            destination[i * 2] = g;
            destination[i * 2 + 1] = a;
            continue;
        case D3DFMT_A8:
            destination[i] = a;
            continue;
        case D3DFMT_L8:
            destination[i] = g;
            continue;
        case D3DFMT_A4L4:
            destination[i] = (BYTE)(Narrow(g, 4) | (Narrow(a, 4) << 4));
            continue;
        default:
            continue;
        }
        destination[i * 2] = (BYTE)(v & 0xFF);
        destination[i * 2 + 1] = (BYTE)(v >> 8);
    }
}
