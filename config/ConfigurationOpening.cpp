#include "ConfigurationOpening.h"

#include "ConfigurationFile.h"
#include "LoadSavePrint.h"

#include <string>

using namespace ConfigurationFile;

namespace {

using SectionSet = LoadSavePrint::SectionSet;

constexpr SectionSet AllSections = LoadSavePrint::SectionBit(SectionCount) - 1;
// The offsets go to the device from their page, never with a transfer.
constexpr SectionSet SentSections = AllSections & ~LoadSavePrint::SectionBit(CalibrationSection);

struct OutcomeText {
    ConfigurationOpening::Outcome outcome;
    const char* format;  // %s: the file's name; a second %s: the missing sections
};

constexpr OutcomeText OutcomeTexts[] = {
    {ConfigurationOpening::Outcome::Missing, "Die Datei \"%s\" kann nicht geöffnet werden!"},
    {ConfigurationOpening::Outcome::NotAPlainFile,
     "\"%s\" ist keine gewöhnliche Datei und kann nicht geöffnet werden."},
    {ConfigurationOpening::Outcome::Unreadable, "Die Datei \"%s\" konnte nicht geöffnet werden."},
    {ConfigurationOpening::Outcome::NoConfiguration, "Die Datei \"%s\" enthält keine Tarvek-Konfiguration."},
    {ConfigurationOpening::Outcome::Incomplete,
     "Die Datei \"%s\" enthält keine vollständige Tarvek-Konfiguration.\r\nEs fehlt: %s"},
};

const char* FormatOf(ConfigurationOpening::Outcome outcome)
{
    for (const OutcomeText& text : OutcomeTexts) {
        if (text.outcome == outcome)
            return text.format;
    }
    return "";
}

// Names such as NUL, CON or COM5 stand for devices in every folder and with
// any extension; the host's full path shows them as such. Reading one would
// wait on a serial port or read nothing at all.
bool IsDeviceName(const char* fileName)
{
    std::string path;
    return LoadSavePrint::GetFullPath(fileName, path) && path.rfind("\\\\.\\", 0) == 0;
}

// "[Threshold 2 Lower], [Error]".
WString SectionList(SectionSet sections)
{
    std::string list;
    for (int32_t section = 0; section < SectionCount; ++section) {
        if ((sections & LoadSavePrint::SectionBit(section)) == 0)
            continue;
        if (!list.empty())
            list += ", ";
        list += std::string("[") + GetSectionName(static_cast<Section>(section)) + "]";
    }
    return WString(list.c_str());
}

}  // namespace

ConfigurationOpening::ConfigurationOpening(Outcome outcome, const char* fileName,
                                           const WString& missingSections)
    : outcome(outcome)
{
    if (outcome != Outcome::Loaded)
        message.Sprintf(FormatOf(outcome), fileName, missingSections.GetText());
}

// The file is held open while the profile calls read it, sharing reading and
// writing with them but not deletion, so that it can neither vanish nor be
// locked by another program half-way; the profile calls themselves read
// nothing from a file they cannot open, just as from an empty one.
ConfigurationOpening ConfigurationOpening::Open(const char* fileName, Need need, ConfigurationRecord& record)
{
    if (!fileName || fileName[0] == '\0')
        return ConfigurationOpening(Outcome::Missing, "");
    if (IsDeviceName(fileName))
        return ConfigurationOpening(Outcome::NotAPlainFile, fileName);
    if (GetFileAttributesA(fileName) == INVALID_FILE_ATTRIBUTES)
        return ConfigurationOpening(Outcome::Missing, fileName);
    const HANDLE held = CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (held == INVALID_HANDLE_VALUE)
        return ConfigurationOpening(Outcome::Unreadable, fileName);
    if (GetFileType(held) != FILE_TYPE_DISK) {
        CloseHandle(held);
        return ConfigurationOpening(Outcome::NotAPlainFile, fileName);
    }
    ConfigurationRecord read = record;
    const SectionSet found = LoadSavePrint::LoadSections(fileName, read);
    CloseHandle(held);
    if (found == 0)
        return ConfigurationOpening(Outcome::NoConfiguration, fileName);
    const SectionSet missing = SentSections & ~found;
    if (need == Need::SentSections && missing != 0)
        return ConfigurationOpening(Outcome::Incomplete, fileName, SectionList(missing));
    record = read;
    return ConfigurationOpening(Outcome::Loaded, fileName);
}
