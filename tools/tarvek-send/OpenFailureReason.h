#pragma once
// Why a port could not be opened, as tarvek-send tells it: the step that
// failed and the host's own message text for its error code (so in the
// host's language, in its ANSI code page, which on a German host is the
// program's 1252).

#include "Rs232Class.h"

#include <string>

struct OpenFailureReason {
    std::string step;     // the step in German words
    std::string stepKey;  // the step as an ASCII key, for a rig's log
    DWORD error = ERROR_SUCCESS;
    std::string hostText;  // the host's message for the error, without its line end

    explicit OpenFailureReason(const Rs232Class::OpenFailure& failure);

    // One line: the step, the error code and the host's text.
    std::string Line() const;
};
