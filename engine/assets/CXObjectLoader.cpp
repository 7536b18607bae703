// Mesh cache (loading is filled in as the device layer arrives).

#include "CXObjectLoader.h"

CXObjectLoader::CXObjectLoader() : device(0) {}

CXObjectLoader::CXObjectLoader(IDirect3DDevice8* dev) : device(dev) {}

CXObjectLoader::~CXObjectLoader() {}

void CXObjectLoader::SetDevice(IDirect3DDevice8* dev) { device = dev; }

int CXObjectLoader::GetXObjectIndex(const std::string&) { return -1; }

CXMesh* CXObjectLoader::GetXObject(int) { return 0; }

void CXObjectLoader::DeleteAllObjects() { meshes.clear(); indexByName.clear(); }
