#pragma once
// What the main form gathers from its pages before a save or a transfer:
// the texts and states exactly as the controls hold them. The rules that judge
// and convert them live in ConfigurationTransfer and ConfigurationExchange.

#include "DeviceCommands.h"

struct PageValues {
    // Threshold box texts in index order: 1 upper, 1 lower, 2 upper, 2 lower.
    WString thresholdTexts[DeviceCommands::ThresholdCount];
    bool errorHandlingEnabled = false;
    bool errorMemoryEnabled = false;
    WString cycleText;  // the selected entry: "-", "5", ... "90"
    int32_t receiverCalibration = 0;
    int32_t transmitterCalibration = 0;
};
