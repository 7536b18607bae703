// Shared helpers of the media tests: where the build's media lie and how to decode them.
#pragma once

#include <string>

#include "Image.h"
#include "TestFiles.h"

// <build>/media/<name>
std::string MediaPath(const std::string& name);

// Decodes a media file with the engine's texture decoders; fails the test when it cannot.
Image LoadMediaImage(const std::string& name);

inline unsigned AlphaOf(uint32_t argb) { return argb >> 24; }

// Every picture the game opens, with what the game needs of it.
enum AlphaUse { OPAQUE, SEE_THROUGH };

struct ExpectedTexture {
    const char* name;
    AlphaUse alpha;
    int width, height;   // 0: any power of two
};

extern const ExpectedTexture kTextures[];
extern const int kTextureCount;
