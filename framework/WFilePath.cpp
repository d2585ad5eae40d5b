#include "WFilePath.h"

#include "WCodePage.h"

#include <cstring>
#include <vector>

namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

// Byte positions of the part ends; Split turns them into character positions.
struct PathParts {
    int32_t driveEnd = 0;
    int32_t directoryEnd = 0;
    int32_t nameEnd = 0;
    int32_t extensionEnd = 0;
};

// The end of "\\server\share" or "X:", or 0.
int32_t DriveEnd(const char* text, int32_t bytes)
{
    if (bytes >= 2 && text[1] == ':' && ((text[0] | 0x20) >= 'a' && (text[0] | 0x20) <= 'z'))
        return 2;
    if (bytes < 2 || !IsSeparator(text[0]) || !IsSeparator(text[1]))
        return 0;
    int32_t separatorsToPass = 2;  // after the server name and after the share name
    int32_t offset = 2;
    while (offset < bytes) {
        if (IsSeparator(text[offset]) && --separatorsToPass == 0)
            return offset;
        offset += WCharacterBytes(text + offset, bytes - offset, CP_ACP);
    }
    return bytes;
}

PathParts SplitPath(const char* text, int32_t bytes)
{
    PathParts parts;
    parts.driveEnd = DriveEnd(text, bytes);
    parts.directoryEnd = parts.driveEnd;
    int32_t lastDot = -1;
    for (int32_t offset = parts.driveEnd; offset < bytes;) {
        if (IsSeparator(text[offset])) {
            parts.directoryEnd = offset + 1;
            lastDot = -1;
        } else if (text[offset] == '.') {
            lastDot = offset;
        }
        offset += WCharacterBytes(text + offset, bytes - offset, CP_ACP);
    }
    parts.nameEnd = lastDot >= 0 ? lastDot : bytes;
    parts.extensionEnd = bytes;
    return parts;
}

}  // namespace

WFilePath::WFilePath() {}

WFilePath::WFilePath(const char* text, int32_t length) : WString(text, length)
{
    Split();
}

WFilePath::WFilePath(const WString& text) : WString(text)
{
    Split();
}

WFilePath::WFilePath(const WFilePath& other) : WString(other)
{
    Split();
}

WFilePath& WFilePath::operator=(const WFilePath& other)
{
    WString::operator=(other);
    return *this;
}

WFilePath& WFilePath::operator=(const WString& text)
{
    WString::operator=(text);
    return *this;
}

WFilePath& WFilePath::operator=(const char* text)
{
    WString::operator=(text);
    return *this;
}

WFilePath::~WFilePath() = default;

void WFilePath::TextChanged()
{
    Split();
}

void WFilePath::Split()
{
    const char* text = GetText();
    int32_t bytes = static_cast<int32_t>(std::strlen(text));
    PathParts parts = SplitPath(text, bytes);
    driveEnd = WCharacterCount(text, parts.driveEnd, CP_ACP);
    directoryEnd = WCharacterCount(text, parts.directoryEnd, CP_ACP);
    nameEnd = WCharacterCount(text, parts.nameEnd, CP_ACP);
    extensionEnd = WCharacterCount(text, parts.extensionEnd, CP_ACP);
}

WString WFilePath::GetFileName() const
{
    return Mid(directoryEnd, nameEnd - directoryEnd);
}

WString WFilePath::GetExtension() const
{
    return Mid(nameEnd, extensionEnd - nameEnd);
}

bool WFilePath::SetExtension(const char* extension)
{
    if (extensionEnd == directoryEnd)
        return false;
    WString rebuilt = Left(nameEnd);
    if (extension != nullptr && *extension != '\0') {
        if (*extension != '.')
            rebuilt = rebuilt + ".";
        rebuilt = rebuilt + extension;
    }
    *this = rebuilt;
    return true;
}

WString WFilePath::GetProgramDirectory()
{
    std::vector<char> name(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0)
            return WString("");
        if (length < name.size())
            break;
        name.resize(name.size() * 2);
    }
    // A directory part ends with its separator; only a bare drive lacks one.
    WFilePath program(name.data());
    WString directory = program.Left(program.directoryEnd);
    if (program.directoryEnd == program.driveEnd)
        directory = directory + "\\";
    return directory;
}

bool WFilePath::Exists(DWORD* attributes) const
{
    DWORD found = GetFileAttributesA(GetText());
    if (attributes != nullptr)
        *attributes = found;
    return found != INVALID_FILE_ATTRIBUTES;
}
