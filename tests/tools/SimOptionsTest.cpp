#include "SimOptions.h"

#include <gtest/gtest.h>

namespace {

SimOptions Parsed(const std::vector<std::string>& arguments)
{
    SimOptions options;
    std::string error;
    EXPECT_TRUE(ParseSimOptions(arguments, options, error)) << error;
    return options;
}

std::string Refusal(const std::vector<std::string>& arguments)
{
    SimOptions options;
    std::string error;
    EXPECT_FALSE(ParseSimOptions(arguments, options, error));
    return error;
}

}  // namespace

TEST(SimOptions, PortAloneAnswersPlainly)
{
    const SimOptions options = Parsed({"com12"});
    EXPECT_EQ(options.portName, "COM12");
    EXPECT_FALSE(options.silent);
    EXPECT_EQ(options.silentAfter, -1);
    EXPECT_EQ(options.lateMilliseconds, 0);
    EXPECT_FALSE(options.lineRate);
    EXPECT_EQ(options.shape.lineEnd, LineEnd::CrLf);
    EXPECT_FALSE(options.shape.leadingLineEnd || options.shape.emptyText || options.shape.highBytes
                 || options.shape.longLine || options.shape.twoLines);
}

TEST(SimOptions, EveryFaultModeCanBeSwitchedOn)
{
    const SimOptions options = Parsed({"--silent", "--split-line-end", "--late", "250", "--line-rate",
                                       "--high-bytes", "--long-line", "--two-lines", "--modem-framing",
                                       "--empty-answers", "--silent-after", "3", "--log", "sim.log", "COM2"});
    EXPECT_TRUE(options.silent);
    EXPECT_EQ(options.shape.lineEnd, LineEnd::Split);
    EXPECT_TRUE(options.shape.leadingLineEnd);
    EXPECT_TRUE(options.shape.emptyText);
    EXPECT_EQ(options.lateMilliseconds, 250);
    EXPECT_TRUE(options.lineRate);
    EXPECT_TRUE(options.shape.highBytes);
    EXPECT_TRUE(options.shape.longLine);
    EXPECT_TRUE(options.shape.twoLines);
    EXPECT_EQ(options.silentAfter, 3);
    EXPECT_EQ(options.logFile, "sim.log");
}

TEST(SimOptions, HelpNeedsNoPort)
{
    EXPECT_TRUE(Parsed({"--help"}).help);
    EXPECT_NE(std::string(SimHelpText()).find("--split-line-end"), std::string::npos);
}

TEST(SimOptions, RefusesWrongCommandLines)
{
    EXPECT_EQ(Refusal({}), "no port given");
    EXPECT_EQ(Refusal({"--late"}), "--late needs a value");
    EXPECT_NE(Refusal({"--late", "soon", "COM1"}).find("--late"), std::string::npos);
    EXPECT_NE(Refusal({"--silent-after", "-1", "COM1"}).find("--silent-after"), std::string::npos);
    EXPECT_NE(Refusal({"LPT1"}).find("LPT1"), std::string::npos);
    EXPECT_NE(Refusal({"COM0"}).find("COM0"), std::string::npos);
    EXPECT_EQ(Refusal({"COM1", "COM2"}), "only one port can be given");
    EXPECT_EQ(Refusal({"--fast", "COM1"}), "unknown option --fast");
    EXPECT_EQ(Refusal({"--no-line-end", "--split-line-end", "COM1"}),
              "--no-line-end and --split-line-end exclude each other");
    EXPECT_EQ(Refusal({"--doubled-line-end", "--expanded-line-end", "COM1"}),
              "--doubled-line-end and --expanded-line-end exclude each other");
}
