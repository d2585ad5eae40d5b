#include "ConsoleText.h"

#include <vector>

namespace {

constexpr UINT ProgramCodePage = 1252;

std::string WithWindowsLineEnds(const std::string& text)
{
    std::string lines;
    for (char character : text) {
        if (character == '\n')
            lines += '\r';
        lines += character;
    }
    return lines;
}

}  // namespace

ConsoleText::ConsoleText(DWORD standardHandle) : handle(GetStdHandle(standardHandle))
{
    DWORD mode = 0;
    isConsole = GetConsoleMode(handle, &mode) != FALSE;
}

void ConsoleText::WriteLine(const std::string& text) const
{
    Write(WithWindowsLineEnds(text + "\n"));
}

void ConsoleText::Write(const std::string& bytes) const
{
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || bytes.empty())
        return;
    const int length = static_cast<int>(bytes.size());
    DWORD written = 0;
    if (!isConsole) {
        WriteFile(handle, bytes.data(), static_cast<DWORD>(length), &written, nullptr);
        return;
    }
    std::vector<wchar_t> wide(static_cast<size_t>(length));
    const int characters = MultiByteToWideChar(ProgramCodePage, 0, bytes.data(), length, wide.data(), length);
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(characters), &written, nullptr);
}
