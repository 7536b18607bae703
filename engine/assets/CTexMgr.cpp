// Texture cache: file name -> managed A8R8G8B8 texture with a full mip chain.

#include "CTexMgr.h"

#include <cstring>

#include <d3d8.h>

#include "CMessageLog.h"
#include "CResourceManager.h"
#include "Image.h"

const char* const CTexMgr::DEFAULT_MATERIAL_NAME = "DEFAULT_MATERIAL";

namespace {

// Averages 2 x 2 pixels of the level above into one; odd edges repeat their last
// row or column so every level is a fair picture of the one before.
void Downsample(const uint32_t* src, int srcW, int srcH,
                std::vector<uint32_t>& dst, int dstW, int dstH)
{
    dst.resize((size_t)dstW * dstH);
    for (int y = 0; y < dstH; y++) {
        int y0 = y * 2 < srcH ? y * 2 : srcH - 1;
        int y1 = y * 2 + 1 < srcH ? y * 2 + 1 : y0;
        for (int x = 0; x < dstW; x++) {
            int x0 = x * 2 < srcW ? x * 2 : srcW - 1;
            int x1 = x * 2 + 1 < srcW ? x * 2 + 1 : x0;
            uint32_t p[4] = { src[(size_t)y0 * srcW + x0], src[(size_t)y0 * srcW + x1],
                              src[(size_t)y1 * srcW + x0], src[(size_t)y1 * srcW + x1] };
            uint32_t out = 0;
            for (int shift = 0; shift < 32; shift += 8) {
                uint32_t sum = 0;
                for (int i = 0; i < 4; i++)
                    sum += (p[i] >> shift) & 0xFF;
                out |= ((sum + 2) / 4) << shift;
            }
            dst[(size_t)y * dstW + x] = out;
        }
    }
}

// Fills a level in bands of rows, so that the device holds only a band
// beside the picture while a large texture is filled.
bool FillLevel(IDirect3DTexture8* texture, UINT level, const uint32_t* pixels, int width, int height)
{
    const int BAND_ROWS = 64;
    for (int top = 0; top < height; top += BAND_ROWS) {
        int rows = height - top < BAND_ROWS ? height - top : BAND_ROWS;
        RECT band = { 0, top, width, top + rows };
        D3DLOCKED_RECT locked;
        if (FAILED(texture->LockRect(level, &locked, &band, 0)) || !locked.pBits)
            return false;
        for (int y = 0; y < rows; y++) {
            uint32_t* row = (uint32_t*)((unsigned char*)locked.pBits + (size_t)locked.Pitch * y);
            memcpy(row, &pixels[(size_t)(top + y) * width], (size_t)width * 4);
        }
        texture->UnlockRect(level);
    }
    return true;
}

void LogFailure(const std::string& name, const std::string& reason)
{
    std::string text = "Texture " + name + " not loaded (" + reason + "), using a plain grey one";
    CResourceManager::MessageLog()->Message(0, text.c_str());
}

}

CTexMgr::CTexMgr() : device(nullptr), fallback(nullptr) {}

CTexMgr::CTexMgr(IDirect3DDevice8* dev) : device(dev), fallback(nullptr) {}

CTexMgr::~CTexMgr()
{
    ReleaseAllTextures();
}

void CTexMgr::SetDevice(IDirect3DDevice8* dev)
{
    if (dev != device)
        ReleaseAllTextures();
    device = dev;
}

IDirect3DTexture8* CTexMgr::CreateTextureFromImage(IDirect3DDevice8* dev, const Image& image)
{
    return MakeTexture(dev, image, nullptr);
}

// Level 0 is the picture; each further level halves the one before. When
// spent is given, the picture's pixels are released as soon as level 1 has
// been made from them, so a large picture is not held beside its texture.
IDirect3DTexture8* CTexMgr::MakeTexture(IDirect3DDevice8* dev, const Image& image, std::vector<uint32_t>* spent)
{
    if (!dev || image.width <= 0 || image.height <= 0)
        return nullptr;

    IDirect3DTexture8* texture = nullptr;
    if (FAILED(dev->CreateTexture(image.width, image.height, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture))
        || !texture)
        return nullptr;

    const uint32_t* current = image.pixels.data();
    std::vector<uint32_t> levelPixels, next;
    int width = image.width, height = image.height;
    DWORD levels = texture->GetLevelCount();
    for (DWORD level = 0; level < levels; level++) {
        D3DSURFACE_DESC desc;
        if (FAILED(texture->GetLevelDesc(level, &desc)))
            break;
        if (level > 0) {
            Downsample(current, width, height, next, (int)desc.Width, (int)desc.Height);
            levelPixels.swap(next);
            current = levelPixels.data();
            width = (int)desc.Width;
            height = (int)desc.Height;
            if (level == 1 && spent) {
                spent->clear();
                spent->shrink_to_fit();
            }
        }
        if (!FillLevel(texture, level, current, width, height)) {
            texture->Release();
            return nullptr;
        }
    }
    return texture;
}

IDirect3DTexture8* CTexMgr::GetFallback()
{
    if (!fallback) {
        Image grey;
        grey.width = 4;
        grey.height = 4;
        grey.pixels.assign(16, FALLBACK_COLOR);
        fallback = CreateTextureFromImage(device, grey);
    }
    return fallback;
}

IDirect3DTexture8* CTexMgr::GetTexture(std::string name)
{
    std::unordered_map<std::string, IDirect3DTexture8*>::const_iterator hit = textures.find(name);
    if (hit != textures.end())
        return hit->second;

    if (!device)
        return nullptr;

    // Failures are cached as the fallback too, so a broken file is reported once and
    // not read again every frame.
    IDirect3DTexture8* texture = nullptr;
    if (name == DEFAULT_MATERIAL_NAME) {
        texture = GetFallback();
    } else {
        Image image;
        std::string error;
        if (!LoadImageFile(name, image, error)) {
            LogFailure(name, error);
            texture = GetFallback();
        } else {
            texture = MakeTexture(device, image, &image.pixels);
            if (!texture) {
                LogFailure(name, "the device made no texture");
                texture = GetFallback();
            }
        }
    }

    textures[name] = texture;
    return texture;
}

IDirect3DTexture8* CTexMgr::FindTexture(const std::string& name) const
{
    std::unordered_map<std::string, IDirect3DTexture8*>::const_iterator hit = textures.find(name);
    return hit != textures.end() ? hit->second : nullptr;
}

IDirect3DTexture8* CTexMgr::AddTexture(const std::string& name, const Image& picture)
{
    if (!device)
        return nullptr;
    IDirect3DTexture8* texture = CreateTextureFromImage(device, picture);
    if (!texture)
        return nullptr;
    IDirect3DTexture8*& slot = textures[name];
    if (slot && slot != fallback)
        slot->Release();
    slot = texture;
    return texture;
}

void CTexMgr::ReleaseAllTextures()
{
    for (std::unordered_map<std::string, IDirect3DTexture8*>::iterator it = textures.begin(); it != textures.end(); ++it) {
        if (it->second && it->second != fallback)
            it->second->Release();
    }
    textures.clear();
    if (fallback) {
        fallback->Release();
        fallback = nullptr;
    }
}
