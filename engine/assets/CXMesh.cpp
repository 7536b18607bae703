// A loaded mesh and its drawing.

#include "CXMesh.h"

#include <cstring>
#include <d3d8.h>

#include "CResourceManager.h"
#include "CTexMgr.h"
#include "Image.h"

const char* const CXMesh::MEDIA_FOLDER = ".//media//";

CXMesh::CXMesh() : vertexBuffer(nullptr), bufferDevice(nullptr) {}

CXMesh::~CXMesh()
{
    ReleaseBuffer();
}

bool CXMesh::Load(const std::string& fileName, std::string& error)
{
    ReleaseBuffer();
    data = XMeshData();

    std::vector<unsigned char> text;
    if (!ReadWholeFile(fileName, text)) {
        error = "cannot read file";
        return false;
    }
    if (!ParseXFile((const char*)text.data(), text.size(), data, error)) {
        data = XMeshData();
        return false;
    }
    return true;
}

void CXMesh::ReleaseBuffer()
{
    if (vertexBuffer)
        vertexBuffer->Release();
    vertexBuffer = nullptr;
    bufferDevice = nullptr;
}

bool CXMesh::CreateBuffer(IDirect3DDevice8* device)
{
    ReleaseBuffer();
    UINT bytes = (UINT)(data.vertices.size() * sizeof(XMeshVertex));
    if (FAILED(device->CreateVertexBuffer(bytes, D3DUSAGE_WRITEONLY, VERTEX_FVF, D3DPOOL_MANAGED, &vertexBuffer))
        || !vertexBuffer) {
        vertexBuffer = nullptr;
        return false;
    }
    BYTE* target = nullptr;
    if (FAILED(vertexBuffer->Lock(0, 0, &target, 0)) || !target) {
        ReleaseBuffer();
        return false;
    }
    memcpy(target, data.vertices.data(), bytes);
    vertexBuffer->Unlock();
    bufferDevice = device;
    return true;
}

namespace {

D3DCOLORVALUE ColorValue(const float* c, float alpha)
{
    D3DCOLORVALUE v;
    v.r = c[0];
    v.g = c[1];
    v.b = c[2];
    v.a = alpha;
    return v;
}

}

void CXMesh::Render(IDirect3DDevice8* device)
{
    if (!device || IsEmpty())
        return;
    if ((!vertexBuffer || bufferDevice != device) && !CreateBuffer(device))
        return;

    D3DMATERIAL8 saved;
    bool haveSaved = SUCCEEDED(device->GetMaterial(&saved));

    device->SetVertexShader(VERTEX_FVF);
    device->SetStreamSource(0, vertexBuffer, sizeof(XMeshVertex));

    CTexMgr* textures = CResourceManager::GetTextures();
    for (const XMeshSubset& subset : data.subsets) {
        const XMeshMaterial& m = subset.material;
        // The file's face colour lights both the diffuse and the ambient part.
        D3DMATERIAL8 material;
        material.Diffuse = ColorValue(m.diffuse, m.diffuse[3]);
        material.Ambient = material.Diffuse;
        material.Specular = ColorValue(m.specular, 1.0f);
        material.Emissive = ColorValue(m.emissive, 1.0f);
        material.Power = m.power;
        device->SetMaterial(&material);

        IDirect3DTexture8* texture = nullptr;
        if (!m.textureFile.empty())
            texture = textures->GetTexture(MEDIA_FOLDER + m.textureFile);
        device->SetTexture(0, texture);

        device->DrawPrimitive(D3DPT_TRIANGLELIST, subset.firstVertex, subset.triangleCount);
    }

    if (haveSaved)
        device->SetMaterial(&saved);
}
