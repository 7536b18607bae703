// Float RGBA colour and its packing into 32-bit ARGB.
#include "d3dx8math.h"

static void SetChannels(D3DCOLORVALUE *c, FLOAT r, FLOAT g, FLOAT b, FLOAT a)
{
    c->r = r;
    c->g = g;
    c->b = b;
    c->a = a;
}

// One channel as a byte: clamped to 0..1, then scaled and rounded half up.
static DWORD PackChannel(FLOAT f)
{
    if (f >= 1.0f) {
        return 255;
    }
    if (!(f > 0.0f)) {
        return 0;
    }
    return (DWORD)(f * 255.0f + 0.5f);
}

D3DXCOLOR::D3DXCOLOR()
{
    SetChannels(this, 0.0f, 0.0f, 0.0f, 0.0f);
}

D3DXCOLOR::D3DXCOLOR(DWORD argb)
{
    const FLOAT scale = 1.0f / 255.0f;
    SetChannels(this, scale * (FLOAT)((argb >> 16) & 0xFF), scale * (FLOAT)((argb >> 8) & 0xFF),
                scale * (FLOAT)(argb & 0xFF), scale * (FLOAT)((argb >> 24) & 0xFF));
}

D3DXCOLOR::D3DXCOLOR(const FLOAT *f)
{
    SetChannels(this, f[0], f[1], f[2], f[3]);
}

D3DXCOLOR::D3DXCOLOR(const D3DCOLORVALUE &c)
{
    SetChannels(this, c.r, c.g, c.b, c.a);
}

D3DXCOLOR::D3DXCOLOR(FLOAT fr, FLOAT fg, FLOAT fb, FLOAT fa)
{
    SetChannels(this, fr, fg, fb, fa);
}

D3DXCOLOR::operator DWORD() const
{
    return (PackChannel(a) << 24) | (PackChannel(r) << 16) | (PackChannel(g) << 8) | PackChannel(b);
}

D3DXCOLOR::operator FLOAT *() { return &r; }
D3DXCOLOR::operator const FLOAT *() const { return &r; }

D3DXCOLOR &D3DXCOLOR::operator+=(const D3DXCOLOR &c)
{
    SetChannels(this, r + c.r, g + c.g, b + c.b, a + c.a);
    return *this;
}

D3DXCOLOR &D3DXCOLOR::operator-=(const D3DXCOLOR &c)
{
    SetChannels(this, r - c.r, g - c.g, b - c.b, a - c.a);
    return *this;
}

D3DXCOLOR &D3DXCOLOR::operator*=(FLOAT f)
{
    SetChannels(this, r * f, g * f, b * f, a * f);
    return *this;
}

D3DXCOLOR &D3DXCOLOR::operator/=(FLOAT f)
{
    SetChannels(this, r / f, g / f, b / f, a / f);
    return *this;
}

D3DXCOLOR D3DXCOLOR::operator+() const { return *this; }
D3DXCOLOR D3DXCOLOR::operator-() const { return D3DXCOLOR(-r, -g, -b, -a); }

D3DXCOLOR D3DXCOLOR::operator+(const D3DXCOLOR &c) const { return D3DXCOLOR(r + c.r, g + c.g, b + c.b, a + c.a); }
D3DXCOLOR D3DXCOLOR::operator-(const D3DXCOLOR &c) const { return D3DXCOLOR(r - c.r, g - c.g, b - c.b, a - c.a); }
D3DXCOLOR D3DXCOLOR::operator*(FLOAT f) const { return D3DXCOLOR(r * f, g * f, b * f, a * f); }
D3DXCOLOR D3DXCOLOR::operator/(FLOAT f) const { return D3DXCOLOR(r / f, g / f, b / f, a / f); }

D3DXCOLOR operator*(FLOAT f, const D3DXCOLOR &c) { return c * f; }

bool D3DXCOLOR::operator==(const D3DXCOLOR &c) const { return r == c.r && g == c.g && b == c.b && a == c.a; }
bool D3DXCOLOR::operator!=(const D3DXCOLOR &c) const { return !(*this == c); }
