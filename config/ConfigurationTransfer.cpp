#include "ConfigurationTransfer.h"

using namespace DeviceCommands;

namespace {

constexpr double LowestThreshold = -100.0;
constexpr double HighestThreshold = 100.0;
constexpr int32_t ThresholdStepCount = 4;

bool IsUpperIndex(int32_t index)
{
    return index % 2 == 0;
}

int32_t ComparatorOfIndex(int32_t index)
{
    return index / 2 + 1;
}

WString ThresholdMessage(const char* format, int32_t index)
{
    WString message;
    message.Sprintf(format, IsUpperIndex(index) ? "obere" : "untere", ComparatorOfIndex(index));
    return message;
}

WString RangeMessage(int32_t index)
{
    return ThresholdMessage(
        "Der %s Schwellwert des %d. Komperators muß zwisch -100.0 und 100.0 liegen.\r\n\r\n", index);
}

// A text this long cannot travel in one "st" line; the device would get a cut line.
WString LengthMessage(int32_t index)
{
    return ThresholdMessage("Der %s Schwellwert des %d. Komperators ist zu lang für die Übertragung.\r\n\r\n",
                            index);
}

WString OrderMessage(int32_t comparator)
{
    WString message;
    message.Sprintf("Der obere Schwellwert muß größer als der untere Schwellwert sein (Komperator %d).\r\n\r\n",
                    comparator);
    return message;
}

bool IsThresholdInRange(const WString& text, double& value)
{
    bool whole = false;
    value = text.ToReal(&whole);
    return whole && value >= LowestThreshold && value <= HighestThreshold;
}

}  // namespace

namespace TransferRules {

WString ValidateThresholds(const WString (&texts)[ThresholdCount])
{
    double values[ThresholdCount] = {};
    for (int32_t index = 0; index < ThresholdCount; ++index) {
        if (texts[index].GetLength() > MaximumThresholdTextLength)
            return LengthMessage(index);
        if (!IsThresholdInRange(texts[index], values[index]))
            return RangeMessage(index);
    }
    if (values[Threshold1UpperIndex] < values[Threshold1LowerIndex])
        return OrderMessage(1);
    if (values[Threshold2UpperIndex] < values[Threshold2LowerIndex])
        return OrderMessage(2);
    return WString();
}

}  // namespace TransferRules

ConfigurationTransfer::ConfigurationTransfer(const PageValues& values)
    : message(TransferRules::ValidateThresholds(values.thresholdTexts))
{
    if (IsValid())
        FormLines(values);
}

void ConfigurationTransfer::FormLines(const PageValues& values)
{
    // Steps 0..3 go in device numbering: threshold number step + 1. Every
    // text fits its line: the validation refused the ones that would not.
    for (int32_t step = 0; step < ThresholdStepCount; ++step) {
        const int32_t number = step + 1;
        lines[step] = ThresholdLine(number, values.thresholdTexts[IndexOfThresholdNumber(number)]);
    }
    lines[4] = ErrorHandlingLine(values.errorHandlingEnabled);
    lines[5] = ErrorMemoryLine(values.errorMemoryEnabled);
    lines[6] = ClearCycleLine(values.cycleText);
    if (lines[6].IsEmpty())
        message = "Die Zeit für das zyklische Löschen der Fehler ist ungültig.\r\n\r\n";
}

WString ConfigurationTransfer::GetCommandLine(int32_t step) const
{
    if (!IsValid() || step < 0 || step >= StepCount)
        return WString();
    return lines[step];
}

WString ConfigurationTransfer::GetStatusText(int32_t step)
{
    WString text;
    if (step >= 0 && step < ThresholdStepCount)
        text.Sprintf("Übertrage Schwellwert %d", step + 1);
    else if (step >= ThresholdStepCount && step < StepCount)
        text.Sprintf("Übertrage Fehlerbehandlung %d", step - ThresholdStepCount + 1);
    return text;
}
