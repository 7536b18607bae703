#ifndef CXMESH_H
#define CXMESH_H

// One loaded .x mesh: triangle lists grouped by material, drawn from a managed vertex
// buffer that is made on the first draw (and again when the device changes).
// Texture names in the file are looked up in the media folder through the texture
// cache on every draw, so releasing all textures never leaves a stale pointer here.

#include <string>

#include "XFileParser.h"

struct IDirect3DDevice8;
struct IDirect3DVertexBuffer8;

class CXMesh {
public:
    // Where texture file names inside a mesh file are looked up.
    static const char* const MEDIA_FOLDER;
    // Vertex format of the buffer: position, normal, one pair of texture coordinates.
    static const unsigned long VERTEX_FVF = 0x112;

    CXMesh();
    virtual ~CXMesh();

    // Reads and parses a file; false with a message when it cannot be read or parsed,
    // and the mesh stays empty.
    bool Load(const std::string& fileName, std::string& error);

    // Draws every material group with its material and texture. The device's material
    // is put back afterwards; the stage-0 texture is left as the last group set it.
    void Render(IDirect3DDevice8* device);

    bool IsEmpty() const { return data.vertices.empty(); }
    const XMeshData& GetData() const { return data; }

    // Drops the vertex buffer (it is made again on the next draw).
    void ReleaseBuffer();

private:
    CXMesh(const CXMesh&);
    CXMesh& operator=(const CXMesh&);

    bool CreateBuffer(IDirect3DDevice8* device);

    XMeshData data;
    IDirect3DVertexBuffer8* vertexBuffer;
    IDirect3DDevice8* bufferDevice;
};

#endif
