#pragma once
// Writes a picture as a PNG file's bytes: 8-bit RGB, no interlacing, each row
// unfiltered, the pixel data in one zlib stream (ZlibStream.h).

#include <cstdint>
#include <vector>

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // red, green, blue per pixel; top row first
};

std::vector<uint8_t> EncodePng(const RgbImage& image);
uint32_t Crc32(const uint8_t* data, size_t size);
