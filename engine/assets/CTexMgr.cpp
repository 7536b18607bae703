// Texture cache (loading is filled in as the device layer arrives).

#include "CTexMgr.h"

const char* const CTexMgr::DEFAULT_MATERIAL_NAME = "DEFAULT_MATERIAL";

CTexMgr::CTexMgr() : device(0), fallback(0) {}

CTexMgr::CTexMgr(IDirect3DDevice8* dev) : device(dev), fallback(0) {}

CTexMgr::~CTexMgr() {}

void CTexMgr::SetDevice(IDirect3DDevice8* dev) { device = dev; }

IDirect3DTexture8* CTexMgr::GetTexture(std::string) { return 0; }

void CTexMgr::ReleaseAllTextures() { textures.clear(); }

IDirect3DTexture8* CTexMgr::CreateTextureFromImage(IDirect3DDevice8*, const Image&) { return 0; }

IDirect3DTexture8* CTexMgr::GetFallback() { return fallback; }
