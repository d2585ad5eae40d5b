#include "PngEncoder.h"

#include "ZlibStream.h"

#include <array>
#include <string>

namespace {

constexpr std::array<uint8_t, 8> Signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint8_t BitDepth = 8;
constexpr uint8_t ColourTypeRgb = 2;
constexpr uint8_t FilterNone = 0;

std::array<uint32_t, 256> MakeCrcTable()
{
    std::array<uint32_t, 256> table{};
    for (uint32_t byte = 0; byte < 256; ++byte) {
        uint32_t value = byte;
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 1) ? 0xEDB88320u ^ (value >> 1) : value >> 1;
        table[byte] = value;
    }
    return table;
}

void AppendBigEndian(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

// A chunk's check sum covers its type and its data, not its length.
void AppendChunk(std::vector<uint8_t>& out, const std::string& type, const std::vector<uint8_t>& data)
{
    AppendBigEndian(out, static_cast<uint32_t>(data.size()));
    const size_t typeStart = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    AppendBigEndian(out, Crc32(out.data() + typeStart, out.size() - typeStart));
}

std::vector<uint8_t> HeaderData(const RgbImage& image)
{
    std::vector<uint8_t> header;
    AppendBigEndian(header, static_cast<uint32_t>(image.width));
    AppendBigEndian(header, static_cast<uint32_t>(image.height));
    header.insert(header.end(), {BitDepth, ColourTypeRgb, 0, 0, 0});
    return header;
}

std::vector<uint8_t> FilteredRows(const RgbImage& image)
{
    const size_t stride = static_cast<size_t>(image.width) * 3;
    std::vector<uint8_t> rows;
    rows.reserve((stride + 1) * static_cast<size_t>(image.height));
    for (int row = 0; row < image.height; ++row) {
        const auto start = image.pixels.begin() + static_cast<ptrdiff_t>(stride * static_cast<size_t>(row));
        rows.push_back(FilterNone);
        rows.insert(rows.end(), start, start + static_cast<ptrdiff_t>(stride));
    }
    return rows;
}

}  // namespace

uint32_t Crc32(const uint8_t* data, size_t size)
{
    static const std::array<uint32_t, 256> table = MakeCrcTable();
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t index = 0; index < size; ++index)
        crc = table[(crc ^ data[index]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::vector<uint8_t> EncodePng(const RgbImage& image)
{
    std::vector<uint8_t> out(Signature.begin(), Signature.end());
    AppendChunk(out, "IHDR", HeaderData(image));
    AppendChunk(out, "IDAT", ZlibCompress(FilteredRows(image)));
    AppendChunk(out, "IEND", {});
    return out;
}
