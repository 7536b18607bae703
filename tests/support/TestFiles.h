// Files of the tests: paths in the build folder (where the tests run and media/ lies),
// reading and writing bytes, and a PNG picture made with libpng.
#ifndef ZARUL_TESTFILES_H
#define ZARUL_TESTFILES_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

// <build folder>/<name>; the build folder is ZARUL_BUILD_DIR, else the working folder.
std::string BuildPath(const std::string& name);

// <build folder>/media, made when missing.
std::string MediaFolder();

bool FileExists(const std::string& path);
bool WriteFile(const std::string& path, const void* data, size_t size);
bool WriteText(const std::string& path, const std::string& text);
std::vector<unsigned char> ReadBytes(const std::string& path);

// Writes an RGBA PNG of 0xAARRGGBB pixels, top row first.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& argb);

#endif
