// D3DX math: vectors, matrices, planes and colours with the D3DX names and
// conventions. Left-handed, row vectors: a point v is transformed as v' = v * M,
// so A * B applies A first. Every function returns its out pointer so calls
// can be chained, and every out pointer may alias an input.
#ifndef D3DX8MATH_H
#define D3DX8MATH_H

#include <d3d8.h>

#define D3DX_PI    ((FLOAT) 3.141592654f)

#define D3DXToRadian(degree) ((degree) * (D3DX_PI / 180.0f))

// A fresh vector, colour or plane is all zeros and a fresh matrix is the
// identity, so nothing is ever read uninitialised.

struct D3DXVECTOR2
{
    FLOAT x, y;

    D3DXVECTOR2();
    D3DXVECTOR2(const FLOAT *f);
    D3DXVECTOR2(FLOAT x, FLOAT y);

    operator FLOAT *();
    operator const FLOAT *() const;

    D3DXVECTOR2 &operator+=(const D3DXVECTOR2 &v);
    D3DXVECTOR2 &operator-=(const D3DXVECTOR2 &v);
    D3DXVECTOR2 &operator*=(FLOAT f);
    D3DXVECTOR2 &operator/=(FLOAT f);

    D3DXVECTOR2 operator+() const;
    D3DXVECTOR2 operator-() const;

    D3DXVECTOR2 operator+(const D3DXVECTOR2 &v) const;
    D3DXVECTOR2 operator-(const D3DXVECTOR2 &v) const;
    D3DXVECTOR2 operator*(FLOAT f) const;
    D3DXVECTOR2 operator/(FLOAT f) const;

    friend D3DXVECTOR2 operator*(FLOAT f, const D3DXVECTOR2 &v);

    bool operator==(const D3DXVECTOR2 &v) const;
    bool operator!=(const D3DXVECTOR2 &v) const;
};

struct D3DXVECTOR3 : public D3DVECTOR
{
    D3DXVECTOR3();
    D3DXVECTOR3(const FLOAT *f);
    D3DXVECTOR3(const D3DVECTOR &v);
    D3DXVECTOR3(FLOAT x, FLOAT y, FLOAT z);

    operator FLOAT *();
    operator const FLOAT *() const;

    D3DXVECTOR3 &operator+=(const D3DXVECTOR3 &v);
    D3DXVECTOR3 &operator-=(const D3DXVECTOR3 &v);
    D3DXVECTOR3 &operator*=(FLOAT f);
    D3DXVECTOR3 &operator/=(FLOAT f);

    D3DXVECTOR3 operator+() const;
    D3DXVECTOR3 operator-() const;

    D3DXVECTOR3 operator+(const D3DXVECTOR3 &v) const;
    D3DXVECTOR3 operator-(const D3DXVECTOR3 &v) const;
    D3DXVECTOR3 operator*(FLOAT f) const;
    D3DXVECTOR3 operator/(FLOAT f) const;

    friend D3DXVECTOR3 operator*(FLOAT f, const D3DXVECTOR3 &v);

    bool operator==(const D3DXVECTOR3 &v) const;
    bool operator!=(const D3DXVECTOR3 &v) const;
};

struct D3DXMATRIX : public D3DMATRIX
{
    D3DXMATRIX();
    D3DXMATRIX(const FLOAT *f);
    D3DXMATRIX(const D3DMATRIX &m);
    D3DXMATRIX(FLOAT f11, FLOAT f12, FLOAT f13, FLOAT f14,
               FLOAT f21, FLOAT f22, FLOAT f23, FLOAT f24,
               FLOAT f31, FLOAT f32, FLOAT f33, FLOAT f34,
               FLOAT f41, FLOAT f42, FLOAT f43, FLOAT f44);

    FLOAT &operator()(UINT row, UINT col);
    FLOAT operator()(UINT row, UINT col) const;

    operator FLOAT *();
    operator const FLOAT *() const;

    D3DXMATRIX &operator*=(const D3DXMATRIX &m);
    D3DXMATRIX &operator+=(const D3DXMATRIX &m);
    D3DXMATRIX &operator-=(const D3DXMATRIX &m);
    D3DXMATRIX &operator*=(FLOAT f);
    D3DXMATRIX &operator/=(FLOAT f);

    D3DXMATRIX operator+() const;
    D3DXMATRIX operator-() const;

    D3DXMATRIX operator*(const D3DXMATRIX &m) const;
    D3DXMATRIX operator+(const D3DXMATRIX &m) const;
    D3DXMATRIX operator-(const D3DXMATRIX &m) const;
    D3DXMATRIX operator*(FLOAT f) const;
    D3DXMATRIX operator/(FLOAT f) const;

    friend D3DXMATRIX operator*(FLOAT f, const D3DXMATRIX &m);

    bool operator==(const D3DXMATRIX &m) const;
    bool operator!=(const D3DXMATRIX &m) const;
};

// Plane a*x + b*y + c*z + d = 0; (a, b, c) is the normal.
struct D3DXPLANE
{
    FLOAT a, b, c, d;

    D3DXPLANE();
    D3DXPLANE(const FLOAT *f);
    D3DXPLANE(FLOAT a, FLOAT b, FLOAT c, FLOAT d);

    operator FLOAT *();
    operator const FLOAT *() const;

    bool operator==(const D3DXPLANE &p) const;
    bool operator!=(const D3DXPLANE &p) const;
};

// Colour with float channels, usable wherever a D3DCOLORVALUE is expected.
// Converting to DWORD packs ARGB with each channel clamped to 0..1, then
// scaled by 255 and rounded (0.5 gives 128).
struct D3DXCOLOR : public D3DCOLORVALUE
{
    D3DXCOLOR();
    D3DXCOLOR(DWORD argb);
    D3DXCOLOR(const FLOAT *f);
    D3DXCOLOR(const D3DCOLORVALUE &c);
    D3DXCOLOR(FLOAT r, FLOAT g, FLOAT b, FLOAT a);

    operator DWORD() const;

    operator FLOAT *();
    operator const FLOAT *() const;

    D3DXCOLOR &operator+=(const D3DXCOLOR &c);
    D3DXCOLOR &operator-=(const D3DXCOLOR &c);
    D3DXCOLOR &operator*=(FLOAT f);
    D3DXCOLOR &operator/=(FLOAT f);

    D3DXCOLOR operator+() const;
    D3DXCOLOR operator-() const;

    D3DXCOLOR operator+(const D3DXCOLOR &c) const;
    D3DXCOLOR operator-(const D3DXCOLOR &c) const;
    D3DXCOLOR operator*(FLOAT f) const;
    D3DXCOLOR operator/(FLOAT f) const;

    friend D3DXCOLOR operator*(FLOAT f, const D3DXCOLOR &c);

    bool operator==(const D3DXCOLOR &c) const;
    bool operator!=(const D3DXCOLOR &c) const;
};

// Vectors
FLOAT D3DXVec3Length(const D3DXVECTOR3 *v);
FLOAT D3DXVec3Dot(const D3DXVECTOR3 *a, const D3DXVECTOR3 *b);
D3DXVECTOR3 *D3DXVec3Cross(D3DXVECTOR3 *out, const D3DXVECTOR3 *a, const D3DXVECTOR3 *b);
// A zero vector stays zero instead of turning into NaNs.
D3DXVECTOR3 *D3DXVec3Normalize(D3DXVECTOR3 *out, const D3DXVECTOR3 *v);
// (x, y, z, 1) * M, divided by the resulting w.
D3DXVECTOR3 *D3DXVec3TransformCoord(D3DXVECTOR3 *out, const D3DXVECTOR3 *v, const D3DXMATRIX *m);
// (x, y, z, 0) * M: directions, without translation.
D3DXVECTOR3 *D3DXVec3TransformNormal(D3DXVECTOR3 *out, const D3DXVECTOR3 *v, const D3DXMATRIX *m);

// Matrices
D3DXMATRIX *D3DXMatrixIdentity(D3DXMATRIX *out);
D3DXMATRIX *D3DXMatrixMultiply(D3DXMATRIX *out, const D3DXMATRIX *a, const D3DXMATRIX *b);
D3DXMATRIX *D3DXMatrixTranspose(D3DXMATRIX *out, const D3DXMATRIX *m);
// Returns null (and leaves out untouched) when m cannot be inverted.
// determinant may be null.
D3DXMATRIX *D3DXMatrixInverse(D3DXMATRIX *out, FLOAT *determinant, const D3DXMATRIX *m);
D3DXMATRIX *D3DXMatrixScaling(D3DXMATRIX *out, FLOAT sx, FLOAT sy, FLOAT sz);
D3DXMATRIX *D3DXMatrixTranslation(D3DXMATRIX *out, FLOAT x, FLOAT y, FLOAT z);
// Rotations by angle radians, clockwise when looking down the axis towards
// the origin (left-handed): RotationX turns +y towards +z, RotationY turns
// +z towards +x, RotationZ turns +x towards +y.
D3DXMATRIX *D3DXMatrixRotationX(D3DXMATRIX *out, FLOAT angle);
D3DXMATRIX *D3DXMatrixRotationY(D3DXMATRIX *out, FLOAT angle);
D3DXMATRIX *D3DXMatrixRotationZ(D3DXMATRIX *out, FLOAT angle);
// The axis need not be of unit length.
D3DXMATRIX *D3DXMatrixRotationAxis(D3DXMATRIX *out, const D3DXVECTOR3 *axis, FLOAT angle);
// Roll about z first, then pitch about x, then yaw about y.
D3DXMATRIX *D3DXMatrixRotationYawPitchRoll(D3DXMATRIX *out, FLOAT yaw, FLOAT pitch, FLOAT roll);
D3DXMATRIX *D3DXMatrixLookAtLH(D3DXMATRIX *out, const D3DXVECTOR3 *eye, const D3DXVECTOR3 *at,
                               const D3DXVECTOR3 *up);
// Vertical field of view in radians; depth maps near..far to 0..1.
D3DXMATRIX *D3DXMatrixPerspectiveFovLH(D3DXMATRIX *out, FLOAT fovy, FLOAT aspect, FLOAT zn, FLOAT zf);

// Planes
FLOAT D3DXPlaneDotCoord(const D3DXPLANE *p, const D3DXVECTOR3 *v);
// The plane through three points; its normal is (p2 - p1) x (p3 - p1), normalised.
D3DXPLANE *D3DXPlaneFromPoints(D3DXPLANE *out, const D3DXVECTOR3 *p1, const D3DXVECTOR3 *p2,
                               const D3DXVECTOR3 *p3);
// Where the infinite line through v1 and v2 meets the plane; null (out
// untouched) when the line runs parallel to it.
D3DXVECTOR3 *D3DXPlaneIntersectLine(D3DXVECTOR3 *out, const D3DXPLANE *p, const D3DXVECTOR3 *v1,
                                    const D3DXVECTOR3 *v2);

// Bounding volumes over vertices laid out as the FVF code describes; the
// position is the first member of every vertex.
HRESULT D3DXComputeBoundingBox(const void *vertices, DWORD count, DWORD fvf, D3DXVECTOR3 *min,
                               D3DXVECTOR3 *max);
// Centre = the mean of the positions, radius = the largest distance from it.
HRESULT D3DXComputeBoundingSphere(const void *vertices, DWORD count, DWORD fvf, D3DXVECTOR3 *centre,
                                  FLOAT *radius);
// Whether the ray from rayPos along rayDir (not behind its start) meets the box.
BOOL D3DXBoxBoundProbe(const D3DXVECTOR3 *min, const D3DXVECTOR3 *max, const D3DXVECTOR3 *rayPos,
                       const D3DXVECTOR3 *rayDir);

#endif
