#include "SendReport.h"

#include <windows.h>

#include <cstdio>
#include <iterator>

namespace {

constexpr UINT ProgramCodePage = 1252;

struct OutcomeRow {
    SendOutcome outcome;
    int exitCode;
    const char* name;  // "result" of the closing JSON object
};

constexpr OutcomeRow OutcomeRows[] = {
    {SendOutcome::Sent, 0, "sent"},
    {SendOutcome::Checked, 0, "checked"},
    {SendOutcome::Refused, 1, "refused"},
    {SendOutcome::FileUnreadable, 2, "file"},
    {SendOutcome::PortUnavailable, 3, "port"},
    {SendOutcome::Timeout, 4, "timeout"},
    {SendOutcome::BadCommandLine, 5, "usage"},
    {SendOutcome::Interrupted, 6, "interrupted"},
};

const OutcomeRow& RowOf(SendOutcome outcome)
{
    for (const OutcomeRow& row : OutcomeRows) {
        if (row.outcome == outcome)
            return row;
    }
    return OutcomeRows[std::size(OutcomeRows) - 1];
}

std::string MillisecondText(double milliseconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", milliseconds);
    return text;
}

std::string EscapedCharacter(wchar_t character)
{
    switch (character) {
    case L'"':
        return "\\\"";
    case L'\\':
        return "\\\\";
    case L'\r':
        return "\\r";
    case L'\n':
        return "\\n";
    case L'\t':
        return "\\t";
    default:
        break;
    }
    if (character >= 0x20 && character < 0x7F)
        return std::string(1, static_cast<char>(character));
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(character));
    return escape;
}

// The text as a JSON string, quotes included.
std::string Quoted(const std::string& text)
{
    std::string quoted = "\"";
    for (unsigned char byte : text) {
        wchar_t character = byte;
        MultiByteToWideChar(ProgramCodePage, 0, reinterpret_cast<const char*>(&byte), 1, &character, 1);
        quoted += EscapedCharacter(character);
    }
    return quoted + "\"";
}

}  // namespace

int ExitCodeOf(SendOutcome outcome)
{
    return RowOf(outcome).exitCode;
}

TextReport::TextReport() : output(STD_OUTPUT_HANDLE), errors(STD_ERROR_HANDLE) {}

void TextReport::LineSending(int32_t, const std::string& line)
{
    output.WriteLine("> " + line);
}

void TextReport::LineAnswered(int32_t, const std::string&, const std::string& answer, double milliseconds)
{
    output.WriteLine("< " + answer + "  (" + MillisecondText(milliseconds) + " ms)");
}

void TextReport::Finished(SendOutcome, const std::string& message)
{
    if (!message.empty())
        errors.WriteLine(message);
}

JsonReport::JsonReport() : output(STD_OUTPUT_HANDLE) {}

void JsonReport::LineAnswered(int32_t step, const std::string& line, const std::string& answer,
                              double milliseconds)
{
    WriteLineObject(step, line, answer, milliseconds, "answered");
}

void JsonReport::LineUnanswered(int32_t step, const std::string& line, double milliseconds)
{
    WriteLineObject(step, line, "", milliseconds, "timeout");
}

void JsonReport::PortFailed(const OpenFailureReason& reason)
{
    failureFields = ",\"failedStep\":" + Quoted(reason.stepKey) + ",\"hostError\":"
                    + std::to_string(reason.error) + ",\"reason\":" + Quoted(reason.hostText);
}

void JsonReport::Finished(SendOutcome outcome, const std::string& message)
{
    const OutcomeRow& row = RowOf(outcome);
    std::string object = "{\"result\":" + Quoted(row.name) + ",\"exit\":" + std::to_string(row.exitCode);
    if (!message.empty())
        object += ",\"message\":" + Quoted(message);
    output.WriteLine(object + failureFields + "}");
}

// Steps count from 1 here, as a person counts the lines.
void JsonReport::WriteLineObject(int32_t step, const std::string& line, const std::string& answer,
                                 double milliseconds, const char* result) const
{
    output.WriteLine("{\"step\":" + std::to_string(step + 1) + ",\"line\":" + Quoted(line)
                     + ",\"answer\":" + Quoted(answer) + ",\"ms\":" + MillisecondText(milliseconds)
                     + ",\"result\":" + Quoted(result) + "}");
}
