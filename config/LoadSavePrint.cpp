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

bool WriteSection(Section section, const ConfigurationRecord& record, const std::string& path,
                  LoadSavePrint::SectionWriter writeSection)
{
    const char* name = GetSectionName(section);
    const std::string body =
        BuildSectionBody(FormatEntries(section, record),
                         IsOlderPlatform() ? static_cast<int32_t>(OlderPlatformSectionLimit) : -1);
    RemoveSection(name, path);
    return writeSection(name, body.c_str(), path.c_str()) != FALSE;
}

// The copy is made in the file's own folder, so that it can take the file's
// place on the same volume; the host makes it under a name nobody else has.
// It starts as the file's contents, or empty for a new file, and always takes
// writing, whatever the file's attributes are.
bool MakeWorkingCopy(const std::string& path, bool fileExists, std::string& copy)
{
    const size_t lastSeparator = path.find_last_of("\\/");
    const std::string folder = lastSeparator == std::string::npos ? "." : path.substr(0, lastSeparator + 1);
    char name[MAX_PATH];
    if (GetTempFileNameA(folder.c_str(), "tci", 0, name) == 0)
        return false;
    copy = name;
    if (!fileExists)
        return true;
    if (CopyFileA(path.c_str(), copy.c_str(), FALSE) && SetFileAttributesA(copy.c_str(), FILE_ATTRIBUTE_NORMAL))
        return true;
    DeleteFileA(copy.c_str());
    return false;
}

// An existing file keeps its permissions and its creation time, which the
// host carries over to the copy as it takes the file's place, and its
// attributes, which not every host carries over.
bool PutInPlace(const std::string& copy, const std::string& path, DWORD attributes)
{
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return MoveFileExA(copy.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
    if (!ReplaceFileA(path.c_str(), copy.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
        return false;
    SetFileAttributesA(path.c_str(), attributes);
    return true;
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

}  // namespace

bool LoadSavePrint::Save(const char* fileName)
{
    return Save(fileName, configurationRecord);
}

// A read-only file is refused as the host refuses to write into it; the
// copy would take writing and hide that.
bool LoadSavePrint::Save(const char* fileName, const ConfigurationRecord& record, SectionWriter writeSection)
{
    std::string path;
    if (IsEmptyName(fileName) || !GetFullPath(fileName, path))
        return false;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    const bool fileExists = attributes != INVALID_FILE_ATTRIBUTES;
    if (fileExists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
        return false;
    std::string copy;
    if (!MakeWorkingCopy(path, fileExists, copy))
        return false;
    bool written = true;
    for (int32_t section = 0; section < SectionCount && written; ++section)
        written = WriteSection(static_cast<Section>(section), record, copy, writeSection);
    if (written && PutInPlace(copy, path, attributes))
        return true;
    DeleteFileA(copy.c_str());
    return false;
}

bool LoadSavePrint::Load(const char* fileName)
{
    return Load(fileName, configurationRecord);
}

bool LoadSavePrint::Load(const char* fileName, ConfigurationRecord& record)
{
    return (LoadSections(fileName, record) & SectionBit(CalibrationSection)) != 0;
}

LoadSavePrint::SectionSet LoadSavePrint::LoadSections(const char* fileName, ConfigurationRecord& record)
{
    std::string path;
    if (IsEmptyName(fileName) || !GetFullPath(fileName, path))
        return 0;
    SectionSet found = 0;
    for (int32_t section = 0; section < SectionCount; ++section) {
        if (ReadSectionInto(static_cast<Section>(section), path, record))
            found |= SectionBit(section);
    }
    return found;
}

bool LoadSavePrint::GetFullPath(const char* fileName, std::string& path)
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
