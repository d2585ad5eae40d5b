#include "CommandReceiver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> FeedText(CommandReceiver& receiver, const std::string& text)
{
    return receiver.Feed(text.data(), text.size());
}

}  // namespace

TEST(CommandReceiver, EachKindOfLineEndGivesExactlyOneLine)
{
    for (const char* lineEnd : {"\r\n", "\n\r", "\r", "\n", "\r\r", "\n\n"}) {
        CommandReceiver receiver;
        EXPECT_EQ(FeedText(receiver, std::string("ee 1") + lineEnd + "em 0" + lineEnd),
                  (std::vector<std::string>{"ee 1", "em 0"}))
            << "line end of " << std::string(lineEnd).size() << " bytes";
    }
}

TEST(CommandReceiver, LineSplitAcrossReadsIsJoined)
{
    CommandReceiver receiver;
    EXPECT_TRUE(FeedText(receiver, "st 1 ").empty());
    EXPECT_TRUE(receiver.HasPartialLine());
    EXPECT_EQ(FeedText(receiver, "50.0\r"), std::vector<std::string>{"st 1 50.0"});
    EXPECT_TRUE(FeedText(receiver, "\n").empty());
    EXPECT_FALSE(receiver.HasPartialLine());
}

TEST(CommandReceiver, OverlongLineIsCutOnePastTheLimit)
{
    CommandReceiver receiver;
    const std::vector<std::string> lines = FeedText(receiver, std::string(400, 'x') + "\r\nrf\r\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), CommandReceiver::MaxLineLength + 1);
    EXPECT_EQ(lines[1], "rf");
}
