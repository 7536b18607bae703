// A triangle mesh written as a DirectX text mesh file ("xof 0303txt 0032"): positions,
// normals, texture coordinates and a material per face. Triangles are wound clockwise
// seen from their front, as Direct3D draws them.
#pragma once

#include <string>
#include <vector>

struct XVec3 {
    double x, y, z;
};

struct XMaterial {
    double r, g, b, a;          // diffuse
    double power;
    double sr, sg, sb;          // specular
    double er, eg, eb;          // emissive
    std::string texture;        // empty: no texture
};

class XMesh {
public:
    // Adds a flat quad a-b-c-d (clockwise seen from the front) with the given normal and
    // the texture corners (0,0) at a, (1,0) at b, (1,1) at c, (0,1) at d.
    void AddQuad(XVec3 a, XVec3 b, XVec3 c, XVec3 d, XVec3 normal, int material);
    void AddTriangle(XVec3 a, XVec3 b, XVec3 c, XVec3 normal, int material);
    // A prism of a convex outline in the x-z plane between heights y0 and y1.
    void AddPrism(const std::vector<XVec3>& outline, double y0, double y1, int material);
    int AddMaterial(const XMaterial& m);

    std::string ToText(const std::string& meshName) const;

    int VertexCount() const { return (int)positions.size(); }
    int FaceCount() const { return (int)faces.size(); }

private:
    int AddVertex(XVec3 p, XVec3 n, double u, double v);

    std::vector<XVec3> positions, normals;
    std::vector<double> us, vs;
    std::vector<int> faces;          // three indices per face
    std::vector<int> faceMaterials;
    std::vector<XMaterial> materials;
};
