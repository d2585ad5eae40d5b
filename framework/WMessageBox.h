#pragma once
// The host's message boxes. The owner is the given parent only while it is
// visible and enabled; the active window, the foreground window and the focus
// are the same after the box as before it.

#include "WWindow.h"

#include <cstdarg>

class WMessageBox : public WObject {
    W_DECLARE_CLASS(WMessageBox, WObject)
public:
    // The host's message box result (IDOK, IDYES, ...).
    static int32_t Message(WWindow* parent, UINT style, const char* caption, const char* text);
    // Formats the text printf-style, then shows it like Message.
    static int32_t FormatMessage(WWindow* parent, UINT style, const char* caption, const char* format, ...);

    // printf-style formatting with a limit that starts at the length of the
    // format and doubles until the whole text fits; an empty format gives an
    // empty text. Texts are cut at MaximumTextLength.
    static WString FormatText(const char* format, va_list arguments);
    static constexpr size_t MaximumTextLength = 1u << 20;
};
