// Text mesh parsing: what a good file gives, and that damaged files of every kind
// fail with a message instead of reading outside the data.

#include "XFileParser.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

// A unit quad in the z = 0 plane facing -z (towards a default camera), with normals,
// texture coordinates and a textured material; a template and comments are skipped.
const char* QUAD_FILE =
    "xof 0302txt 0032\n"
    "template Vector {\n <3D82AB5E-62DA-11cf-AB39-0020AF71E433>\n FLOAT x;\n FLOAT y;\n FLOAT z;\n}\n"
    "Header { 1; 0; 1; }\n"
    "// a comment\n"
    "Mesh Quad {\n"
    " 4;\n"
    " -1.0; -1.0; 0.0;,\n"
    " -1.0;  1.0; 0.0;,\n"
    "  1.0;  1.0; 0.0;,\n"
    "  1.0; -1.0; 0.0;;\n"
    " 1;\n"
    " 4; 0, 1, 2, 3;;\n"
    " MeshNormals { 1; 0.0; 0.0; -1.0;; 1; 4; 0, 0, 0, 0;; }\n"
    " MeshTextureCoords { 4; 0.0; 1.0;, 0.0; 0.0;, 1.0; 0.0;, 1.0; 1.0;; }\n"
    " # another comment\n"
    " MeshMaterialList { 1; 1; 0;;\n"
    "  Material { 1.0; 0.5; 0.25; 1.0;; 8.0; 0.1; 0.2; 0.3;; 0.0; 0.0; 0.0;;\n"
    "   TextureFilename { \"quad.png\"; }\n"
    "  }\n"
    " }\n"
    "}\n";

bool Parse(const std::string& text, XMeshData& mesh, std::string& error)
{
    return ParseXFile(text.data(), text.size(), mesh, error);
}

bool Parse(const std::string& text)
{
    XMeshData mesh;
    std::string error;
    bool ok = Parse(text, mesh, error);
    if (!ok) {
        EXPECT_FALSE(error.empty());
        EXPECT_TRUE(mesh.vertices.empty());
    }
    return ok;
}

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    size_t at = text.find(from);
    EXPECT_NE(std::string::npos, at) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

// A triangle mesh "Tri" with two faces and the given material list.
std::string TwoTriangles(const std::string& materialList)
{
    return std::string("xof 0303txt 0032\n")
        + "Mesh Tri { 4; 0;0;0;, 0;1;0;, 1;1;0;, 1;0;0;;\n"
          " 2; 3; 0,1,2;, 3; 0,2,3;;\n"
        + materialList + "}\n";
}

}

TEST(XFileParser, QuadGivesTwoTexturedTrianglesWithGivenOrComputedNormals)
{
    XMeshData mesh;
    std::string error;
    ASSERT_TRUE(Parse(QUAD_FILE, mesh, error)) << error;
    ASSERT_EQ(1u, mesh.subsets.size());
    ASSERT_EQ(6u, mesh.vertices.size());
    EXPECT_EQ(2, mesh.subsets[0].triangleCount);
    EXPECT_EQ(0, mesh.subsets[0].firstVertex);

    const XMeshMaterial& m = mesh.subsets[0].material;
    EXPECT_EQ("quad.png", m.textureFile);
    EXPECT_FLOAT_EQ(0.5f, m.diffuse[1]);
    EXPECT_FLOAT_EQ(0.25f, m.diffuse[2]);
    EXPECT_FLOAT_EQ(8.0f, m.power);
    EXPECT_FLOAT_EQ(0.3f, m.specular[2]);

    // The quad is cut into the fan (0,1,2), (0,2,3).
    const XMeshVertex& v = mesh.vertices[4];
    EXPECT_FLOAT_EQ(1.0f, v.x);
    EXPECT_FLOAT_EQ(1.0f, v.y);
    EXPECT_FLOAT_EQ(1.0f, v.u);
    EXPECT_FLOAT_EQ(0.0f, v.v);
    EXPECT_FLOAT_EQ(-1.0f, v.nz);
    EXPECT_FLOAT_EQ(1.0f, mesh.vertices[5].v);

    // The same quad without normals: clockwise seen from -z, so the normal points to -z.
    std::string text = Replace(QUAD_FILE, " MeshNormals { 1; 0.0; 0.0; -1.0;; 1; 4; 0, 0, 0, 0;; }\n", "");
    ASSERT_TRUE(Parse(text, mesh, error)) << error;
    for (const XMeshVertex& n : mesh.vertices) {
        EXPECT_NEAR(0.0f, n.nx, 1e-6);
        EXPECT_NEAR(-1.0f, n.nz, 1e-6);
    }
}

TEST(XFileParser, MaterialsSplitTrianglesAndNamedMaterialsResolve)
{
    XMeshData mesh;
    std::string error;
    std::string two = TwoTriangles(
        " MeshMaterialList { 2; 2; 1, 0;;\n"
        "  Material { 1;0;0;1;; 0; 0;0;0;; 0;0;0;; }\n"
        "  { Green }\n"
        " }\n");
    two = Replace(two, "Mesh Tri", "Material Green { 0;1;0;1;; 0; 0;0;0;; 0;0;0;; TextureFilename { \"g.jpg\"; } }\nMesh Tri");
    ASSERT_TRUE(Parse(two, mesh, error)) << error;
    ASSERT_EQ(2u, mesh.subsets.size());
    EXPECT_FLOAT_EQ(1.0f, mesh.subsets[0].material.diffuse[0]);
    EXPECT_EQ("g.jpg", mesh.subsets[1].material.textureFile);
    EXPECT_EQ(1, mesh.subsets[0].triangleCount);
    EXPECT_EQ(3, mesh.subsets[1].firstVertex);
    // Face 1 (0,2,3) uses material 0: its second corner is vertex 2 at (1,1).
    EXPECT_FLOAT_EQ(1.0f, mesh.vertices[1].x);
    EXPECT_FLOAT_EQ(1.0f, mesh.vertices[1].y);

    // One index for two faces: the last index holds for the rest.
    std::string one = TwoTriangles(
        " MeshMaterialList { 2; 1; 1;;\n"
        "  Material { 1;0;0;1;; 0; 0;0;0;; 0;0;0;; }\n"
        "  Material { 0;0;1;1;; 0; 0;0;0;; 0;0;0;; }\n"
        " }\n");
    ASSERT_TRUE(Parse(one, mesh, error)) << error;
    ASSERT_EQ(1u, mesh.subsets.size());
    EXPECT_EQ(2, mesh.subsets[0].triangleCount);
    EXPECT_FLOAT_EQ(1.0f, mesh.subsets[0].material.diffuse[2]);
}

TEST(XFileParser, FrameTransformsApplyInsideOut)
{
    // The inner frame scales by 2, the outer one moves by (10, 0, 0): scale first.
    std::string text = std::string("xof 0302txt 0032\n")
        + "Frame Outer {\n"
          " FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 10,0,0,1;; }\n"
          " Frame Inner {\n"
          "  FrameTransformMatrix { 2,0,0,0, 0,2,0,0, 0,0,2,0, 0,0,0,1;; }\n"
          "  Mesh { 3; 1;0;0;, 0;1;0;, 0;0;1;; 1; 3; 0,1,2;; }\n"
          " }\n"
          "}\n";
    XMeshData mesh;
    std::string error;
    ASSERT_TRUE(Parse(text, mesh, error)) << error;
    ASSERT_EQ(3u, mesh.vertices.size());
    EXPECT_FLOAT_EQ(12.0f, mesh.vertices[0].x);
    EXPECT_FLOAT_EQ(10.0f, mesh.vertices[1].x);
    EXPECT_FLOAT_EQ(2.0f, mesh.vertices[1].y);
}

TEST(XFileParser, WrongCountsAndIndicesAreRefused)
{
    const char* broken[][2] = {
        { " 4;\n -1.0; -1.0;", " 5;\n -1.0; -1.0;" },          // more vertices than given
        { " 4; 0, 1, 2, 3;;", " 4; 0, 1, 2, 4;;" },             // vertex index out of range
        { " 4; 0, 1, 2, 3;;", " 4; 0, 1, 2, -3;;" },            // negative index
        { " 1;\n 4; 0, 1", " 2;\n 4; 0, 1" },                   // more faces than given
        { "1; 4; 0, 0, 0, 0;;", "1; 3; 0, 0, 0;;" },            // normal face size differs
        { "1; 4; 0, 0, 0, 0;;", "1; 4; 0, 0, 0, 1;;" },         // normal index out of range
        { "MeshTextureCoords { 4;", "MeshTextureCoords { 3;" }, // coordinates per vertex
        { "MeshTextureCoords { 4;", "MeshTextureCoords { 9;" },
        { "{ 1; 1; 0;;", "{ 1; 1; 1;;" },                       // material index out of range
        { "{ 1; 1; 0;;", "{ 2; 1; 0;;" },                       // fewer materials than counted
        { "{ 1; 1; 0;;", "{ 1; 1000000000; 0;;" },              // huge index count
        { " 4;\n -1.0; -1.0;", " 4.5;\n -1.0; -1.0;" },         // count that is no whole number
        { " 4;\n -1.0; -1.0;", " 99999999999;\n -1.0; -1.0;" },
        { "1.0; 0.5; 0.25; 1.0;; 8.0;", "1.0; 0.5;" },          // material cut short
        { "{ \"quad.png\"; }", "{ }" },                          // texture without a name
    };
    for (const auto& change : broken)
        EXPECT_FALSE(Parse(Replace(QUAD_FILE, change[0], change[1]))) << change[1];
}

TEST(XFileParser, GarbageAndBadStructureAreRefused)
{
    const char* broken[][2] = {
        { "-1.0; -1.0; 0.0;,", "-1.0; -1.0.0; 0.0;," },
        { "-1.0; -1.0; 0.0;,", "-1.0; nan; 0.0;," },
        { "-1.0; -1.0; 0.0;,", "-1.0; 1e999; 0.0;," },
        { "-1.0; -1.0; 0.0;,", "-1.0; --1; 0.0;," },
        { "-1.0; -1.0; 0.0;,", "-1.0; @; 0.0;," },
        { "\"quad.png\"", "\"quad.png" },
        { "Mesh Quad {", "Mesh Quad" },
        { "FLOAT z;\n}", "FLOAT z;\n" },
    };
    for (const auto& change : broken)
        EXPECT_FALSE(Parse(Replace(QUAD_FILE, change[0], change[1]))) << change[1];

    EXPECT_FALSE(Parse(""));
    EXPECT_FALSE(Parse("xof 0302bin 0032 binary"));
    EXPECT_FALSE(Parse("not a mesh file at all"));
    EXPECT_FALSE(Parse("xof 0302txt 0032\n"));   // nothing to draw
    EXPECT_FALSE(Parse(std::string("xof 0302txt 0032\n") + "Frame F { }\n"));

    // Nesting deep enough to exhaust the stack of a careless reader.
    std::string deep = "xof 0302txt 0032\n";
    for (int i = 0; i < 100000; i++)
        deep += "Frame {";
    EXPECT_FALSE(Parse(deep));
}

TEST(XFileParser, EveryTruncationFailsCleanly)
{
    std::string text = QUAD_FILE;
    size_t lastBrace = text.rfind('}');
    for (size_t cut = 0; cut < lastBrace; cut++)
        EXPECT_FALSE(Parse(text.substr(0, cut))) << "cut at " << cut;
    EXPECT_TRUE(Parse(text.substr(0, lastBrace + 1)));
}

TEST(XFileParser, RandomDamageNeverCrashes)
{
    // Byte changes at random places; whatever the result, the parser must stay inside
    // the data (the sanitizer build checks this).
    const std::string text = QUAD_FILE;
    const char alphabet[] = "0123456789;,{}\"<>-.eE aZ#/\n";
    srand(1234);
    for (int round = 0; round < 3000; round++) {
        std::string damaged = text;
        int changes = 1 + rand() % 4;
        for (int c = 0; c < changes; c++)
            damaged[rand() % damaged.size()] = alphabet[rand() % (sizeof(alphabet) - 1)];
        XMeshData mesh;
        std::string error;
        if (ParseXFile(damaged.data(), damaged.size(), mesh, error)) {
            for (const XMeshSubset& s : mesh.subsets)
                ASSERT_LE((size_t)(s.firstVertex + 3 * s.triangleCount), mesh.vertices.size());
        }
    }
}
