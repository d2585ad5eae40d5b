#include "AnswerShaper.h"

#include <gtest/gtest.h>

namespace {

AnswerShape With(bool AnswerShape::*mode)
{
    AnswerShape shape;
    shape.*mode = true;
    return shape;
}

AnswerShape Ending(LineEnd lineEnd)
{
    AnswerShape shape;
    shape.lineEnd = lineEnd;
    return shape;
}

std::string WithoutHighBytes(const std::string& bytes)
{
    std::string text;
    for (char byte : bytes) {
        if (static_cast<unsigned char>(byte) < 0x80)
            text.push_back(byte);
    }
    return text;
}

}  // namespace

TEST(AnswerShaper, PlainAnswerEndsWithCrLf)
{
    AnswerShaper shaper{AnswerShape()};
    EXPECT_EQ(shaper.Shape("OK"), "OK\r\n");
    EXPECT_EQ(shaper.Shape("ERR"), "ERR\r\n");
}

TEST(AnswerShaper, NoLineEndLeavesTheLineOpen)
{
    AnswerShaper shaper(Ending(LineEnd::None));
    EXPECT_EQ(shaper.Shape("OK"), "OK");
    EXPECT_EQ(shaper.Shape("OK"), "OK");
}

TEST(AnswerShaper, SplitLineEndOwesTheLineFeedToTheNextAnswer)
{
    AnswerShaper shaper(Ending(LineEnd::Split));
    EXPECT_EQ(shaper.Shape("OK"), "OK\r");
    EXPECT_EQ(shaper.Shape("ERR"), "\nERR\r");
}

TEST(AnswerShaper, FramingsHoldTheEmptyLinesDevicesAndDriversSend)
{
    const std::pair<AnswerShape, const char*> cases[] = {
        {Ending(LineEnd::CrCrLf), "OK\r\r\n"},
        {Ending(LineEnd::CrLfCrLf), "OK\r\n\r\n"},
        {With(&AnswerShape::leadingLineEnd), "\r\nOK\r\n"},
        {With(&AnswerShape::emptyText), "\r\n"},
    };
    for (const auto& [shape, bytes] : cases) {
        AnswerShaper shaper(shape);
        EXPECT_EQ(shaper.Shape("OK"), bytes);
        EXPECT_EQ(shaper.Shape("OK"), bytes) << "second answer";
    }
}

TEST(AnswerShaper, TwoLinesPutTheAnswerSecond)
{
    AnswerShaper shaper(With(&AnswerShape::twoLines));
    EXPECT_EQ(shaper.Shape("OK"), "ACK\r\nOK\r\n");
}

TEST(AnswerShaper, LongLineHasThreeHundredCharacters)
{
    AnswerShaper shaper(With(&AnswerShape::longLine));
    const std::string bytes = shaper.Shape("OK");
    ASSERT_EQ(bytes.size(), AnswerShaper::LongLineLength + 2);
    EXPECT_EQ(bytes.substr(0, 12), "OK2345678901");
    EXPECT_EQ(bytes.substr(AnswerShaper::LongLineLength), "\r\n");
    EXPECT_EQ(bytes.substr(0, AnswerShaper::LongLineLength), AnswerShaper::LongLine("OK"));
}

TEST(AnswerShaper, HighBytesSurroundEveryCharacterAndDropOutAgain)
{
    AnswerShaper shaper(With(&AnswerShape::highBytes));
    const std::string bytes = shaper.Shape("OK");
    EXPECT_EQ(bytes.size(), std::string("OK\r\n").size() + 3);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0x80);
    EXPECT_EQ(WithoutHighBytes(bytes), "OK\r\n");
}

TEST(AnswerShaper, HighBytesWalkThroughTheWholeUpperHalf)
{
    AnswerShaper shaper(With(&AnswerShape::highBytes));
    const std::string bytes = shaper.Shape(std::string(127, 'a'));
    bool seen[0x80] = {};
    for (char byte : bytes) {
        if (static_cast<unsigned char>(byte) >= 0x80)
            seen[static_cast<unsigned char>(byte) - 0x80] = true;
    }
    for (int value = 0; value < 0x80; ++value)
        EXPECT_TRUE(seen[value]) << "0x" << std::hex << (value + 0x80);
}
