// 4x4 float matrix for row vectors, and the matrix builders.
#include "d3dx8math.h"

#include <cmath>

static void SetRows(D3DXMATRIX *out,
                    FLOAT f11, FLOAT f12, FLOAT f13, FLOAT f14,
                    FLOAT f21, FLOAT f22, FLOAT f23, FLOAT f24,
                    FLOAT f31, FLOAT f32, FLOAT f33, FLOAT f34,
                    FLOAT f41, FLOAT f42, FLOAT f43, FLOAT f44)
{
    out->_11 = f11; out->_12 = f12; out->_13 = f13; out->_14 = f14;
    out->_21 = f21; out->_22 = f22; out->_23 = f23; out->_24 = f24;
    out->_31 = f31; out->_32 = f32; out->_33 = f33; out->_34 = f34;
    out->_41 = f41; out->_42 = f42; out->_43 = f43; out->_44 = f44;
}

D3DXMATRIX::D3DXMATRIX()
{
    D3DXMatrixIdentity(this);
}

D3DXMATRIX::D3DXMATRIX(const FLOAT *f)
{
    for (int i = 0; i < 16; i++) {
        m[i / 4][i % 4] = f[i];
    }
}

D3DXMATRIX::D3DXMATRIX(const D3DMATRIX &mat)
{
    for (int i = 0; i < 16; i++) {
        m[i / 4][i % 4] = mat.m[i / 4][i % 4];
    }
}

D3DXMATRIX::D3DXMATRIX(FLOAT f11, FLOAT f12, FLOAT f13, FLOAT f14,
                       FLOAT f21, FLOAT f22, FLOAT f23, FLOAT f24,
                       FLOAT f31, FLOAT f32, FLOAT f33, FLOAT f34,
                       FLOAT f41, FLOAT f42, FLOAT f43, FLOAT f44)
{
    SetRows(this, f11, f12, f13, f14, f21, f22, f23, f24, f31, f32, f33, f34, f41, f42, f43, f44);
}

FLOAT &D3DXMATRIX::operator()(UINT row, UINT col) { return m[row][col]; }
FLOAT D3DXMATRIX::operator()(UINT row, UINT col) const { return m[row][col]; }

D3DXMATRIX::operator FLOAT *() { return &m[0][0]; }
D3DXMATRIX::operator const FLOAT *() const { return &m[0][0]; }

D3DXMATRIX &D3DXMATRIX::operator*=(const D3DXMATRIX &mat)
{
    D3DXMatrixMultiply(this, this, &mat);
    return *this;
}

D3DXMATRIX &D3DXMATRIX::operator+=(const D3DXMATRIX &mat)
{
    for (int i = 0; i < 16; i++) {
        m[i / 4][i % 4] += mat.m[i / 4][i % 4];
    }
    return *this;
}

D3DXMATRIX &D3DXMATRIX::operator-=(const D3DXMATRIX &mat)
{
    for (int i = 0; i < 16; i++) {
        m[i / 4][i % 4] -= mat.m[i / 4][i % 4];
    }
    return *this;
}

D3DXMATRIX &D3DXMATRIX::operator*=(FLOAT f)
{
    for (int i = 0; i < 16; i++) {
        m[i / 4][i % 4] *= f;
    }
    return *this;
}

D3DXMATRIX &D3DXMATRIX::operator/=(FLOAT f)
{
    for (int i = 0; i < 16; i++) {
        m[i / 4][i % 4] /= f;
    }
    return *this;
}

D3DXMATRIX D3DXMATRIX::operator+() const { return *this; }
D3DXMATRIX D3DXMATRIX::operator-() const { return *this * -1.0f; }

D3DXMATRIX D3DXMATRIX::operator*(const D3DXMATRIX &mat) const
{
    D3DXMATRIX r;
    D3DXMatrixMultiply(&r, this, &mat);
    return r;
}

D3DXMATRIX D3DXMATRIX::operator+(const D3DXMATRIX &mat) const
{
    D3DXMATRIX r(*this);
    return r += mat;
}

D3DXMATRIX D3DXMATRIX::operator-(const D3DXMATRIX &mat) const
{
    D3DXMATRIX r(*this);
    return r -= mat;
}

D3DXMATRIX D3DXMATRIX::operator*(FLOAT f) const
{
    D3DXMATRIX r(*this);
    return r *= f;
}

D3DXMATRIX D3DXMATRIX::operator/(FLOAT f) const
{
    D3DXMATRIX r(*this);
    return r /= f;
}

D3DXMATRIX operator*(FLOAT f, const D3DXMATRIX &mat) { return mat * f; }

bool D3DXMATRIX::operator==(const D3DXMATRIX &mat) const
{
    for (int i = 0; i < 16; i++) {
        if (m[i / 4][i % 4] != mat.m[i / 4][i % 4]) {
            return false;
        }
    }
    return true;
}

bool D3DXMATRIX::operator!=(const D3DXMATRIX &mat) const { return !(*this == mat); }

D3DXMATRIX *D3DXMatrixIdentity(D3DXMATRIX *out)
{
    SetRows(out, 1.0f, 0.0f, 0.0f, 0.0f,
                 0.0f, 1.0f, 0.0f, 0.0f,
                 0.0f, 0.0f, 1.0f, 0.0f,
                 0.0f, 0.0f, 0.0f, 1.0f);
    return out;
}

D3DXMATRIX *D3DXMatrixMultiply(D3DXMATRIX *out, const D3DXMATRIX *a, const D3DXMATRIX *b)
{
    // Computed into a temporary: out may be a or b.
    FLOAT r[4][4];
    for (int row = 0; row < 4; row++) {
        for (int col = 0; col < 4; col++) {
            r[row][col] = a->m[row][0] * b->m[0][col] + a->m[row][1] * b->m[1][col] +
                          a->m[row][2] * b->m[2][col] + a->m[row][3] * b->m[3][col];
        }
    }
    *out = D3DXMATRIX(&r[0][0]);
    return out;
}

D3DXMATRIX *D3DXMatrixTranspose(D3DXMATRIX *out, const D3DXMATRIX *mat)
{
    FLOAT r[4][4];
    for (int row = 0; row < 4; row++) {
        for (int col = 0; col < 4; col++) {
            r[row][col] = mat->m[col][row];
        }
    }
    *out = D3DXMATRIX(&r[0][0]);
    return out;
}

D3DXMATRIX *D3DXMatrixInverse(D3DXMATRIX *out, FLOAT *determinant, const D3DXMATRIX *mat)
{
    // Adjugate over the determinant, in double precision so that view and
    // projection matrices with large and small entries invert cleanly.
    double a[16];
    for (int i = 0; i < 16; i++) {
        a[i] = mat->m[i / 4][i % 4];
    }

    // 2x2 minors of the top two rows and of the bottom two rows.
    double s0 = a[0] * a[5] - a[4] * a[1];
    double s1 = a[0] * a[6] - a[4] * a[2];
    double s2 = a[0] * a[7] - a[4] * a[3];
    double s3 = a[1] * a[6] - a[5] * a[2];
    double s4 = a[1] * a[7] - a[5] * a[3];
    double s5 = a[2] * a[7] - a[6] * a[3];

    double c5 = a[10] * a[15] - a[14] * a[11];
    double c4 = a[9] * a[15] - a[13] * a[11];
    double c3 = a[9] * a[14] - a[13] * a[10];
    double c2 = a[8] * a[15] - a[12] * a[11];
    double c1 = a[8] * a[14] - a[12] * a[10];
    double c0 = a[8] * a[13] - a[12] * a[9];

    double det = s0 * c5 - s1 * c4 + s2 * c3 + s3 * c2 - s4 * c1 + s5 * c0;
    if (determinant) {
        *determinant = (FLOAT)det;
    }
    if (det == 0.0 || !std::isfinite(det)) {
        return nullptr;
    }

    double inv = 1.0 / det;
    double r[16];
    r[0] = (a[5] * c5 - a[6] * c4 + a[7] * c3) * inv;
    r[1] = (-a[1] * c5 + a[2] * c4 - a[3] * c3) * inv;
    r[2] = (a[13] * s5 - a[14] * s4 + a[15] * s3) * inv;
    r[3] = (-a[9] * s5 + a[10] * s4 - a[11] * s3) * inv;

    r[4] = (-a[4] * c5 + a[6] * c2 - a[7] * c1) * inv;
    r[5] = (a[0] * c5 - a[2] * c2 + a[3] * c1) * inv;
    r[6] = (-a[12] * s5 + a[14] * s2 - a[15] * s1) * inv;
    r[7] = (a[8] * s5 - a[10] * s2 + a[11] * s1) * inv;

    r[8] = (a[4] * c4 - a[5] * c2 + a[7] * c0) * inv;
    r[9] = (-a[0] * c4 + a[1] * c2 - a[3] * c0) * inv;
    r[10] = (a[12] * s4 - a[13] * s2 + a[15] * s0) * inv;
    r[11] = (-a[8] * s4 + a[9] * s2 - a[11] * s0) * inv;

    r[12] = (-a[4] * c3 + a[5] * c1 - a[6] * c0) * inv;
    r[13] = (a[0] * c3 - a[1] * c1 + a[2] * c0) * inv;
    r[14] = (-a[12] * s3 + a[13] * s1 - a[14] * s0) * inv;
    r[15] = (a[8] * s3 - a[9] * s1 + a[10] * s0) * inv;

    for (int i = 0; i < 16; i++) {
        out->m[i / 4][i % 4] = (FLOAT)r[i];
    }
    return out;
}

D3DXMATRIX *D3DXMatrixScaling(D3DXMATRIX *out, FLOAT sx, FLOAT sy, FLOAT sz)
{
    SetRows(out, sx, 0.0f, 0.0f, 0.0f,
                 0.0f, sy, 0.0f, 0.0f,
                 0.0f, 0.0f, sz, 0.0f,
                 0.0f, 0.0f, 0.0f, 1.0f);
    return out;
}

D3DXMATRIX *D3DXMatrixTranslation(D3DXMATRIX *out, FLOAT x, FLOAT y, FLOAT z)
{
    SetRows(out, 1.0f, 0.0f, 0.0f, 0.0f,
                 0.0f, 1.0f, 0.0f, 0.0f,
                 0.0f, 0.0f, 1.0f, 0.0f,
                 x, y, z, 1.0f);
    return out;
}

D3DXMATRIX *D3DXMatrixRotationX(D3DXMATRIX *out, FLOAT angle)
{
    FLOAT c = cosf(angle);
    FLOAT s = sinf(angle);
    SetRows(out, 1.0f, 0.0f, 0.0f, 0.0f,
                 0.0f, c, s, 0.0f,
                 0.0f, -s, c, 0.0f,
                 0.0f, 0.0f, 0.0f, 1.0f);
    return out;
}

D3DXMATRIX *D3DXMatrixRotationY(D3DXMATRIX *out, FLOAT angle)
{
    FLOAT c = cosf(angle);
    FLOAT s = sinf(angle);
    SetRows(out, c, 0.0f, -s, 0.0f,
                 0.0f, 1.0f, 0.0f, 0.0f,
                 s, 0.0f, c, 0.0f,
                 0.0f, 0.0f, 0.0f, 1.0f);
    return out;
}

D3DXMATRIX *D3DXMatrixRotationZ(D3DXMATRIX *out, FLOAT angle)
{
    FLOAT c = cosf(angle);
    FLOAT s = sinf(angle);
    SetRows(out, c, s, 0.0f, 0.0f,
                 -s, c, 0.0f, 0.0f,
                 0.0f, 0.0f, 1.0f, 0.0f,
                 0.0f, 0.0f, 0.0f, 1.0f);
    return out;
}

D3DXMATRIX *D3DXMatrixRotationAxis(D3DXMATRIX *out, const D3DXVECTOR3 *axis, FLOAT angle)
{
    D3DXVECTOR3 n;
    D3DXVec3Normalize(&n, axis);
    FLOAT c = cosf(angle);
    FLOAT s = sinf(angle);
    FLOAT t = 1.0f - c;
    SetRows(out, t * n.x * n.x + c, t * n.x * n.y + s * n.z, t * n.x * n.z - s * n.y, 0.0f,
                 t * n.x * n.y - s * n.z, t * n.y * n.y + c, t * n.y * n.z + s * n.x, 0.0f,
                 t * n.x * n.z + s * n.y, t * n.y * n.z - s * n.x, t * n.z * n.z + c, 0.0f,
                 0.0f, 0.0f, 0.0f, 1.0f);
    return out;
}

D3DXMATRIX *D3DXMatrixRotationYawPitchRoll(D3DXMATRIX *out, FLOAT yaw, FLOAT pitch, FLOAT roll)
{
    D3DXMATRIX r, p, y;
    D3DXMatrixRotationZ(&r, roll);
    D3DXMatrixRotationX(&p, pitch);
    D3DXMatrixRotationY(&y, yaw);
    *out = r * p * y;
    return out;
}

D3DXMATRIX *D3DXMatrixLookAtLH(D3DXMATRIX *out, const D3DXVECTOR3 *eye, const D3DXVECTOR3 *at,
                               const D3DXVECTOR3 *up)
{
    D3DXVECTOR3 zaxis = *at - *eye;
    D3DXVec3Normalize(&zaxis, &zaxis);
    D3DXVECTOR3 xaxis;
    D3DXVec3Cross(&xaxis, up, &zaxis);
    D3DXVec3Normalize(&xaxis, &xaxis);
    D3DXVECTOR3 yaxis;
    D3DXVec3Cross(&yaxis, &zaxis, &xaxis);

    SetRows(out, xaxis.x, yaxis.x, zaxis.x, 0.0f,
                 xaxis.y, yaxis.y, zaxis.y, 0.0f,
                 xaxis.z, yaxis.z, zaxis.z, 0.0f,
                 -D3DXVec3Dot(&xaxis, eye), -D3DXVec3Dot(&yaxis, eye), -D3DXVec3Dot(&zaxis, eye), 1.0f);
    return out;
}

D3DXMATRIX *D3DXMatrixPerspectiveFovLH(D3DXMATRIX *out, FLOAT fovy, FLOAT aspect, FLOAT zn, FLOAT zf)
{
    FLOAT yscale = 1.0f / tanf(fovy * 0.5f);
    FLOAT xscale = yscale / aspect;
    FLOAT q = zf / (zf - zn);
    SetRows(out, xscale, 0.0f, 0.0f, 0.0f,
                 0.0f, yscale, 0.0f, 0.0f,
                 0.0f, 0.0f, q, 1.0f,
                 0.0f, 0.0f, -zn * q, 0.0f);
    return out;
}
