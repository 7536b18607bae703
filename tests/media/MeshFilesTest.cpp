// The three meshes, read by the engine's mesh loader: well formed, lit correctly (unit
// normals on the side each triangle faces), textured where they need it, and shaped for
// their jobs: the sky encloses the eye, the markers float over a stone and the slide
// arrow points along +z.
#include "MediaTestSupport.h"

#include "CXMesh.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

struct Vec {
    double x, y, z;
};

Vec Sub(const XMeshVertex& a, const XMeshVertex& b)
{
    return { a.x - b.x, a.y - b.y, a.z - b.z };
}

Vec Cross(Vec a, Vec b)
{
    return { a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x };
}

XMeshData LoadMesh(const char* name)
{
    CXMesh mesh;
    std::string error;
    EXPECT_TRUE(mesh.Load(MediaPath(name), error)) << name << ": " << error;
    EXPECT_FALSE(mesh.IsEmpty()) << name;
    return mesh.GetData();
}

struct Bounds {
    double min[3] = { 1e9, 1e9, 1e9 }, max[3] = { -1e9, -1e9, -1e9 };
};

Bounds BoundsOf(const XMeshData& d)
{
    Bounds b;
    for (const XMeshVertex& v : d.vertices) {
        const double p[3] = { v.x, v.y, v.z };
        for (int i = 0; i < 3; i++) {
            b.min[i] = std::min(b.min[i], p[i]);
            b.max[i] = std::max(b.max[i], p[i]);
        }
    }
    return b;
}

class MediaMeshFile : public testing::TestWithParam<const char*> {};

TEST_P(MediaMeshFile, TrianglesFaceTheirNormalsAndNormalsAreUnitLength)
{
    const XMeshData d = LoadMesh(GetParam());
    ASSERT_EQ(0u, d.vertices.size() % 3);
    for (size_t t = 0; t < d.vertices.size(); t += 3) {
        const XMeshVertex& a = d.vertices[t];
        // the device culls counter-clockwise triangles: the winding must agree with the normal
        const Vec n = Cross(Sub(d.vertices[t + 1], a), Sub(d.vertices[t + 2], a));
        EXPECT_GT(n.x * a.nx + n.y * a.ny + n.z * a.nz, 0.0) << GetParam() << " triangle " << t / 3;
        for (int k = 0; k < 3; k++) {
            const XMeshVertex& v = d.vertices[t + k];
            EXPECT_NEAR(1.0, std::sqrt(v.nx * v.nx + v.ny * v.ny + v.nz * v.nz), 1e-3) << GetParam();
        }
    }
    for (const XMeshSubset& s : d.subsets)
        EXPECT_GT(s.triangleCount, 0) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Media, MediaMeshFile, testing::Values("env_skybox.x", "cross.x", "arrow.x"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             std::string n = info.param;
                             return n.substr(0, n.find('.'));
                         });

TEST(MediaSkyboxMesh, EnclosesTheEyeWithInwardFacesAndLoadableTextures)
{
    const XMeshData d = LoadMesh("env_skybox.x");
    const Bounds b = BoundsOf(d);
    for (int i = 0; i < 3; i++) {
        // inside the far plane of the scene (1000) in every direction, and well away from the eye
        EXPECT_LT(b.max[i], 500.0);
        EXPECT_GT(b.max[i], 10.0);
        EXPECT_NEAR(-b.min[i], b.max[i], 1e-3);
    }
    for (const XMeshVertex& v : d.vertices)
        EXPECT_LT(v.x * v.nx + v.y * v.ny + v.z * v.nz, 0.0) << "a sky face looks away from the eye";

    ASSERT_FALSE(d.subsets.empty());
    for (const XMeshSubset& s : d.subsets) {
        ASSERT_FALSE(s.material.textureFile.empty());
        const Image sky = LoadMediaImage(s.material.textureFile);
        EXPECT_GT(sky.width, 0) << s.material.textureFile;
    }
}

// The markers are drawn at the middle of the cell above the hovered stone, scaled by the
// cell size: one unit is a cell, the stone's top face lies 0.25 below the origin.
TEST(MediaMarkerMeshes, FloatJustAboveTheStoneWithinOneCell)
{
    for (const char* name : { "cross.x", "arrow.x" }) {
        const Bounds b = BoundsOf(LoadMesh(name));
        EXPECT_GT(b.min[1], -0.25) << name << " sinks into the stone";
        EXPECT_LT(b.max[1], 0.25) << name;
        for (int i : { 0, 2 }) {
            EXPECT_GE(b.min[i], -0.5) << name << " reaches into the next cell";
            EXPECT_LE(b.max[i], 0.5) << name;
        }
    }
}

TEST(MediaMarkerMeshes, ArrowPointsAlongPlusZ)
{
    const XMeshData d = LoadMesh("arrow.x");
    const Bounds b = BoundsOf(d);
    // the tip is the single point furthest along +z, on the arrow's centre line
    double tipX = 0;
    int atTip = 0;
    for (const XMeshVertex& v : d.vertices)
        if (v.z > b.max[2] - 1e-4) {
            tipX += v.x;
            atTip++;
        }
    ASSERT_GT(atTip, 0);
    EXPECT_NEAR(0.0, tipX / atTip, 1e-3);
    // the head (wide part) lies at the +z end, the shaft behind it
    double widthFront = 0, widthBack = 0;
    for (const XMeshVertex& v : d.vertices) {
        if (v.z > 0.02)
            widthFront = std::max(widthFront, std::fabs((double)v.x));
        if (v.z < -0.1)
            widthBack = std::max(widthBack, std::fabs((double)v.x));
    }
    EXPECT_GT(widthFront, widthBack * 1.5);
    EXPECT_NEAR(b.min[0], -b.max[0], 1e-3);
}

} // namespace
