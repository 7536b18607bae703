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
