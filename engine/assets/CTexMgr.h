#ifndef CTEXMGR_H
#define CTEXMGR_H

// The texture cache. Textures are asked for by file name every frame, so a name is
// loaded once and then found in a hash map. Every texture lives in the managed pool as
// A8R8G8B8 with a full mip chain. A name that is not a loadable picture (the name
// "DEFAULT_MATERIAL", a missing file, a damaged file) gets one shared light grey
// texture; a missing or damaged file also writes one message-log line.
// The cache owns its textures: callers get a plain pointer and never release it.

#include <cstdint>
#include <string>
#include <vector>
#include <unordered_map>

struct IDirect3DDevice8;
struct IDirect3DTexture8;
struct Image;

class CTexMgr {
public:
    // The name that never names a file and always gives the fallback texture.
    static const char* const DEFAULT_MATERIAL_NAME;
    // The fallback texture's colour (opaque light grey).
    static constexpr unsigned int FALLBACK_COLOR = 0xFFC0C0C0u;

    CTexMgr();
    explicit CTexMgr(IDirect3DDevice8* device);
    virtual ~CTexMgr();

    // The device textures are made on. Changing it releases every texture made on the
    // old one.
    void SetDevice(IDirect3DDevice8* device);
    IDirect3DDevice8* GetDevice() const { return device; }

    // The texture for a file name, loaded on first use. Null only when there is no
    // device (or the device cannot make a texture at all).
    IDirect3DTexture8* GetTexture(std::string name);

    // A texture made from a picture in memory rather than a file (a font drawn at
    // one size, say), kept under 'name' and released with the others. FindTexture
    // gives null for a name not kept yet; AddTexture replaces what the name held.
    IDirect3DTexture8* FindTexture(const std::string& name) const;
    IDirect3DTexture8* AddTexture(const std::string& name, const Image& picture);

    // Releases every texture; later calls load them again.
    void ReleaseAllTextures();

    // Number of names in the cache (fallback entries included).
    int GetTextureCount() const { return (int)textures.size(); }

    // Makes a managed A8R8G8B8 texture with a full mip chain from a picture; null on
    // failure. The caller owns the result.
    static IDirect3DTexture8* CreateTextureFromImage(IDirect3DDevice8* device, const Image& image);

private:
    CTexMgr(const CTexMgr&);
    CTexMgr& operator=(const CTexMgr&);

    IDirect3DTexture8* GetFallback();
    static IDirect3DTexture8* MakeTexture(IDirect3DDevice8* device, const Image& image, std::vector<uint32_t>* spent);

    IDirect3DDevice8* device;
    IDirect3DTexture8* fallback;
    std::unordered_map<std::string, IDirect3DTexture8*> textures;
};

#endif
