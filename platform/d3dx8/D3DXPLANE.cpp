// Plane a*x + b*y + c*z + d = 0 and the plane functions.
#include "d3dx8math.h"

D3DXPLANE::D3DXPLANE() : a(0.0f), b(0.0f), c(0.0f), d(0.0f) {}
D3DXPLANE::D3DXPLANE(const FLOAT *f) : a(f[0]), b(f[1]), c(f[2]), d(f[3]) {}
D3DXPLANE::D3DXPLANE(FLOAT fa, FLOAT fb, FLOAT fc, FLOAT fd) : a(fa), b(fb), c(fc), d(fd) {}

D3DXPLANE::operator FLOAT *() { return &a; }
D3DXPLANE::operator const FLOAT *() const { return &a; }

bool D3DXPLANE::operator==(const D3DXPLANE &p) const { return a == p.a && b == p.b && c == p.c && d == p.d; }
bool D3DXPLANE::operator!=(const D3DXPLANE &p) const { return !(*this == p); }

FLOAT D3DXPlaneDotCoord(const D3DXPLANE *p, const D3DXVECTOR3 *v)
{
    return p->a * v->x + p->b * v->y + p->c * v->z + p->d;
}

D3DXPLANE *D3DXPlaneFromPoints(D3DXPLANE *out, const D3DXVECTOR3 *p1, const D3DXVECTOR3 *p2,
                               const D3DXVECTOR3 *p3)
{
    D3DXVECTOR3 edge1 = *p2 - *p1;
    D3DXVECTOR3 edge2 = *p3 - *p1;
    D3DXVECTOR3 normal;
    D3DXVec3Cross(&normal, &edge1, &edge2);
    // Points on one line give a zero normal, and so a plane that no line meets.
    D3DXVec3Normalize(&normal, &normal);
    *out = D3DXPLANE(normal.x, normal.y, normal.z, -D3DXVec3Dot(&normal, p1));
    return out;
}

D3DXVECTOR3 *D3DXPlaneIntersectLine(D3DXVECTOR3 *out, const D3DXPLANE *p, const D3DXVECTOR3 *v1,
                                    const D3DXVECTOR3 *v2)
{
    D3DXVECTOR3 normal(p->a, p->b, p->c);
    D3DXVECTOR3 direction = *v2 - *v1;
    FLOAT along = D3DXVec3Dot(&normal, &direction);
    if (along == 0.0f) {
        return nullptr;
    }
    FLOAT t = -D3DXPlaneDotCoord(p, v1) / along;
    *out = *v1 + direction * t;
    return out;
}
