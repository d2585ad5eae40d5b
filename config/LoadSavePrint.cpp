#include "LoadSavePrint.h"

#include "ConfigurationFile.h"
#include "WPlatform.h"

#include <algorithm>
#include <memory>
#include <new>
#include <string>

using namespace ConfigurationFile;

namespace {

constexpr DWORD FirstReadSize = 2048;
// The older platform family hands over at most this much of a section at once.
constexpr DWORD OlderPlatformSectionLimit = 32767;
// Far beyond any configuration file; it keeps a damaged file from making Load
// ask for memory without end.
constexpr DWORD ReadSizeLimit = 64 * 1024 * 1024;

bool IsOlderPlatform()
{
    return GetPlatform() == WPlatform9x;
}

bool IsEmptyName(const char* fileName)
{
    return !fileName || fileName[0] == '\0';
}

// The profile calls take a name without a folder as a file in the Windows
// folder. A caller's name means what it means to any other file call.
bool GetFullPath(const char* fileName, std::string& path)
{
    DWORD size = MAX_PATH;
    for (;;) {
        std::unique_ptr<char[]> buffer(new (std::nothrow) char[size]);
        if (!buffer)
            return false;
        const DWORD length = GetFullPathNameA(fileName, size, buffer.get(), nullptr);
        if (length == 0)
            return false;
        if (length < size) {
            path.assign(buffer.get(), length);
            return true;
        }
        size = length;
    }
}

// The host hands the names over like a section's entries: each followed by a
// zero, the list cut short when the buffer is full.
int32_t CountSections(const char* name, const std::string& path)
{
    const DWORD sizeLimit = IsOlderPlatform() ? OlderPlatformSectionLimit : ReadSizeLimit;
    for (DWORD size = FirstReadSize;; size = std::min(size * 2, sizeLimit)) {
        std::unique_ptr<char[]> buffer(new (std::nothrow) char[size]);
        if (!buffer)
            return 0;
        const DWORD length = GetPrivateProfileSectionNamesA(buffer.get(), size, path.c_str());
        const bool full = length == size - 2;
        if (full && size < sizeLimit)
            continue;
        const WStringArray names =
            SplitSectionBody(buffer.get(), static_cast<int32_t>(std::min(length, size)), full);
        int32_t count = 0;
        for (int32_t index = 0; index < names.GetCount(); ++index) {
            if (lstrcmpiA(names[index].GetText(), name) == 0)
                ++count;
        }
        return count;
    }
}

// Removing the section first makes the host append it at the end of the file
// instead of rewriting it where it stood. Every copy goes: the host removes
// one at a time, and a second copy left behind would keep stale values beside
// the new ones.
void RemoveSection(const char* name, const std::string& path)
{
    const int32_t copies = std::max(CountSections(name, path), 1);
    for (int32_t copy = 0; copy < copies; ++copy)
        WritePrivateProfileSectionA(name, nullptr, path.c_str());
}

bool WriteSection(Section section, const ConfigurationRecord& record, const std::string& path)
{
    const char* name = GetSectionName(section);
    const std::string body =
        BuildSectionBody(FormatEntries(section, record), IsOlderPlatform() ? OlderPlatformSectionLimit : -1);
    RemoveSection(name, path);
    return WritePrivateProfileSectionA(name, body.c_str(), path.c_str()) != FALSE;
}

struct SectionText {
    std::unique_ptr<char[]> body;
    DWORD length = 0;
    bool cutShort = false;
};

// Reads with a buffer that doubles while the host reports it full.
SectionText ReadSection(Section section, const std::string& path)
{
    const DWORD sizeLimit = IsOlderPlatform() ? OlderPlatformSectionLimit : ReadSizeLimit;
    SectionText text;
    for (DWORD size = FirstReadSize;; size = std::min(size * 2, sizeLimit)) {
        std::unique_ptr<char[]> buffer(new (std::nothrow) char[size]);
        if (!buffer)
            return text;
        const DWORD length =
            GetPrivateProfileSectionA(GetSectionName(section), buffer.get(), size, path.c_str());
        const bool full = length == size - 2;
        text.body = std::move(buffer);
        text.length = std::min(length, size);
        text.cutShort = full;
        if (!full || size >= sizeLimit)
            return text;
    }
}

bool ReadSectionInto(Section section, const std::string& path, ConfigurationRecord& record)
{
    const SectionText text = ReadSection(section, path);
    if (text.length == 0)
        return false;
    ApplyEntries(section, SplitSectionBody(text.body.get(), static_cast<int32_t>(text.length), text.cutShort),
                 record);
    return true;
}

}

bool LoadSavePrint::Save(const char* fileName)
{
    return Save(fileName, configurationRecord);
}

bool LoadSavePrint::Save(const char* fileName, const ConfigurationRecord& record)
{
    std::string path;
    if (IsEmptyName(fileName) || !GetFullPath(fileName, path))
        return false;
    bool written = false;
    for (int32_t section = 0; section < SectionCount; ++section)
        written = WriteSection(static_cast<Section>(section), record, path);
    return written;
}

bool LoadSavePrint::Load(const char* fileName)
{
    return Load(fileName, configurationRecord);
}

bool LoadSavePrint::Load(const char* fileName, ConfigurationRecord& record)
{
    std::string path;
    if (IsEmptyName(fileName) || !GetFullPath(fileName, path))
        return false;
    bool read = false;
    for (int32_t section = 0; section < SectionCount; ++section)
        read = ReadSectionInto(static_cast<Section>(section), path, record);
    return read;
}

// The profile calls read nothing from a file they cannot open, just as from an
// empty one. The file is held open while they read, sharing reading and
// writing with them but not deletion, so that it can neither vanish nor be
// locked by another program half-way.
bool LoadSavePrint::LoadIfReadable(const char* fileName)
{
    std::string path;
    if (IsEmptyName(fileName) || !GetFullPath(fileName, path))
        return false;
    const HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (held == INVALID_HANDLE_VALUE)
        return false;
    Load(path.c_str());
    CloseHandle(held);
    return true;
}
