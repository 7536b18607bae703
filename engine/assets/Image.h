#ifndef IMAGE_H
#define IMAGE_H

// A decoded picture in memory, and the decoders that fill it.
// Every decoder gives the same layout whatever the file held: one 32-bit value per pixel,
// 0xAARRGGBB (the A8R8G8B8 texture layout), rows from the top of the picture down.
// Decoders never throw; on failure they return false, leave the image empty and say why
// in error.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct Image
{
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;   // width * height values, 0xAARRGGBB, top row first

    uint32_t Pixel(int x, int y) const { return pixels[(size_t)y * width + x]; }
    void Clear() { width = 0; height = 0; pixels.clear(); }
};

// The largest edge a decoder accepts; keeps damaged headers from asking for gigabytes.
const int IMAGE_MAX_EDGE = 8192;

bool DecodePng(const unsigned char* data, size_t size, Image& out, std::string& error);
bool DecodeJpeg(const unsigned char* data, size_t size, Image& out, std::string& error);
bool DecodeBmp(const unsigned char* data, size_t size, Image& out, std::string& error);
bool DecodeDds(const unsigned char* data, size_t size, Image& out, std::string& error);

// Picks the decoder from the data's own signature (PNG, JPEG, BMP or DDS), so a file
// with a misleading extension still loads.
bool DecodeImage(const unsigned char* data, size_t size, Image& out, std::string& error);

// Reads a whole file and decodes it with DecodeImage.
bool LoadImageFile(const std::string& path, Image& out, std::string& error);

// Reads a whole file into memory; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& data);

// Packs four 8-bit channels into one 0xAARRGGBB pixel.
inline uint32_t PackArgb(unsigned a, unsigned r, unsigned g, unsigned b)
{
    return ((uint32_t)a << 24) | ((uint32_t)r << 16) | ((uint32_t)g << 8) | (uint32_t)b;
}

// Little-endian reads from a byte buffer (the caller has checked the bounds).
inline uint32_t ReadLe16(const unsigned char* p) { return (uint32_t)p[0] | ((uint32_t)p[1] << 8); }
inline uint32_t ReadLe32(const unsigned char* p)
{
    return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24);
}

#endif
