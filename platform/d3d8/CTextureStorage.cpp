#include "CTextureStorage.h"

#include "D3D8Helpers.h"
#include "PixelFormats.h"

namespace {

bool FormatHasAlpha(D3DFORMAT format)
{
    switch (format) {
    case D3DFMT_A8R8G8B8:
    case D3DFMT_A1R5G5B5:
    case D3DFMT_A4R4G4B4:
    case D3DFMT_A8L8:
    case D3DFMT_A8:
    case D3DFMT_A4L4:
        return true;
    default:
        return false;
    }
}

bool AnyTransparent(const BYTE* bgra, UINT count)
{
    for (UINT i = 0; i < count; i++) {
        if (bgra[i * 4 + 3] != 255)
            return true;
    }
    return false;
}

} // namespace

CTextureStorage::CTextureStorage(UINT faces, UINT width_, UINT height_, UINT levels, D3DFORMAT format_)
    : name(0), faceCount(faces), levelCount(0), width(width_), height(height_), format(format_), pixelBytes(0),
      transparentImages(0), undefinedImages(0), mostDetailed(0)
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

    // Contents start black (and transparent where the format has alpha)
    // rather than undefined: all bytes 0 in the texture's own format. A level
    // is cleared only when it is used before it has been written whole, so a
    // texture filled on loading never has its memory touched twice.
    bool hasAlpha = FormatHasAlpha(format);
    images.resize(faceCount * levelCount);
    undefinedImages = (UINT)images.size();
    for (UINT i = 0; i < images.size(); i++) {
        Image& image = images[i];
        image.locks = 0;
        image.locked = false;
        image.readOnly = false;
        image.drawn = false;
        image.zero = true;
        image.defined = false;
        image.transparent = false;
        image.opaqueRows.assign(GetLevelHeight(i % levelCount), !hasAlpha);
        image.partial = false;
        SetTransparent(image, hasAlpha);
    }
}

CTextureStorage* CTextureStorage::Create(UINT faces, UINT width, UINT height, UINT levels, D3DFORMAT format)
{
    CTextureStorage* storage = new CTextureStorage(faces, width, height, levels, format);
    if (!storage->IsValid()) {
        delete storage;
        return nullptr;
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
        return nullptr;
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
    image->readOnly = (flags & D3DLOCK_READONLY) != 0;
    if (rect && image->pixels.empty()) {
        // Just the rectangle, read back unless the level is still all zero.
        UINT partBytes = (UINT)(rect->right - rect->left) * pixelBytes;
        image->part.assign(partBytes * (UINT)(rect->bottom - rect->top), 0);
        if (!image->zero || image->drawn)
            TransferRect(face, level, *rect, image->part.data(), false);
        if (!image->readOnly)
            Define(face, level);
        image->partRect = *rect;
        image->partial = true;
        image->locked = true;
        lockedRect->Pitch = (INT)partBytes;
        lockedRect->pBits = image->part.data();
        return D3D_OK;
    }
    if (image->pixels.empty() && image->zero && !image->drawn)
        image->pixels.assign(w * h * pixelBytes, 0);
    else if (image->pixels.empty() || image->drawn)
        Download(face, level);
    image->drawn = false;
    image->locks++;
    image->locked = true;
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
    if (image->partial) {
        if (!image->readOnly) {
            image->zero = false;
            TransferRect(face, level, image->partRect, image->part.data(), true);
        }
        image->part.clear();
        image->part.shrink_to_fit();
        image->partial = false;
        return D3D_OK;
    }
    if (!image->readOnly) {
        image->zero = false;
        Upload(face, level);
    }
    // OpenGL holds the pixels now; a level locked only once (a texture filled
    // on loading) needs no copy of its own.
    if (image->locks == 1) {
        image->pixels.clear();
        image->pixels.shrink_to_fit();
    }
    return D3D_OK;
}

DWORD CTextureStorage::SetMostDetailedLevel(DWORD level)
{
    if (level >= levelCount)
        level = levelCount - 1;
    glTextureParameteri(name, GL_TEXTURE_BASE_LEVEL, (GLint)level);
    mostDetailed = level;
    return level;
}

void CTextureStorage::Define(UINT face, UINT level)
{
    Image* image = Find(face, level);
    if (image->defined)
        return;
    const BYTE black[4] = { 0, 0, 0, (BYTE)(FormatHasAlpha(format) ? 0 : 255) };
    glClearTexSubImage(name, (GLint)level, 0, 0, (GLint)face, (GLsizei)GetLevelWidth(level),
                       (GLsizei)GetLevelHeight(level), 1, GL_BGRA, GL_UNSIGNED_BYTE, black);
    image->defined = true;
    undefinedImages--;
}

void CTextureStorage::DefineAll()
{
    for (UINT face = 0; face < faceCount; face++)
        for (UINT level = 0; level < levelCount; level++)
            Define(face, level);
}

void CTextureStorage::MarkDrawn(UINT face, UINT level)
{
    Image* image = Find(face, level);
    if (!image)
        return;
    image->drawn = true;
    image->zero = false;
    // What was drawn is not looked at; its alpha is unknown.
    image->opaqueRows.assign(image->opaqueRows.size(), false);
    SetTransparent(*image, true);
}

size_t CTextureStorage::GetMemoryBytes() const
{
    size_t bytes = 0;
    for (const Image& image : images)
        bytes += image.pixels.capacity();
    return bytes;
}

void CTextureStorage::SetTransparent(Image& image, bool transparent)
{
    if (image.transparent == transparent)
        return;
    image.transparent = transparent;
    if (transparent)
        transparentImages++;
    else
        transparentImages--;
}

// Rows written whole are opaque or not by what was written; a row written in
// part stays opaque only if it was and the part is.
void CTextureStorage::NoteOpacity(Image& image, const BYTE* bgra, UINT y, UINT w, UINT h, UINT levelWidth)
{
    for (UINT row = 0; row < h; row++) {
        bool opaque = !AnyTransparent(bgra + (size_t)row * w * 4, w);
        if (w == levelWidth)
            image.opaqueRows[y + row] = opaque;
        else
            image.opaqueRows[y + row] = image.opaqueRows[y + row] && opaque;
    }
    bool transparent = false;
    for (bool opaque : image.opaqueRows)
        transparent = transparent || !opaque;
    SetTransparent(image, transparent);
}

// Moves a rectangle of a level between OpenGL and pixels (in the texture's
// own format, rows of the rectangle's width).
void CTextureStorage::TransferRect(UINT face, UINT level, const RECT& rect, BYTE* pixels, bool upload)
{
    Image* image = Find(face, level);
    UINT w = (UINT)(rect.right - rect.left);
    UINT h = (UINT)(rect.bottom - rect.top);
    std::vector<BYTE> converted;
    BYTE* bgra = pixels;
    if (format != D3DFMT_A8R8G8B8) {
        converted.resize(w * h * 4);
        bgra = converted.data();
    }
    GLint z = (GLint)(faceCount == 6 ? face : 0);
    if (upload) {
        if (format != D3DFMT_A8R8G8B8)
            PixelsToBGRA(format, pixels, bgra, w * h);
        NoteOpacity(*image, bgra, (UINT)rect.top, w, h, GetLevelWidth(level));
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        if (faceCount == 6)
            glTextureSubImage3D(name, (GLint)level, rect.left, rect.top, z, (GLsizei)w, (GLsizei)h, 1, GL_BGRA,
                                GL_UNSIGNED_BYTE, bgra);
        else
            glTextureSubImage2D(name, (GLint)level, rect.left, rect.top, (GLsizei)w, (GLsizei)h, GL_BGRA,
                                GL_UNSIGNED_BYTE, bgra);
        return;
    }
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glGetTextureSubImage(name, (GLint)level, rect.left, rect.top, z, (GLsizei)w, (GLsizei)h, 1, GL_BGRA,
                         GL_UNSIGNED_BYTE, (GLsizei)(w * h * 4), bgra);
    if (format != D3DFMT_A8R8G8B8)
        PixelsFromBGRA(format, bgra, pixels, w * h);
}

void CTextureStorage::Upload(UINT face, UINT level)
{
    Image* image = Find(face, level);
    UINT w = GetLevelWidth(level);
    UINT h = GetLevelHeight(level);
    // A8R8G8B8 already is B,G,R,A in memory; other formats go through a
    // converted copy that lives only for the upload.
    std::vector<BYTE> converted;
    const BYTE* bgra = image->pixels.data();
    if (format != D3DFMT_A8R8G8B8) {
        converted.resize(w * h * 4);
        PixelsToBGRA(format, image->pixels.data(), converted.data(), w * h);
        bgra = converted.data();
    }
    NoteOpacity(*image, bgra, 0, w, h, w);
    if (!image->defined) {
        image->defined = true;
        undefinedImages--;
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    if (faceCount == 6)
        glTextureSubImage3D(name, (GLint)level, 0, 0, (GLint)face, (GLsizei)w, (GLsizei)h, 1, GL_BGRA,
                            GL_UNSIGNED_BYTE, bgra);
    else
        glTextureSubImage2D(name, (GLint)level, 0, 0, (GLsizei)w, (GLsizei)h, GL_BGRA, GL_UNSIGNED_BYTE, bgra);
}

void CTextureStorage::Download(UINT face, UINT level)
{
    Image* image = Find(face, level);
    UINT w = GetLevelWidth(level);
    UINT h = GetLevelHeight(level);
    image->pixels.resize(w * h * pixelBytes);
    std::vector<BYTE> converted;
    BYTE* bgra = image->pixels.data();
    if (format != D3DFMT_A8R8G8B8) {
        converted.resize(w * h * 4);
        bgra = converted.data();
    }
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glGetTextureSubImage(name, (GLint)level, 0, 0, (GLint)(faceCount == 6 ? face : 0), (GLsizei)w, (GLsizei)h, 1,
                         GL_BGRA, GL_UNSIGNED_BYTE, (GLsizei)(w * h * 4), bgra);
    if (format != D3DFMT_A8R8G8B8)
        PixelsFromBGRA(format, bgra, image->pixels.data(), w * h);
}
