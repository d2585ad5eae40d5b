#pragma once
// A zlib stream (RFC 1950) around one deflate block with the fixed Huffman
// codes (RFC 1951): enough for screenshots, whose large single-coloured areas
// and repeated rows shrink well under plain back-references, without carrying
// a general-purpose compression library into the driver.

#include <cstdint>
#include <vector>

std::vector<uint8_t> ZlibCompress(const std::vector<uint8_t>& data);
uint32_t Adler32(const uint8_t* data, size_t size);
