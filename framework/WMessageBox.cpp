#include "WMessageBox.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Windows whose state a message box may change, restored afterwards.
struct WindowState {
    HWND active = GetActiveWindow();
    HWND foreground = GetForegroundWindow();
    HWND focus = GetFocus();

    void Restore() const
    {
        if (active && IsWindow(active))
            SetActiveWindow(active);
        if (foreground && IsWindow(foreground))
            SetForegroundWindow(foreground);
        if (focus && IsWindow(focus))
            SetFocus(focus);
    }
};

}  // namespace

int32_t WMessageBox::Message(WWindow* parent, UINT style, const char* caption, const char* text)
{
    HWND parentHandle = parent ? parent->GetHandle() : nullptr;
    HWND owner =
        parentHandle && IsWindowVisible(parentHandle) && IsWindowEnabled(parentHandle) ? parentHandle : nullptr;
    const WindowState before;
    const int32_t result = MessageBoxA(owner, text, caption, style);
    before.Restore();
    return result;
}

int32_t WMessageBox::FormatMessage(WWindow* parent, UINT style, const char* caption, const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    const WString text = FormatText(format, arguments);
    va_end(arguments);
    return Message(parent, style, caption, text.GetText());
}

WString WMessageBox::FormatText(const char* format, va_list arguments)
{
    if (!format || !*format)
        return WString();
    size_t limit = std::strlen(format);
    for (;;) {
        std::vector<char> text(limit + 1, '\0');
        va_list attempt;
        va_copy(attempt, arguments);
        const int written = std::vsnprintf(text.data(), limit, format, attempt);
        va_end(attempt);
        const bool fits = written >= 0 && static_cast<size_t>(written) + 1 < limit;
        if (fits || limit >= MaximumTextLength)
            return WString(text.data());
        limit *= 2;
    }
}
