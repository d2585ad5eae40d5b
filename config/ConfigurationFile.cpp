#include "ConfigurationFile.h"

#include "WDecimalNumber.h"

#include <cstring>

namespace ConfigurationFile {

namespace {

const char* const SectionNames[SectionCount] = {
    "Threshold 1 Upper", "Threshold 1 Lower", "Threshold 2 Upper", "Threshold 2 Lower", "Error", "Calibration",
};

// One field of the record as the file holds it; exactly one of the three
// field pointers is set, and it tells how the value is written and read.
struct FieldRule {
    Section section;
    const char* key;
    double ConfigurationRecord::*percent;
    bool ConfigurationRecord::*flag;
    int32_t ConfigurationRecord::*integer;
};

// In the order of the file: per section, its entries in the order written.
constexpr FieldRule FieldRules[] = {
    {Threshold1UpperSection, "Percent", &ConfigurationRecord::threshold1Upper, nullptr, nullptr},
    {Threshold1LowerSection, "Percent", &ConfigurationRecord::threshold1Lower, nullptr, nullptr},
    {Threshold2UpperSection, "Percent", &ConfigurationRecord::threshold2Upper, nullptr, nullptr},
    {Threshold2LowerSection, "Percent", &ConfigurationRecord::threshold2Lower, nullptr, nullptr},
    {ErrorSection, "Enabled", nullptr, &ConfigurationRecord::errorEnabled, nullptr},
    {ErrorSection, "Memory", nullptr, &ConfigurationRecord::errorMemory, nullptr},
    {ErrorSection, "Cycle", nullptr, nullptr, &ConfigurationRecord::errorCycle},
    {CalibrationSection, "Receiver", nullptr, nullptr, &ConfigurationRecord::receiverCalibration},
    {CalibrationSection, "Transmitter", nullptr, nullptr, &ConfigurationRecord::transmitterCalibration},
};

WString FormatEntry(const FieldRule& rule, const ConfigurationRecord& record)
{
    WString entry;
    if (rule.percent)
        entry.Sprintf("%s=%.2lf", rule.key, record.*rule.percent);
    else if (rule.flag)
        entry.Sprintf("%s=%d", rule.key, record.*rule.flag ? 1 : 0);
    else
        entry.Sprintf("%s=%d", rule.key, record.*rule.integer);
    return entry;
}

void StoreValue(const FieldRule& rule, const WString& valueText, ConfigurationRecord& record)
{
    const double value = WDecimalNumber::Read(valueText);
    if (rule.percent)
        record.*rule.percent = value;
    else if (rule.flag)
        record.*rule.flag = WDecimalNumber::TruncateToInt32(value) != 0;
    else
        record.*rule.integer = WDecimalNumber::TruncateToInt32(value);
}

const FieldRule* FindRule(Section section, const WString& key)
{
    for (const FieldRule& rule : FieldRules) {
        if (rule.section == section && key == rule.key)
            return &rule;
    }
    return nullptr;
}

void ApplyEntry(Section section, const WString& entry, ConfigurationRecord& record)
{
    WStringArray tokens;
    if (entry.Tokenize(tokens, "=,", true, "\"\"''", true, 0, -1) < 2)
        return;
    if (const FieldRule* rule = FindRule(section, GetEntryKey(tokens[0])))
        StoreValue(*rule, tokens[1], record);
}

// Calls `take` with the start and length of every non-empty entry.
template <class Take>
void ForEachEntry(const char* body, int32_t length, Take take)
{
    int32_t start = 0;
    while (start < length) {
        const void* zero = std::memchr(body + start, '\0', static_cast<size_t>(length - start));
        const int32_t end = zero ? static_cast<int32_t>(static_cast<const char*>(zero) - body) : length;
        if (end > start)
            take(start, end - start);
        start = end + 1;
    }
}

int32_t LengthBeforeLastEntry(const char* body, int32_t length)
{
    int32_t end = length - 1;
    while (end > 0 && body[end - 1] != '\0')
        --end;
    return end > 0 ? end : 0;
}

}  // namespace

const char* GetSectionName(Section section)
{
    return section >= 0 && section < SectionCount ? SectionNames[section] : "";
}

WStringArray FormatEntries(Section section, const ConfigurationRecord& record)
{
    WStringArray entries;
    for (const FieldRule& rule : FieldRules) {
        if (rule.section != section)
            continue;
        const int32_t count = entries.GetCount();
        entries.SetCount(count + 1);
        entries[count] = FormatEntry(rule, record);
    }
    return entries;
}

std::string BuildSectionBody(const WStringArray& entries, int32_t sizeLimit)
{
    std::string body;
    int64_t size = 1;  // the closing zero
    for (int32_t index = 0; index < entries.GetCount(); ++index) {
        const char* entry = entries[index].GetText();
        const size_t entryBytes = std::strlen(entry);
        size += static_cast<int64_t>(entryBytes) + 1;
        if (sizeLimit >= 0 && size > sizeLimit)
            break;
        body.append(entry, entryBytes);
        body.push_back('\0');
    }
    body.push_back('\0');
    return body;
}

WStringArray SplitSectionBody(const char* body, int32_t length, bool cutShort)
{
    WStringArray entries;
    if (!body || length <= 0)
        return entries;
    if (cutShort)
        length = LengthBeforeLastEntry(body, length);
    int32_t count = 0;
    ForEachEntry(body, length, [&count](int32_t, int32_t) { ++count; });
    entries.SetCount(count);
    int32_t index = 0;
    ForEachEntry(body, length, [&](int32_t start, int32_t entryLength) {
        entries[index++] = WString(body + start, entryLength);
    });
    return entries;
}

WString GetEntryKey(const WString& firstToken)
{
    const char* text = firstToken.GetText();
    int32_t nonDigits = 0;
    for (int32_t index = 0; index < firstToken.GetLength(); ++index) {
        if (text[index] < '0' || text[index] > '9')
            ++nonDigits;
    }
    return firstToken.Left(nonDigits);
}

void ApplyEntries(Section section, const WStringArray& entries, ConfigurationRecord& record)
{
    for (int32_t index = 0; index < entries.GetCount(); ++index)
        ApplyEntry(section, entries[index], record);
}

}  // namespace ConfigurationFile
