#pragma once
// The configuration file's contents, apart from the profile-file calls that
// move them: which sections and keys hold which record field, how a section's
// entries are written, and how the entries read back set the record.
//
// Reading is forgiving by design: an entry that is not understood is passed
// over, a value is read as far as it is a number, and a field whose key is
// missing keeps its value. Nothing in a file can make reading fail.

#include "ConfigurationRecord.h"
#include "WString.h"

#include <string>

namespace ConfigurationFile {

// In the order they are written and read.
enum Section : int32_t {
    Threshold1UpperSection,
    Threshold1LowerSection,
    Threshold2UpperSection,
    Threshold2LowerSection,
    ErrorSection,
    CalibrationSection,
    SectionCount,
};

const char* GetSectionName(Section section);

// The section's entry lines ("Percent=-12.35", "Enabled=1", ...) in order.
WStringArray FormatEntries(Section section, const ConfigurationRecord& record);

// A section body as the host's profile call takes it: every entry followed by
// a zero, one more zero at the end. With a size limit (-1: none), the body is
// counted as the sum of (entry length + 1) plus 1, and the first entry that
// would take it beyond the limit is left out with all that follow.
std::string BuildSectionBody(const WStringArray& entries, int32_t sizeLimit = -1);

// The entries of a section body of `length` bytes as the host returned it.
// A body the host cut short at the buffer's end may end in a piece of an
// entry; with `cutShort` the last entry is left out rather than misread.
WStringArray SplitSectionBody(const char* body, int32_t length, bool cutShort = false);

// The key of an entry's first token: cut to as many leading characters as the
// token has characters that are not digits ("Receiver3" gives "Receiver").
WString GetEntryKey(const WString& firstToken);

// Sets the record's fields from the section's entries, in order, so that the
// later of two entries with the same key wins.
void ApplyEntries(Section section, const WStringArray& entries, ConfigurationRecord& record);

}  // namespace ConfigurationFile
