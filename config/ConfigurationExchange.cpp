#include "ConfigurationExchange.h"

#include "WDecimalNumber.h"

namespace ConfigurationExchange {

namespace {

constexpr double ConfigurationRecord::*ThresholdFields[DeviceCommands::ThresholdCount] = {
    &ConfigurationRecord::threshold1Upper,
    &ConfigurationRecord::threshold1Lower,
    &ConfigurationRecord::threshold2Upper,
    &ConfigurationRecord::threshold2Lower,
};

bool IsThresholdIndex(int32_t index)
{
    return index >= 0 && index < DeviceCommands::ThresholdCount;
}

WString FormatInteger(int32_t value)
{
    WString text;
    text.Sprintf("%d", value);
    return text;
}

WString FormatCycle(int32_t cycle)
{
    return cycle == 0 ? WString("-") : FormatInteger(cycle);
}

// As the comparator page shows it: two decimals.
WString FormatThreshold(double value)
{
    WString text;
    text.Sprintf("%.2lf", value);
    return text;
}

}  // namespace

void CopyPagesToRecord(const PageValues& values, ConfigurationRecord& record)
{
    for (int32_t index = 0; index < DeviceCommands::ThresholdCount; ++index)
        SetThreshold(record, index, WDecimalNumber::Read(values.thresholdTexts[index]));
    record.errorEnabled = values.errorHandlingEnabled;
    record.errorMemory = values.errorMemoryEnabled;
    // "-" has no leading number and so gives 0, no cyclic clearing.
    record.errorCycle = WDecimalNumber::TruncateToInt32(WDecimalNumber::Read(values.cycleText));
    record.receiverCalibration = values.receiverCalibration;
    record.transmitterCalibration = values.transmitterCalibration;
}

PageTexts FormatRecordForPages(const ConfigurationRecord& record)
{
    PageTexts texts;
    for (int32_t index = 0; index < DeviceCommands::ThresholdCount; ++index)
        texts.thresholdTexts[index] = FormatThreshold(GetThreshold(record, index));
    texts.errorHandlingEnabled = record.errorEnabled;
    texts.errorMemoryEnabled = record.errorMemory;
    texts.cycleText = FormatCycle(record.errorCycle);
    texts.receiverText = FormatInteger(record.receiverCalibration);
    texts.transmitterText = FormatInteger(record.transmitterCalibration);
    return texts;
}

PageValues ValuesShownFor(const ConfigurationRecord& record)
{
    const PageTexts texts = FormatRecordForPages(record);
    PageValues values;
    for (int32_t index = 0; index < DeviceCommands::ThresholdCount; ++index)
        values.thresholdTexts[index] = texts.thresholdTexts[index];
    values.errorHandlingEnabled = texts.errorHandlingEnabled;
    values.errorMemoryEnabled = texts.errorMemoryEnabled;
    values.cycleText = texts.cycleText;
    values.receiverCalibration = record.receiverCalibration;
    values.transmitterCalibration = record.transmitterCalibration;
    return values;
}

double GetThreshold(const ConfigurationRecord& record, int32_t index)
{
    return IsThresholdIndex(index) ? record.*ThresholdFields[index] : 0.0;
}

void SetThreshold(ConfigurationRecord& record, int32_t index, double value)
{
    if (IsThresholdIndex(index))
        record.*ThresholdFields[index] = value;
}

}  // namespace ConfigurationExchange
