#pragma once
// Saving the configuration record to a configuration file (*.tci) and opening
// one into it, through the host's profile-file calls. The file's contents are
// decided in ConfigurationFile; this class only moves sections.

#include "ConfigurationRecord.h"
#include "WObject.h"

class LoadSavePrint : public WObject {
    W_DECLARE_CLASS(LoadSavePrint, WObject)
public:
    // Rewrites the six sections at the end of the file, other content kept in
    // place; creates a missing file. False at once for an empty name; else true
    // when the last section, "Calibration", was written.
    static bool Save(const char* fileName);
    static bool Save(const char* fileName, const ConfigurationRecord& record);

    // Sets each field whose key the file holds; the others keep their values.
    // False at once for an empty name; else true when "Calibration" was found
    // and read.
    static bool Load(const char* fileName);
    static bool Load(const char* fileName, ConfigurationRecord& record);

    // Load for the open command, which must tell a file it cannot open from
    // one that lacks a section: false, with the record untouched, when the
    // file cannot be opened for reading (a folder, a file gone, a file another
    // program holds without sharing); else true, whatever the file held.
    static bool LoadIfReadable(const char* fileName);
};
