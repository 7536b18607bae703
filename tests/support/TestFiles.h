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

// Writes a PNG of 0xAARRGGBB pixels, top row first: RGBA, or RGB without the alpha.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint32_t>& argb,
              bool withAlpha = true);

// The 128-byte header of a DDS picture with the given pixel format (flags, FourCC or
// null, bits per pixel, channel masks); the caller appends the pixel data.
std::vector<unsigned char> DdsHeader(int width, int height, uint32_t formatFlags, const char* fourCC, uint32_t bits,
                                     uint32_t red, uint32_t green, uint32_t blue, uint32_t alpha);

// Writes an uncompressed 32-bit DDS picture of 0xAARRGGBB pixels, top row first.
bool WriteDds(const std::string& path, int width, int height, const std::vector<uint32_t>& argb);

#endif
