// Three-component float vector and the vector functions.
#include "d3dx8math.h"

#include <cmath>

D3DXVECTOR3::D3DXVECTOR3()
{
    x = y = z = 0.0f;
}

D3DXVECTOR3::D3DXVECTOR3(const FLOAT *f)
{
    x = f[0];
    y = f[1];
    z = f[2];
}

D3DXVECTOR3::D3DXVECTOR3(const D3DVECTOR &v)
{
    x = v.x;
    y = v.y;
    z = v.z;
}

D3DXVECTOR3::D3DXVECTOR3(FLOAT fx, FLOAT fy, FLOAT fz)
{
    x = fx;
    y = fy;
    z = fz;
}

D3DXVECTOR3::operator FLOAT *() { return &x; }
D3DXVECTOR3::operator const FLOAT *() const { return &x; }

D3DXVECTOR3 &D3DXVECTOR3::operator+=(const D3DXVECTOR3 &v)
{
    x += v.x;
    y += v.y;
    z += v.z;
    return *this;
}

D3DXVECTOR3 &D3DXVECTOR3::operator-=(const D3DXVECTOR3 &v)
{
    x -= v.x;
    y -= v.y;
    z -= v.z;
    return *this;
}

D3DXVECTOR3 &D3DXVECTOR3::operator*=(FLOAT f)
{
    x *= f;
    y *= f;
    z *= f;
    return *this;
}

D3DXVECTOR3 &D3DXVECTOR3::operator/=(FLOAT f)
{
    x /= f;
    y /= f;
    z /= f;
    return *this;
}

D3DXVECTOR3 D3DXVECTOR3::operator+() const { return *this; }
D3DXVECTOR3 D3DXVECTOR3::operator-() const { return D3DXVECTOR3(-x, -y, -z); }

D3DXVECTOR3 D3DXVECTOR3::operator+(const D3DXVECTOR3 &v) const { return D3DXVECTOR3(x + v.x, y + v.y, z + v.z); }
D3DXVECTOR3 D3DXVECTOR3::operator-(const D3DXVECTOR3 &v) const { return D3DXVECTOR3(x - v.x, y - v.y, z - v.z); }
D3DXVECTOR3 D3DXVECTOR3::operator*(FLOAT f) const { return D3DXVECTOR3(x * f, y * f, z * f); }
D3DXVECTOR3 D3DXVECTOR3::operator/(FLOAT f) const { return D3DXVECTOR3(x / f, y / f, z / f); }

D3DXVECTOR3 operator*(FLOAT f, const D3DXVECTOR3 &v) { return v * f; }

bool D3DXVECTOR3::operator==(const D3DXVECTOR3 &v) const { return x == v.x && y == v.y && z == v.z; }
bool D3DXVECTOR3::operator!=(const D3DXVECTOR3 &v) const { return !(*this == v); }

FLOAT D3DXVec3Length(const D3DXVECTOR3 *v)
{
    return sqrtf(v->x * v->x + v->y * v->y + v->z * v->z);
}

FLOAT D3DXVec3Dot(const D3DXVECTOR3 *a, const D3DXVECTOR3 *b)
{
    return a->x * b->x + a->y * b->y + a->z * b->z;
}

D3DXVECTOR3 *D3DXVec3Cross(D3DXVECTOR3 *out, const D3DXVECTOR3 *a, const D3DXVECTOR3 *b)
{
    // Computed into a temporary: out may be a or b.
    D3DXVECTOR3 r(a->y * b->z - a->z * b->y,
                  a->z * b->x - a->x * b->z,
                  a->x * b->y - a->y * b->x);
    *out = r;
    return out;
}

D3DXVECTOR3 *D3DXVec3Normalize(D3DXVECTOR3 *out, const D3DXVECTOR3 *v)
{
    FLOAT length = D3DXVec3Length(v);
    if (length == 0.0f) {
        *out = D3DXVECTOR3(0.0f, 0.0f, 0.0f);
        return out;
    }
    *out = *v / length;
    return out;
}

D3DXVECTOR3 *D3DXVec3TransformCoord(D3DXVECTOR3 *out, const D3DXVECTOR3 *v, const D3DXMATRIX *m)
{
    FLOAT x = v->x * m->_11 + v->y * m->_21 + v->z * m->_31 + m->_41;
    FLOAT y = v->x * m->_12 + v->y * m->_22 + v->z * m->_32 + m->_42;
    FLOAT z = v->x * m->_13 + v->y * m->_23 + v->z * m->_33 + m->_43;
    FLOAT w = v->x * m->_14 + v->y * m->_24 + v->z * m->_34 + m->_44;
    *out = D3DXVECTOR3(x / w, y / w, z / w);
    return out;
}

D3DXVECTOR3 *D3DXVec3TransformNormal(D3DXVECTOR3 *out, const D3DXVECTOR3 *v, const D3DXMATRIX *m)
{
    FLOAT x = v->x * m->_11 + v->y * m->_21 + v->z * m->_31;
    FLOAT y = v->x * m->_12 + v->y * m->_22 + v->z * m->_32;
    FLOAT z = v->x * m->_13 + v->y * m->_23 + v->z * m->_33;
    *out = D3DXVECTOR3(x, y, z);
    return out;
}
