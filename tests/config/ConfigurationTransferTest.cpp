#include "ConfigurationTransfer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string RangeMessage(const char* which, int comparator)
{
    WString message;
    message.Sprintf("Der %s Schwellwert des %d. Komperators muß zwisch -100.0 und 100.0 liegen.\r\n\r\n", which,
                    comparator);
    return message.GetText();
}

std::string OrderMessage(int comparator)
{
    WString message;
    message.Sprintf("Der obere Schwellwert muß größer als der untere Schwellwert sein (Komperator %d).\r\n\r\n",
                    comparator);
    return message.GetText();
}

PageValues Values(const char* upper1, const char* lower1, const char* upper2, const char* lower2)
{
    PageValues values;
    values.thresholdTexts[0] = upper1;
    values.thresholdTexts[1] = lower1;
    values.thresholdTexts[2] = upper2;
    values.thresholdTexts[3] = lower2;
    values.cycleText = "-";
    return values;
}

std::string MessageFor(const PageValues& values)
{
    return ConfigurationTransfer(values).GetValidationMessage().GetText();
}

}  // namespace

TEST(ConfigurationTransfer, ShowsOnlyTheFirstFailedRule)
{
    const struct {
        const char* name;
        PageValues values;
        std::string message;
    } cases[] = {
        {"bounds inclusive", Values("100.0", "-100.0", "100", "-100"), ""},
        {"equal values pass", Values("50", "50", "0", "0"), ""},
        {"leading blanks pass", Values("  50", "\t1e1", "+.5", "-5."), ""},
        {"just above", Values("100.01", "0", "0", "0"), RangeMessage("obere", 1)},
        {"empty text", Values("100", "", "0", "0"), RangeMessage("untere", 1)},
        {"trailing blank", Values("100", "0", "50 ", "0"), RangeMessage("obere", 2)},
        {"decimal comma", Values("100", "0", "100", "50,5"), RangeMessage("untere", 2)},
        {"hexadecimal", Values("0x10", "0", "0", "0"), RangeMessage("obere", 1)},
        {"not a number", Values("100", "nan", "0", "0"), RangeMessage("untere", 1)},
        {"range error", Values("100", "0", "1e999", "0"), RangeMessage("obere", 2)},
        {"first range failure", Values("100", "abc", "0", "200"), RangeMessage("untere", 1)},
        {"range before order", Values("0", "50", "200", "0"), RangeMessage("obere", 2)},
        {"comparator 1 first", Values("0", "50", "0", "50"), OrderMessage(1)},
        {"comparator 2", Values("50", "0", "-1", "0"), OrderMessage(2)},
    };
    for (const auto& test : cases)
        EXPECT_EQ(MessageFor(test.values), test.message) << test.name;
}

TEST(ConfigurationTransfer, RefusesAThresholdTooLongForOneLine)
{
    const std::string padded = std::string(DeviceCommands::MaximumThresholdTextLength - 2, ' ') + "50";
    EXPECT_EQ(MessageFor(Values("100", padded.c_str(), "0", "0")), "");
    EXPECT_EQ(MessageFor(Values("100", (" " + padded).c_str(), "0", "0")),
              "Der untere Schwellwert des 1. Komperators ist zu lang für die Übertragung.\r\n\r\n");
}

TEST(ConfigurationTransfer, FormsTheSevenLinesInDeviceOrder)
{
    PageValues values = Values("100.0", " 50", "-0.5", "-100.0");
    values.errorMemoryEnabled = true;
    values.cycleText = "90";
    const ConfigurationTransfer transfer(values);
    const char* const lines[] = {"st 1  50\r\n", "st 2 100.0\r\n", "st 3 -100.0\r\n", "st 4 -0.5\r\n",
                                 "ee 0\r\n",     "em 1\r\n",       "cf 90\r\n"};
    const char* const statusTexts[] = {"Übertrage Schwellwert 1",      "Übertrage Schwellwert 2",
                                       "Übertrage Schwellwert 3",      "Übertrage Schwellwert 4",
                                       "Übertrage Fehlerbehandlung 1", "Übertrage Fehlerbehandlung 2",
                                       "Übertrage Fehlerbehandlung 3"};
    for (int32_t step = 0; step < ConfigurationTransfer::StepCount; ++step) {
        EXPECT_STREQ(transfer.GetCommandLine(step), lines[step]) << step;
        EXPECT_STREQ(ConfigurationTransfer::GetStatusText(step), statusTexts[step]) << step;
    }
    EXPECT_TRUE(transfer.GetCommandLine(7).IsEmpty());
    EXPECT_TRUE(ConfigurationTransfer::GetStatusText(-1).IsEmpty());
}

TEST(ConfigurationTransfer, InvalidTransferHasNoLines)
{
    const ConfigurationTransfer transfer(Values("50,5", "0", "0", "0"));
    for (int32_t step = 0; step < ConfigurationTransfer::StepCount; ++step)
        EXPECT_TRUE(transfer.GetCommandLine(step).IsEmpty()) << step;
}

TEST(ConfigurationTransfer, LinesKeepTheValidatedTextsWhenThePagesChangeLater)
{
    PageValues values = Values("100", "0", "100", "0");
    const ConfigurationTransfer transfer(values);
    values.thresholdTexts[1] = "50,5";
    values.cycleText = "5";
    EXPECT_STREQ(transfer.GetCommandLine(0), "st 1 0\r\n");
    EXPECT_STREQ(transfer.GetCommandLine(6), "cf 0\r\n");
}
