// Mesh cache.

#include "CXObjectLoader.h"

#include "CMessageLog.h"
#include "CResourceManager.h"
#include "CXMesh.h"

CXObjectLoader::CXObjectLoader() : device(nullptr) {}

CXObjectLoader::~CXObjectLoader()
{
    DeleteAllObjects();
}

void CXObjectLoader::SetDevice(IDirect3DDevice8* dev)
{
    if (dev != device)
        DeleteAllObjects();
    device = dev;
}

int CXObjectLoader::GetXObjectIndex(const std::string& fileName)
{
    std::unordered_map<std::string, int>::const_iterator hit = indexByName.find(fileName);
    if (hit != indexByName.end())
        return hit->second;

    // A failed load is kept as an empty mesh, so the file is reported once only.
    CXMesh* mesh = new CXMesh();
    std::string error;
    if (!mesh->Load(fileName, error)) {
        std::string text = "Mesh " + fileName + " not loaded (" + error + ")";
        CResourceManager::MessageLog()->Message(0, text.c_str());
    }

    int index = (int)meshes.size();
    meshes.push_back(mesh);
    indexByName[fileName] = index;
    return index;
}

CXMesh* CXObjectLoader::GetXObject(int index)
{
    if (index < 0 || index >= (int)meshes.size())
        return nullptr;
    return meshes[index];
}

CXMesh* CXObjectLoader::GetXObject(const std::string& fileName)
{
    return GetXObject(GetXObjectIndex(fileName));
}

void CXObjectLoader::DeleteAllObjects()
{
    for (CXMesh* mesh : meshes)
        delete mesh;
    meshes.clear();
    indexByName.clear();
}
