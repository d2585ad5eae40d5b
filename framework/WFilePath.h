#pragma once
// A file path that knows where its drive, directory, base name and extension end.

#include "WString.h"

class WFilePath : public WString {
    W_DECLARE_CLASS(WFilePath, WString)
public:
    WFilePath();
    WFilePath(const char* text, int32_t length = -1);
    WFilePath(const WString& text);
    WFilePath(const WFilePath& other);
    WFilePath& operator=(const WFilePath& other);
    WFilePath& operator=(const WString& text);
    WFilePath& operator=(const char* text);
    ~WFilePath() override;

    WString GetFileName() const;        // the base name, without extension
    WString GetExtension() const;       // ".tci", dot included; "" when none
    bool SetExtension(const char* extension);
    // Drive and directory of the running program, with a trailing backslash.
    static WString GetProgramDirectory();
    bool Exists(DWORD* attributes = nullptr) const;

private:
    // Each an index into the text, or -1.
    int32_t driveEnd = -1;
    int32_t directoryEnd = -1;
    int32_t nameEnd = -1;
    int32_t extensionEnd = -1;
    void Split();
};
