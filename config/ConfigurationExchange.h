#pragma once
// Moving a configuration between the pages and the configuration record, in one
// place for each direction: the main form gathers the page values before a save
// and shows the record's texts after an open.

#include "ConfigurationRecord.h"
#include "PageValues.h"

// What the pages show for a record.
struct PageTexts {
    WString thresholdTexts[DeviceCommands::ThresholdCount];  // index order, "%.2lf"
    bool errorHandlingEnabled = false;
    bool errorMemoryEnabled = false;
    WString cycleText;        // for SelectCycle: "%d", "-" for no cyclic clearing
    WString receiverText;     // "%d"
    WString transmitterText;  // "%d"
};

namespace ConfigurationExchange {

// No range check and no message: a save keeps what the user typed as far as it
// reads as a number (the leading decimal number, 0 when there is none).
void CopyPagesToRecord(const PageValues& values, ConfigurationRecord& record);

// A cycle of 0, which a save stores for "-", gives "-" again, so that saving
// and opening a file brings back what the user had chosen.
PageTexts FormatRecordForPages(const ConfigurationRecord& record);

// What the pages hold for a transfer to read once the record's texts are
// shown on them: the console sender transfers a file as the program would
// after opening it.
PageValues ValuesShownFor(const ConfigurationRecord& record);

// The record's thresholds by index (1 upper, 1 lower, 2 upper, 2 lower);
// an index outside 0..3 gives 0.0 and stores nothing.
double GetThreshold(const ConfigurationRecord& record, int32_t index);
void SetThreshold(ConfigurationRecord& record, int32_t index, double value);

}  // namespace ConfigurationExchange
