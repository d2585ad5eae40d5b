#pragma once
// What tarvek-send tells as it goes: each line as it goes out, each answer as
// it comes in, and how it ended. TextReport writes for a person, JsonReport
// one JSON object per line for a test rig's log. Lines are given without
// their CR LF; texts are in code page 1252, their lines ended by "\n".

#include "ConsoleText.h"
#include "OpenFailureReason.h"

#include <cstdint>
#include <string>

enum class SendOutcome {
    Sent,
    Checked,
    Refused,
    FileUnreadable,
    PortUnavailable,
    Timeout,
    BadCommandLine,
    Interrupted
};

// The process exit code of an outcome, as --help and the README list them.
int ExitCodeOf(SendOutcome outcome);

class SendReport {
public:
    virtual ~SendReport() = default;

    // Step 0..6, about to be written. A report tells of what it wants to; the
    // rest passes it by.
    virtual void LineSending(int32_t, const std::string&) {}
    virtual void LineAnswered(int32_t step, const std::string& line, const std::string& answer,
                              double milliseconds) = 0;
    virtual void LineUnanswered(int32_t, const std::string&, double) {}
    // Before Finished with PortUnavailable. The message names the reason as
    // well; a report that keeps it apart, for machines, takes it here.
    virtual void PortFailed(const OpenFailureReason&) {}
    // Once, at the end; the message (the program's own words) is empty after
    // Sent and Checked.
    virtual void Finished(SendOutcome outcome, const std::string& message) = 0;
};

class TextReport : public SendReport {
public:
    TextReport();
    void LineSending(int32_t step, const std::string& line) override;
    void LineAnswered(int32_t step, const std::string& line, const std::string& answer,
                      double milliseconds) override;
    void Finished(SendOutcome outcome, const std::string& message) override;

private:
    ConsoleText output;
    ConsoleText errors;
};

// Everything goes to the standard output, so that one log holds it all. The
// objects are ASCII: other characters go as \u escapes, so that the log reads
// the same whatever code page its reader assumes.
class JsonReport : public SendReport {
public:
    JsonReport();
    void LineAnswered(int32_t step, const std::string& line, const std::string& answer,
                      double milliseconds) override;
    void LineUnanswered(int32_t step, const std::string& line, double milliseconds) override;
    // The closing object then carries "failedStep", "hostError" and "reason".
    void PortFailed(const OpenFailureReason& reason) override;
    void Finished(SendOutcome outcome, const std::string& message) override;

private:
    ConsoleText output;
    std::string failureFields;  // members for the closing object, each with its leading comma

    void WriteLineObject(int32_t step, const std::string& line, const std::string& answer, double milliseconds,
                         const char* result) const;
};
