#pragma once
// Saving the configuration record to a configuration file (*.tci) and opening
// one into it, through the host's profile-file calls. The file's contents are
// decided in ConfigurationFile; this class only moves sections.

#include "ConfigurationRecord.h"
#include "WObject.h"

#include <cstdint>
#include <string>

class LoadSavePrint : public WObject {
    W_DECLARE_CLASS(LoadSavePrint, WObject)
public:
    // Which of the six sections a file held: bit n for ConfigurationFile's
    // section n.
    using SectionSet = uint32_t;
    // The host's call that writes one whole section.
    using SectionWriter = BOOL(WINAPI*)(LPCSTR section, LPCSTR body, LPCSTR fileName);

    // Rewrites the six sections at the end of the file, other content kept in
    // place; creates a missing file. False at once for an empty name. The
    // sections are written into a copy beside the file, which takes the
    // file's place only when all six were written: on false the file is as it
    // was, never left with a section removed and not written again.
    static bool Save(const char* fileName);
    static bool Save(const char* fileName, const ConfigurationRecord& record,
                     SectionWriter writeSection = WritePrivateProfileSectionA);

    // Sets each field whose key the file holds; the others keep their values.
    // False at once for an empty name; else true when "Calibration" was found
    // and read.
    static bool Load(const char* fileName);
    static bool Load(const char* fileName, ConfigurationRecord& record);
    // As Load; tells which sections were found and read.
    static SectionSet LoadSections(const char* fileName, ConfigurationRecord& record);
    static constexpr SectionSet SectionBit(int32_t section) { return SectionSet{1} << section; }

    // The name as the host's file calls take it, of any length. The profile
    // calls take a name without a folder as a file in the Windows folder, so
    // they are given this one. False when the host cannot form it.
    static bool GetFullPath(const char* fileName, std::string& path);
};
