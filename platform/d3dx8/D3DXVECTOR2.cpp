// Two-component float vector.
#include "d3dx8math.h"

D3DXVECTOR2::D3DXVECTOR2() : x(0.0f), y(0.0f) {}
D3DXVECTOR2::D3DXVECTOR2(const FLOAT *f) : x(f[0]), y(f[1]) {}
D3DXVECTOR2::D3DXVECTOR2(FLOAT fx, FLOAT fy) : x(fx), y(fy) {}

D3DXVECTOR2::operator FLOAT *() { return &x; }
D3DXVECTOR2::operator const FLOAT *() const { return &x; }

D3DXVECTOR2 &D3DXVECTOR2::operator+=(const D3DXVECTOR2 &v)
{
    x += v.x;
    y += v.y;
    return *this;
}

D3DXVECTOR2 &D3DXVECTOR2::operator-=(const D3DXVECTOR2 &v)
{
    x -= v.x;
    y -= v.y;
    return *this;
}

D3DXVECTOR2 &D3DXVECTOR2::operator*=(FLOAT f)
{
    x *= f;
    y *= f;
    return *this;
}

D3DXVECTOR2 &D3DXVECTOR2::operator/=(FLOAT f)
{
    x /= f;
    y /= f;
    return *this;
}

D3DXVECTOR2 D3DXVECTOR2::operator+() const { return *this; }
D3DXVECTOR2 D3DXVECTOR2::operator-() const { return D3DXVECTOR2(-x, -y); }

D3DXVECTOR2 D3DXVECTOR2::operator+(const D3DXVECTOR2 &v) const { return D3DXVECTOR2(x + v.x, y + v.y); }
D3DXVECTOR2 D3DXVECTOR2::operator-(const D3DXVECTOR2 &v) const { return D3DXVECTOR2(x - v.x, y - v.y); }
D3DXVECTOR2 D3DXVECTOR2::operator*(FLOAT f) const { return D3DXVECTOR2(x * f, y * f); }
D3DXVECTOR2 D3DXVECTOR2::operator/(FLOAT f) const { return D3DXVECTOR2(x / f, y / f); }

D3DXVECTOR2 operator*(FLOAT f, const D3DXVECTOR2 &v) { return v * f; }

bool D3DXVECTOR2::operator==(const D3DXVECTOR2 &v) const { return x == v.x && y == v.y; }
bool D3DXVECTOR2::operator!=(const D3DXVECTOR2 &v) const { return !(*this == v); }
