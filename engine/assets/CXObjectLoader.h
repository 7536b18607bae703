#ifndef CXOBJECTLOADER_H
#define CXOBJECTLOADER_H

// The mesh cache: DirectX text meshes (.x) loaded once per file name and found again
// by index. A file that cannot be read or parsed writes one message-log line and gets
// an empty mesh, so callers always receive a usable index and draw nothing for it.
// Meshes make their vertex buffers on the device they are first drawn with.

#include <string>
#include <unordered_map>
#include <vector>

struct IDirect3DDevice8;
class CXMesh;

class CXObjectLoader {
public:
    CXObjectLoader();
    virtual ~CXObjectLoader();

    // The application's device. Changing it deletes every mesh, since their vertex
    // buffers belong to the old device.
    void SetDevice(IDirect3DDevice8* device);
    IDirect3DDevice8* GetDevice() const { return device; }

    // The index of the mesh of a file, loading it on first use.
    int GetXObjectIndex(const std::string& fileName);

    // The mesh at an index; null for an index that is out of range.
    CXMesh* GetXObject(int index);

    // The mesh of a file, loading it on first use (never null).
    CXMesh* GetXObject(const std::string& fileName);

    int GetObjectCount() const { return (int)meshes.size(); }

    // Deletes every mesh; indices and mesh pointers handed out before are no longer valid.
    void DeleteAllObjects();

private:
    CXObjectLoader(const CXObjectLoader&);
    CXObjectLoader& operator=(const CXObjectLoader&);

    IDirect3DDevice8* device;
    std::vector<CXMesh*> meshes;
    std::unordered_map<std::string, int> indexByName;
};

#endif
