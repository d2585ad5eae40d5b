#include "LineAssembler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Feeds the bytes and collects every line they complete.
std::vector<std::string> Feed(LineAssembler& assembler, const std::string& bytes)
{
    std::vector<std::string> lines;
    for (char byte : bytes) {
        if (assembler.Take(static_cast<uint8_t>(byte)))
            lines.emplace_back(assembler.CompletedLine());
    }
    return lines;
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(LineAssembler, EachTwoByteLineEndEndsExactlyOneLine)
{
    for (const char* lineEnd : {"\r\n", "\n\r", "\r\r", "\n\n"}) {
        LineAssembler assembler;
        EXPECT_EQ(Feed(assembler, std::string("OK") + lineEnd + "NEXT" + lineEnd), (Lines{"OK", "NEXT"}))
            << "line end " << int(lineEnd[0]) << " " << int(lineEnd[1]);
    }
}

TEST(LineAssembler, SingleCrOrLfEndsALine)
{
    LineAssembler assembler;
    EXPECT_EQ(Feed(assembler, "A\rB\nC\r"), (Lines{"A", "B", "C"}));
}

TEST(LineAssembler, CrLfCrLfEndsALineAndThenAnEmptyOne)
{
    LineAssembler assembler;
    EXPECT_EQ(Feed(assembler, "OK\r\n\r\n"), (Lines{"OK", ""}));
}

TEST(LineAssembler, LateLineFeedAtTheHeadOfTheNextAnswerIsDropped)
{
    LineAssembler assembler;
    EXPECT_EQ(Feed(assembler, "OK\r"), Lines{"OK"});
    EXPECT_EQ(Feed(assembler, "\nERR\r"), Lines{"ERR"});
}

TEST(LineAssembler, UnendedLineBeginsTheNextOne)
{
    LineAssembler assembler;
    EXPECT_TRUE(Feed(assembler, "OK").empty());
    EXPECT_EQ(Feed(assembler, "OK\r\n"), Lines{"OKOK"});
}

TEST(LineAssembler, TwoLinesInOnePortionArriveInOrder)
{
    LineAssembler assembler;
    EXPECT_EQ(Feed(assembler, "A\r\nB\r\n"), (Lines{"A", "B"}));
}

TEST(LineAssembler, LongLineIsCutTo255Characters)
{
    LineAssembler assembler;
    std::string line;
    for (int i = 0; i < 300; ++i)
        line.push_back(static_cast<char>('0' + i % 10));
    const Lines lines = Feed(assembler, line + "\r\nX\r\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], line.substr(0, LineAssembler::MaxLineLength));
    EXPECT_EQ(lines[1], "X");
}

TEST(LineAssembler, HighBytesAreIgnoredEverywhere)
{
    LineAssembler assembler;
    EXPECT_EQ(Feed(assembler, "\x80O\xA5K\xFF\r\x99\n"), Lines{"OK"});
    // A high byte between the two halves of a line end does not split them.
    EXPECT_EQ(Feed(assembler, "A\r\xC4\nB\n"), (Lines{"A", "B"}));
}

TEST(LineAssembler, HighBytesDoNotCountTowardsTheLengthLimit)
{
    LineAssembler assembler;
    std::string bytes;
    for (int i = 0; i < LineAssembler::MaxLineLength; ++i)
        bytes += "\xB0x";
    EXPECT_EQ(Feed(assembler, bytes + "\r"), Lines{std::string(LineAssembler::MaxLineLength, 'x')});
}
