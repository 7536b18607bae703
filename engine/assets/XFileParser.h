#ifndef XFILEPARSER_H
#define XFILEPARSER_H

// Reading of DirectX text mesh files (.x, "xof 0302txt" and "xof 0303txt").
// The parser turns the file into plain triangle lists, one per material, with every
// frame transform applied, so drawing needs no further work. Templates and data
// objects it does not use (animations, headers, ...) are skipped.
// Counts, indices and numbers are all checked against the data really present: a
// damaged file gives false and a message, never a read outside the file.

#include <cstddef>
#include <string>
#include <vector>

// One corner of a triangle: position, normal, texture coordinates. The layout is
// that of the XYZ | NORMAL | TEX1 vertex format (32 bytes).
struct XMeshVertex
{
    float x, y, z;
    float nx, ny, nz;
    float u, v;
};

struct XMeshMaterial
{
    float diffuse[4] = { 1.0f, 1.0f, 1.0f, 1.0f };   // r, g, b, a
    float power = 0.0f;
    float specular[3] = { 0.0f, 0.0f, 0.0f };
    float emissive[3] = { 0.0f, 0.0f, 0.0f };
    std::string textureFile;                         // as written in the file; empty for none
};

// A run of triangles drawn with one material.
struct XMeshSubset
{
    XMeshMaterial material;
    int firstVertex = 0;
    int triangleCount = 0;
};

struct XMeshData
{
    std::vector<XMeshVertex> vertices;   // three per triangle, grouped by subset
    std::vector<XMeshSubset> subsets;
};

bool ParseXFile(const char* text, size_t size, XMeshData& out, std::string& error);

#endif
