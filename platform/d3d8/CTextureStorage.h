// The pixels of a texture: an OpenGL texture (2D or cube, RGBA8), and for a
// lock a copy of a face and mip level in memory in the texture's own format.
// Unlocking uploads the level. Most textures are filled once and never locked
// again, so the copy is dropped after the first lock; a level locked a second
// time is read back from OpenGL and from then on kept. A lock of a rectangle of
// a level without a copy holds just that rectangle. After OpenGL has drawn
// into a level, the next lock reads it back first.
#ifndef ZARUL_CTEXTURESTORAGE_H
#define ZARUL_CTEXTURESTORAGE_H

#include <d3d8.h>

#include "OpenGL.h"

#include <vector>

class CTextureStorage {
public:
    // levels 0 makes the full chain down to 1 x 1; faces is 1 or 6.
    CTextureStorage(UINT faces, UINT width, UINT height, UINT levels, D3DFORMAT format);
    // The same, or null when the size or format cannot be made.
    static CTextureStorage* Create(UINT faces, UINT width, UINT height, UINT levels, D3DFORMAT format);
    ~CTextureStorage();

    bool IsValid() const { return name != 0; }
    // Counts the textures deleted so far. OpenGL gives a deleted texture's
    // name to the next new one, so a name remembered across a deletion may
    // no longer be bound where it was.
    static unsigned GetDeletionCount() { return deletions; }
    // The OpenGL texture, for binding or drawing into: levels never written
    // are made black (all bytes 0 in the texture's format) first.
    GLuint GetName()
    {
        if (undefinedImages)
            DefineAll();
        return name;
    }
    GLenum GetTarget() const { return faceCount == 6 ? GL_TEXTURE_CUBE_MAP : GL_TEXTURE_2D; }
    UINT GetFaceCount() const { return faceCount; }
    UINT GetLevelCount() const { return levelCount; }
    UINT GetLevelWidth(UINT level) const;
    UINT GetLevelHeight(UINT level) const;
    D3DFORMAT GetFormat() const { return format; }
    HRESULT GetLevelDesc(UINT level, DWORD usage, D3DPOOL pool, D3DSURFACE_DESC* desc) const;

    HRESULT Lock(UINT face, UINT level, D3DLOCKED_RECT* lockedRect, const RECT* rect, DWORD flags);
    HRESULT Unlock(UINT face, UINT level);

    // Makes level the most detailed one drawn (clamped to the levels there
    // are) and returns it.
    DWORD SetMostDetailedLevel(DWORD level);
    UINT GetMostDetailedLevel() const { return mostDetailed; }

    // Called when OpenGL has drawn into a level: the memory copy is stale.
    void MarkDrawn(UINT face, UINT level);

    // True when every pixel of every level has alpha 255 (a format without
    // alpha, or uploaded pixels that are all opaque); blending such a texture
    // by its own alpha changes nothing.
    bool IsOpaque() const { return transparentImages == 0; }

    // Bytes held in memory for locks.
    size_t GetMemoryBytes() const;

private:
    static unsigned deletions;
    struct Image {
        std::vector<BYTE> pixels; // empty while not in memory
        UINT locks;               // locks so far
        bool locked;
        bool readOnly;
        bool drawn;               // OpenGL drew into it since the last upload
        bool zero;                // never written: all bytes 0
        bool defined;             // OpenGL holds its contents (written or cleared)
        bool transparent;         // some row is not known to be opaque
        std::vector<bool> opaqueRows;
        std::vector<BYTE> part;   // the rectangle of a partial lock
        RECT partRect;
        bool partial;
    };

    Image* Find(UINT face, UINT level);
    void Upload(UINT face, UINT level);
    void Download(UINT face, UINT level);
    void SetTransparent(Image& image, bool transparent);
    void NoteOpacity(Image& image, const BYTE* bgra, UINT y, UINT w, UINT h, UINT levelWidth);
    void TransferRect(UINT face, UINT level, const RECT& rect, BYTE* pixels, bool upload);
    void Define(UINT face, UINT level);
    void DefineAll();

    GLuint name;
    UINT faceCount;
    UINT levelCount;
    UINT width;
    UINT height;
    D3DFORMAT format;
    UINT pixelBytes;
    std::vector<Image> images; // face * levelCount + level
    UINT transparentImages;
    UINT undefinedImages;
    UINT mostDetailed;
};

#endif
