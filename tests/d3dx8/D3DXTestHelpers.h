// Shared checks for the D3DX tests.
#ifndef D3DXTESTHELPERS_H
#define D3DXTESTHELPERS_H

#include <gtest/gtest.h>

#include <cmath>

#include <d3dx8.h>

static const float kTolerance = 1e-4f;

inline void ExpectVector(const D3DXVECTOR3 &v, float x, float y, float z, float tolerance = kTolerance)
{
    EXPECT_NEAR(v.x, x, tolerance);
    EXPECT_NEAR(v.y, y, tolerance);
    EXPECT_NEAR(v.z, z, tolerance);
}

inline void ExpectMatrix(const D3DXMATRIX &a, const D3DXMATRIX &b, float tolerance = kTolerance)
{
    for (int row = 0; row < 4; row++) {
        for (int col = 0; col < 4; col++) {
            EXPECT_NEAR(a(row, col), b(row, col), tolerance) << "at row " << row << ", column " << col;
        }
    }
}

inline D3DXVECTOR3 Transform(const D3DXVECTOR3 &v, const D3DXMATRIX &m)
{
    D3DXVECTOR3 out;
    D3DXVec3TransformCoord(&out, &v, &m);
    return out;
}

#endif
