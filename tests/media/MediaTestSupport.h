// Shared helpers of the media tests: where the build's media lie, and small file reads.
#pragma once

#include <string>
#include <vector>

#include "Image.h"

// The build folder (ZARUL_BUILD_DIR, else the working folder).
std::string BuildDir();
// <build>/media/<name>
std::string MediaPath(const std::string& name);
bool FileExists(const std::string& path);
std::vector<unsigned char> ReadBytes(const std::string& path);

// Decodes a media file with the engine's texture decoders; fails the test when it cannot.
Image LoadMediaImage(const std::string& name);

inline unsigned AlphaOf(uint32_t argb) { return argb >> 24; }
