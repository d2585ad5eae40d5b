#pragma once
// A file path that knows where its drive, directory, base name and extension
// end. The four positions are found again after every change of the text.
// A drive is "X:" or a UNC prefix "\\server\share"; the directory runs to the
// last backslash or slash; the extension starts at the last dot of the final
// component (".tci" alone is an extension without base name).

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

    WString GetFileName() const;   // the base name, without extension
    WString GetExtension() const;  // ".tci", dot included; "" when none
    // Replaces the extension (a leading dot is added when missing; "" removes
    // it). False, and nothing changes, when the path has no file name.
    bool SetExtension(const char* extension);
    // Drive and directory of the running program, with a trailing backslash.
    static WString GetProgramDirectory();
    bool Exists(DWORD* attributes = nullptr) const;

protected:
    void TextChanged() override;

private:
    // Character positions where each part ends; a missing part ends where
    // the part before it ends, so every part lies between two positions.
    int32_t driveEnd = 0;
    int32_t directoryEnd = 0;
    int32_t nameEnd = 0;
    int32_t extensionEnd = 0;
    void Split();
};
