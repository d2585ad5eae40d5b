#pragma once
// One run of tarvek-send: the configuration file loaded as the program's open
// command loads it, the four thresholds checked as the program's transfer
// checks them, and the same seven lines sent over the same device link, with
// its one-second time-out, each line and each answer reported as it goes.
// The messages are the program's own; where the program shows a box, this
// reports the text.

#include "SendOptions.h"
#include "SendReport.h"

class ConfigurationTransfer;

class ConfigurationSender {
public:
    ConfigurationSender(const SendOptions& options, SendReport& report);
    ConfigurationSender(const ConfigurationSender&) = delete;
    ConfigurationSender& operator=(const ConfigurationSender&) = delete;

    SendOutcome Run();

private:
    const SendOptions& options;
    SendReport& report;

    // Into the process's configuration record; false with the message when
    // the file is missing, cannot be read, or lacks a section that is sent.
    bool LoadFile(std::string& message) const;
    SendOutcome Send(const ConfigurationTransfer& transfer);
    // The program's open-failure text, then the failed step and the host's reason.
    SendOutcome PortUnavailable(const OpenFailureReason& reason, int32_t portIndex);
    SendOutcome Finish(SendOutcome outcome, const std::string& message = std::string());
};
