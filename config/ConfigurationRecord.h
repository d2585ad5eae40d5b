#pragma once
// One complete device configuration: the exchange point between the
// configuration file and the pages. The pages copy themselves into it before a
// save and take it back after an open; the transfer reads the pages, not this.
// No rule is enforced here: a file may carry values the transfer would refuse.

#include <cstdint>

struct ConfigurationRecord {
    double threshold1Upper;  // percent
    double threshold1Lower;
    double threshold2Upper;
    double threshold2Lower;
    bool errorEnabled;            // error handling allowed
    bool errorMemory;             // error memory active
    int32_t errorCycle;           // seconds between cyclic clearing; 0 = none
    int32_t receiverCalibration;  // offset steps
    int32_t transmitterCalibration;

    bool operator==(const ConfigurationRecord&) const = default;
};

// The one record of the process, zero until a file is opened or saved.
extern ConfigurationRecord configurationRecord;
