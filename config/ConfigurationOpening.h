#pragma once
// Opening a configuration file, for the program's open command and for the
// console sender alike: whether the file is there, whether it is a plain file
// that can be read, whether it holds a configuration, and the German words
// for each way it can fail. The file is read into a copy of the record, which
// replaces the record only when the file is taken: a file that is refused
// changes nothing.

#include "ConfigurationRecord.h"
#include "WString.h"

class ConfigurationOpening {
public:
    enum class Outcome {
        Loaded,
        Missing,          // no such file
        NotAPlainFile,    // a device (NUL, COM5) or a pipe
        Unreadable,       // a folder, a file gone meanwhile, one held without sharing
        NoConfiguration,  // none of the six sections
        Incomplete,       // a section whose values are sent is missing
    };
    // What the opener needs of the file. The program takes a file with any of
    // the six sections, the missing entries keeping their values; a sender
    // needs every section whose values go to the device.
    enum class Need { AnySection, SentSections };

    static ConfigurationOpening Open(const char* fileName, Need need, ConfigurationRecord& record);

    Outcome GetOutcome() const { return outcome; }
    bool IsLoaded() const { return outcome == Outcome::Loaded; }
    // The message for the user, lines ended by CR LF; empty when loaded.
    const WString& GetMessage() const { return message; }

private:
    Outcome outcome = Outcome::Loaded;
    WString message;

    ConfigurationOpening(Outcome outcome, const char* fileName, const WString& missingSections = WString());
};
