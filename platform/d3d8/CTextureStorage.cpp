#include "CTextureStorage.h"

#include "D3D8Helpers.h"
#include "PixelFormats.h"

CTextureStorage::CTextureStorage(UINT faces, UINT width_, UINT height_, UINT levels, D3DFORMAT format_)
    : name(0), faceCount(faces), levelCount(0), width(width_), height(height_), format(format_), pixelBytes(0)
{
    pixelBytes = PixelFormatBytes(format);
    if (pixelBytes == 0 || width == 0 || height == 0 || (faces != 1 && faces != 6))
        return;
    UINT fullChain = 1;
    while ((width >> fullChain) > 0 || (height >> fullChain) > 0)
        fullChain++;
    levelCount = (levels == 0 || levels > fullChain) ? fullChain : levels;

    glCreateTextures(GetTarget(), 1, &name);
    if (name == 0)
        return;
    glTextureStorage2D(name, (GLsizei)levelCount, GL_RGBA8, (GLsizei)width, (GLsizei)height);
    glTextureParameteri(name, GL_TEXTURE_BASE_LEVEL, 0);
    glTextureParameteri(name, GL_TEXTURE_MAX_LEVEL, (GLint)levelCount - 1);

    // Contents start black (and transparent) rather than undefined.
    images.resize(faceCount * levelCount);
    for (UINT face = 0; face < faceCount; face++) {
        for (UINT level = 0; level < levelCount; level++) {
            Image& image = images[face * levelCount + level];
            image.pixels.assign(GetLevelWidth(level) * GetLevelHeight(level) * pixelBytes, 0);
            image.locked = false;
            image.readOnly = false;
            image.drawn = false;
            Upload(face, level);
        }
    }
}

CTextureStorage* CTextureStorage::Create(UINT faces, UINT width, UINT height, UINT levels, D3DFORMAT format)
{
    CTextureStorage* storage = new CTextureStorage(faces, width, height, levels, format);
    if (!storage->IsValid()) {
        delete storage;
        return NULL;
    }
    return storage;
}

unsigned CTextureStorage::deletions = 0;

CTextureStorage::~CTextureStorage()
{
    if (name) {
        glDeleteTextures(1, &name);
        deletions++;
    }
}

UINT CTextureStorage::GetLevelWidth(UINT level) const
{
    UINT w = width >> level;
    return w ? w : 1;
}

UINT CTextureStorage::GetLevelHeight(UINT level) const
{
    UINT h = height >> level;
    return h ? h : 1;
}

HRESULT CTextureStorage::GetLevelDesc(UINT level, DWORD usage, D3DPOOL pool, D3DSURFACE_DESC* desc) const
{
    if (level >= levelCount)
        return D3DERR_INVALIDCALL;
    return DescribeSurface(format, usage, pool, GetLevelWidth(level), GetLevelHeight(level), pixelBytes, desc);
}

CTextureStorage::Image* CTextureStorage::Find(UINT face, UINT level)
{
    if (face >= faceCount || level >= levelCount)
        return NULL;
    return &images[face * levelCount + level];
}

HRESULT CTextureStorage::Lock(UINT face, UINT level, D3DLOCKED_RECT* lockedRect, const RECT* rect, DWORD flags)
{
    Image* image = Find(face, level);
    if (!image || !lockedRect || image->locked)
        return D3DERR_INVALIDCALL;
    UINT w = GetLevelWidth(level);
    UINT h = GetLevelHeight(level);
    if (rect && (rect->left < 0 || rect->top < 0 || rect->left >= rect->right || rect->top >= rect->bottom ||
                 (UINT)rect->right > w || (UINT)rect->bottom > h))
        return D3DERR_INVALIDCALL;
    if (image->drawn) {
        Download(face, level);
        image->drawn = false;
    }
    image->locked = true;
    image->readOnly = (flags & D3DLOCK_READONLY) != 0;
    lockedRect->Pitch = (INT)(w * pixelBytes);
    BYTE* bits = image->pixels.data();
    if (rect)
        bits += rect->top * w * pixelBytes + rect->left * pixelBytes;
    lockedRect->pBits = bits;
    return D3D_OK;
}

HRESULT CTextureStorage::Unlock(UINT face, UINT level)
{
    Image* image = Find(face, level);
    if (!image || !image->locked)
        return D3DERR_INVALIDCALL;
    image->locked = false;
    if (!image->readOnly)
        Upload(face, level);
    return D3D_OK;
}

DWORD CTextureStorage::SetMostDetailedLevel(DWORD level)
{
    if (level >= levelCount)
        level = levelCount - 1;
    glTextureParameteri(name, GL_TEXTURE_BASE_LEVEL, (GLint)level);
    return level;
}

void CTextureStorage::MarkDrawn(UINT face, UINT level)
{
    Image* image = Find(face, level);
    if (image)
        image->drawn = true;
}

void CTextureStorage::Upload(UINT face, UINT level)
{
    Image* image = Find(face, level);
    UINT w = GetLevelWidth(level);
    UINT h = GetLevelHeight(level);
    scratch.resize(w * h * 4);
    PixelsToBGRA(format, image->pixels.data(), scratch.data(), w * h);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    if (faceCount == 6)
        glTextureSubImage3D(name, (GLint)level, 0, 0, (GLint)face, (GLsizei)w, (GLsizei)h, 1, GL_BGRA,
                            GL_UNSIGNED_BYTE, scratch.data());
    else
        glTextureSubImage2D(name, (GLint)level, 0, 0, (GLsizei)w, (GLsizei)h, GL_BGRA, GL_UNSIGNED_BYTE,
                            scratch.data());
}

void CTextureStorage::Download(UINT face, UINT level)
{
    Image* image = Find(face, level);
    UINT w = GetLevelWidth(level);
    UINT h = GetLevelHeight(level);
    scratch.resize(w * h * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glGetTextureSubImage(name, (GLint)level, 0, 0, (GLint)(faceCount == 6 ? face : 0), (GLsizei)w, (GLsizei)h, 1,
                         GL_BGRA, GL_UNSIGNED_BYTE, (GLsizei)scratch.size(), scratch.data());
    PixelsFromBGRA(format, scratch.data(), image->pixels.data(), w * h);
}
