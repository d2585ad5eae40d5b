// The line assembler against a model of the line rules written out here in
// their own words: every byte value, fed in random portions, must give the
// lines the model gives.

#include "LineAssembler.h"

#include "LineModel.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// The lines the bytes completed, in order; the last of them is what the
// device link answers with.
Lines Feed(LineAssembler& assembler, const std::string& bytes)
{
    Lines lines;
    for (char byte : bytes) {
        if (assembler.Take(static_cast<uint8_t>(byte)))
            lines.emplace_back(assembler.CompletedLine());
    }
    return lines;
}

// Every byte value equally likely, or line ends and fill bytes made frequent.
std::string RandomStream(std::mt19937& random, size_t size, bool crowdedLineEnds)
{
    std::string bytes;
    std::uniform_int_distribution<int> anyByte(0, 255);
    std::uniform_int_distribution<int> pick(0, 9);
    const char frequent[] = {'\r', '\n', '\0', '\x80', 'A'};
    for (size_t index = 0; index < size; ++index) {
        if (crowdedLineEnds && pick(random) < 4)
            bytes.push_back(frequent[pick(random) % sizeof frequent]);
        else
            bytes.push_back(static_cast<char>(anyByte(random)));
    }
    return bytes;
}

// Cuts the stream into portions of 1 to 80 bytes, as the reader hands them over.
std::vector<std::string> RandomPortions(std::mt19937& random, const std::string& stream)
{
    std::vector<std::string> portions;
    std::uniform_int_distribution<size_t> length(1, 80);
    for (size_t position = 0; position < stream.size();) {
        const size_t take = std::min(length(random), stream.size() - position);
        portions.push_back(stream.substr(position, take));
        position += take;
    }
    return portions;
}

void ExpectSameLinesAsTheModel(std::mt19937& random, const std::string& stream)
{
    LineAssembler assembler;
    LineModel model;
    size_t offset = 0;
    for (const std::string& portion : RandomPortions(random, stream)) {
        const size_t before = model.lines.size();
        model.Append(portion);
        ASSERT_EQ(Feed(assembler, portion), Lines(model.lines.begin() + before, model.lines.end()))
            << "portion at byte " << offset;
        offset += portion.size();
    }
}

}  // namespace

TEST(LineAssemblerFuzz, EveryByteValueInRandomPortionsGivesTheModelsLines)
{
    std::mt19937 random(4711);
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        ExpectSameLinesAsTheModel(random, RandomStream(random, 2000, round % 2 == 0));
        if (HasFatalFailure())
            return;
    }
}

TEST(LineAssemblerFuzz, LongRunsWithoutLineEndKeepTheFirst255Characters)
{
    std::mt19937 random(1234);
    for (int round = 0; round < 20; ++round) {
        std::string stream;
        std::uniform_int_distribution<int> printable(0x20, 0x7E);
        for (int index = 0; index < 5000; ++index)
            stream.push_back(static_cast<char>(printable(random)));
        stream += "\r\n";
        ExpectSameLinesAsTheModel(random, stream);
    }
}

TEST(LineAssemblerFuzz, FillBytesNeitherShortenALineNorSplitALineEnd)
{
    LineAssembler assembler;
    const std::string bytes("\0O\0K\r\0\nNEXT\n", 12);
    EXPECT_EQ(Feed(assembler, bytes), (Lines{"OK", "NEXT"}));
}
