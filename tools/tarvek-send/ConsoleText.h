#pragma once
// Text for a standard output handle. The program's texts are in code page
// 1252, but a console shows bytes in its own code page (850 in a German
// console), where "ü" would come out as another character. A console is
// therefore given the text as UTF-16, which reads right whatever its code
// page, and its code page is left alone for the commands that run after this
// one. A file or pipe gets the code page 1252 bytes unchanged, as the
// configuration files hold them. Line ends go out as CR LF.

#include <windows.h>

#include <string>

class ConsoleText {
public:
    // STD_OUTPUT_HANDLE or STD_ERROR_HANDLE.
    explicit ConsoleText(DWORD standardHandle);

    // The text, whose lines end in "\n", and a line end after it.
    void WriteLine(const std::string& text) const;

private:
    HANDLE handle;
    bool isConsole;

    void Write(const std::string& bytes) const;
};
