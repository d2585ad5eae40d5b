#include "ZlibStream.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

constexpr size_t MinMatch = 3;
constexpr size_t MaxMatch = 258;
constexpr size_t WindowSize = 32768;
constexpr int HashBits = 15;
constexpr int MaxChain = 32;
constexpr size_t NoPosition = SIZE_MAX;

constexpr std::array<uint16_t, 29> LengthBase = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,
                                                 15, 17, 19, 23, 27, 31, 35, 43, 51,  59,
                                                 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<uint8_t, 29> LengthExtraBits = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1,
                                                     1, 1, 2, 2, 2, 2, 3, 3, 3, 3,
                                                     4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<uint16_t, 30> DistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<uint8_t, 30> DistanceExtraBits = {0, 0, 0, 0, 1, 1, 2,  2,  3,  3,
                                                       4, 4, 5, 5, 6, 6, 7,  7,  8,  8,
                                                       9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// Deflate packs fields from the least significant bit up; Huffman codes go
// most significant bit first, so they are reversed before they are packed.
class BitWriter {
public:
    explicit BitWriter(std::vector<uint8_t>& out) : out(out) {}

    void Bits(uint32_t value, int count)
    {
        for (int bit = 0; bit < count; ++bit) {
            pending |= ((value >> bit) & 1u) << used;
            if (++used == 8)
                FlushByte();
        }
    }

    void Code(uint32_t code, int length)
    {
        uint32_t reversed = 0;
        for (int bit = 0; bit < length; ++bit)
            reversed |= ((code >> bit) & 1u) << (length - 1 - bit);
        Bits(reversed, length);
    }

    void Finish()
    {
        if (used > 0)
            FlushByte();
    }

private:
    void FlushByte()
    {
        out.push_back(static_cast<uint8_t>(pending));
        pending = 0;
        used = 0;
    }

    std::vector<uint8_t>& out;
    uint32_t pending = 0;
    int used = 0;
};

void WriteLiteralOrLength(BitWriter& writer, unsigned symbol)
{
    if (symbol < 144)
        writer.Code(0x30 + symbol, 8);
    else if (symbol < 256)
        writer.Code(0x190 + symbol - 144, 9);
    else if (symbol < 280)
        writer.Code(symbol - 256, 7);
    else
        writer.Code(0xC0 + symbol - 280, 8);
}

template <size_t N>
size_t CodeIndex(const std::array<uint16_t, N>& bases, size_t value)
{
    size_t index = 0;
    while (index + 1 < N && bases[index + 1] <= value)
        ++index;
    return index;
}

void WriteMatch(BitWriter& writer, size_t length, size_t distance)
{
    const size_t lengthIndex = CodeIndex(LengthBase, length);
    WriteLiteralOrLength(writer, static_cast<unsigned>(257 + lengthIndex));
    writer.Bits(static_cast<uint32_t>(length - LengthBase[lengthIndex]), LengthExtraBits[lengthIndex]);
    const size_t distanceIndex = CodeIndex(DistanceBase, distance);
    writer.Code(static_cast<uint32_t>(distanceIndex), 5);
    writer.Bits(static_cast<uint32_t>(distance - DistanceBase[distanceIndex]),
                DistanceExtraBits[distanceIndex]);
}

uint32_t HashAt(const std::vector<uint8_t>& data, size_t position)
{
    const uint32_t key = data[position] | data[position + 1] << 8 | data[position + 2] << 16;
    return (key * 2654435761u) >> (32 - HashBits);
}

// Greedy back-references: the longest match among the last few positions
// that began with the same three bytes.
class MatchFinder {
public:
    explicit MatchFinder(const std::vector<uint8_t>& data)
        : data(data), head(size_t{1} << HashBits, NoPosition), previous(WindowSize, NoPosition)
    {
    }

    void Insert(size_t position)
    {
        if (position + MinMatch > data.size())
            return;
        const uint32_t hash = HashAt(data, position);
        previous[position % WindowSize] = head[hash];
        head[hash] = position;
    }

    // Length and distance of the best match at position; length 0 for none.
    std::pair<size_t, size_t> Find(size_t position) const
    {
        if (position + MinMatch > data.size())
            return {0, 0};
        const size_t limit = std::min(MaxMatch, data.size() - position);
        size_t bestLength = 0;
        size_t bestDistance = 0;
        size_t candidate = head[HashAt(data, position)];
        for (int step = 0; step < MaxChain && candidate != NoPosition; ++step) {
            if (position - candidate > WindowSize - 1)
                break;
            const size_t length = MatchLength(candidate, position, limit);
            if (length > bestLength) {
                bestLength = length;
                bestDistance = position - candidate;
                if (length == limit)
                    break;
            }
            candidate = previous[candidate % WindowSize];
        }
        return bestLength >= MinMatch ? std::pair{bestLength, bestDistance} : std::pair{size_t{0}, size_t{0}};
    }

private:
    size_t MatchLength(size_t from, size_t position, size_t limit) const
    {
        size_t length = 0;
        while (length < limit && data[from + length] == data[position + length])
            ++length;
        return length;
    }

    const std::vector<uint8_t>& data;
    std::vector<size_t> head;
    std::vector<size_t> previous;
};

void DeflateFixed(const std::vector<uint8_t>& data, std::vector<uint8_t>& out)
{
    BitWriter writer(out);
    writer.Bits(1, 1);  // the last block
    writer.Bits(1, 2);  // fixed Huffman codes
    MatchFinder finder(data);
    size_t position = 0;
    while (position < data.size()) {
        const auto [length, distance] = finder.Find(position);
        if (length == 0) {
            WriteLiteralOrLength(writer, data[position]);
            finder.Insert(position++);
            continue;
        }
        WriteMatch(writer, length, distance);
        for (size_t end = position + length; position < end; ++position)
            finder.Insert(position);
    }
    WriteLiteralOrLength(writer, 256);
    writer.Finish();
}

}  // namespace

uint32_t Adler32(const uint8_t* data, size_t size)
{
    constexpr uint32_t Modulus = 65521;
    uint32_t low = 1;
    uint32_t high = 0;
    for (size_t index = 0; index < size; ++index) {
        low = (low + data[index]) % Modulus;
        high = (high + low) % Modulus;
    }
    return high << 16 | low;
}

std::vector<uint8_t> ZlibCompress(const std::vector<uint8_t>& data)
{
    // Deflate with a 32 KiB window, no preset dictionary; the two bytes
    // together are a multiple of 31 as the header check demands.
    std::vector<uint8_t> out = {0x78, 0x01};
    DeflateFixed(data, out);
    const uint32_t checksum = Adler32(data.data(), data.size());
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(checksum >> shift));
    return out;
}
