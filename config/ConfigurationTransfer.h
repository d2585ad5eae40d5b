#pragma once
// The rules of a configuration transfer: which threshold texts may go to the
// device, and the seven lines that carry thresholds and error handling, each
// with the status text shown once the device has answered it.
//
// A transfer is a snapshot: it judges and forms its lines from the values it
// was given, once, at construction. What the user edits while the lines are
// being sent cannot reach the device unvalidated, because nothing is read again.

#include "PageValues.h"

namespace TransferRules {

// The first failed rule's message for the four threshold texts (index order),
// or an empty text when they all pass. Ranges are checked first, each text in
// index order; the order of upper and lower only when all ranges pass,
// comparator 1 before comparator 2.
WString ValidateThresholds(const WString (&texts)[DeviceCommands::ThresholdCount]);

}  // namespace TransferRules

class ConfigurationTransfer {
public:
    static constexpr int32_t StepCount = 7;

    explicit ConfigurationTransfer(const PageValues& values);

    bool IsValid() const { return message.IsEmpty(); }
    // The one message to show when the transfer is not valid; else empty.
    const WString& GetValidationMessage() const { return message; }
    // The command line of step 0..6; empty when the transfer is not valid or
    // the step does not exist, so that nothing unvalidated can be sent.
    WString GetCommandLine(int32_t step) const;
    // "Übertrage Schwellwert 1".."4" for steps 0..3,
    // "Übertrage Fehlerbehandlung 1".."3" for steps 4..6; empty otherwise.
    static WString GetStatusText(int32_t step);

private:
    WString message;
    WString lines[StepCount];

    void FormLines(const PageValues& values);
};
