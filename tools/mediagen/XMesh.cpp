#include "XMesh.h"

#include <cmath>
#include <cstdio>

static XVec3 Sub(XVec3 a, XVec3 b)
{
    return { a.x - b.x, a.y - b.y, a.z - b.z };
}

static XVec3 Cross(XVec3 a, XVec3 b)
{
    return { a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x };
}

static double Dot(XVec3 a, XVec3 b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

int XMesh::AddVertex(XVec3 p, XVec3 n, double u, double v)
{
    positions.push_back(p);
    normals.push_back(n);
    us.push_back(u);
    vs.push_back(v);
    return (int)positions.size() - 1;
}

void XMesh::AddTriangle(XVec3 a, XVec3 b, XVec3 c, XVec3 normal, int material)
{
    // keep the winding clockwise seen from the normal's side, whatever order came in
    if (Dot(Cross(Sub(b, a), Sub(c, a)), normal) < 0) {
        XVec3 t = b;
        b = c;
        c = t;
    }
    faces.push_back(AddVertex(a, normal, 0, 0));
    faces.push_back(AddVertex(b, normal, 1, 0));
    faces.push_back(AddVertex(c, normal, 0.5, 1));
    faceMaterials.push_back(material);
}

void XMesh::AddQuad(XVec3 a, XVec3 b, XVec3 c, XVec3 d, XVec3 normal, int material)
{
    const int ia = AddVertex(a, normal, 0, 0), ib = AddVertex(b, normal, 1, 0);
    const int ic = AddVertex(c, normal, 1, 1), id = AddVertex(d, normal, 0, 1);
    const bool flip = Dot(Cross(Sub(b, a), Sub(c, a)), normal) < 0;
    const int tri[2][3] = { { ia, ib, ic }, { ia, ic, id } };
    for (const auto& t : tri) {
        faces.push_back(t[0]);
        faces.push_back(flip ? t[2] : t[1]);
        faces.push_back(flip ? t[1] : t[2]);
        faceMaterials.push_back(material);
    }
}

void XMesh::AddPrism(const std::vector<XVec3>& outline, double y0, double y1, int material)
{
    const size_t n = outline.size();
    XVec3 centre = { 0, 0, 0 };
    for (const XVec3& p : outline) {
        centre.x += p.x / n;
        centre.z += p.z / n;
    }
    for (size_t i = 0; i < n; i++) {
        const XVec3 p = outline[i], q = outline[(i + 1) % n];
        // caps as fans around the centre
        AddTriangle({ centre.x, y1, centre.z }, { p.x, y1, p.z }, { q.x, y1, q.z }, { 0, 1, 0 }, material);
        AddTriangle({ centre.x, y0, centre.z }, { p.x, y0, p.z }, { q.x, y0, q.z }, { 0, -1, 0 }, material);
        // the side, facing away from the centre
        XVec3 side = { q.z - p.z, 0, -(q.x - p.x) };
        const XVec3 out = { (p.x + q.x) / 2 - centre.x, 0, (p.z + q.z) / 2 - centre.z };
        if (Dot(side, out) < 0)
            side = { -side.x, 0, -side.z };
        const double len = sqrt(Dot(side, side));
        side = { side.x / len, 0, side.z / len };
        AddQuad({ p.x, y1, p.z }, { q.x, y1, q.z }, { q.x, y0, q.z }, { p.x, y0, p.z }, side, material);
    }
}

int XMesh::AddMaterial(const XMaterial& m)
{
    materials.push_back(m);
    return (int)materials.size() - 1;
}

static std::string Num(double v)
{
    char buf[32];
    snprintf(buf, sizeof(buf), "%.6f", v);
    return buf;
}

// Lists end with ';' after their last entry and ',' between entries.
static const char* Sep(size_t i, size_t count)
{
    return i + 1 < count ? "," : ";";
}

static std::string VectorList(const std::vector<XVec3>& v, const char* indent)
{
    std::string t = indent + std::to_string(v.size()) + ";\n";
    for (size_t i = 0; i < v.size(); i++)
        t += indent + Num(v[i].x) + ";" + Num(v[i].y) + ";" + Num(v[i].z) + ";" + Sep(i, v.size()) + "\n";
    return t;
}

static std::string FaceList(const std::vector<int>& faces, const char* indent)
{
    const size_t n = faces.size() / 3;
    std::string t = indent + std::to_string(n) + ";\n";
    for (size_t i = 0; i < n; i++)
        t += indent + std::string("3;") + std::to_string(faces[i * 3]) + "," + std::to_string(faces[i * 3 + 1]) + "," +
             std::to_string(faces[i * 3 + 2]) + ";" + Sep(i, n) + "\n";
    return t;
}

std::string XMesh::ToText(const std::string& meshName) const
{
    std::string t = "xof 0303txt 0032\n\nMesh " + meshName + " {\n";
    const size_t nv = positions.size(), nf = faceMaterials.size();
    t += VectorList(positions, " ");
    t += FaceList(faces, " ");

    // one normal per vertex, so the normal faces repeat the faces
    t += "\n MeshNormals {\n" + VectorList(normals, "  ") + FaceList(faces, "  ") + " }\n";

    t += "\n MeshTextureCoords {\n  " + std::to_string(nv) + ";\n";
    for (size_t i = 0; i < nv; i++)
        t += "  " + Num(us[i]) + ";" + Num(vs[i]) + ";" + Sep(i, nv) + "\n";
    t += " }\n";

    t += "\n MeshMaterialList {\n  " + std::to_string(materials.size()) + ";\n  " + std::to_string(nf) + ";\n";
    for (size_t i = 0; i < nf; i++)
        t += "  " + std::to_string(faceMaterials[i]) + Sep(i, nf) + "\n";
    for (const XMaterial& m : materials) {
        t += "\n  Material {\n";
        t += "   " + Num(m.r) + ";" + Num(m.g) + ";" + Num(m.b) + ";" + Num(m.a) + ";;\n";
        t += "   " + Num(m.power) + ";\n";
        t += "   " + Num(m.sr) + ";" + Num(m.sg) + ";" + Num(m.sb) + ";;\n";
        t += "   " + Num(m.er) + ";" + Num(m.eg) + ";" + Num(m.eb) + ";;\n";
        if (!m.texture.empty())
            t += "   TextureFilename {\n    \"" + m.texture + "\";\n   }\n";
        t += "  }\n";
    }
    t += " }\n}\n";
    return t;
}
