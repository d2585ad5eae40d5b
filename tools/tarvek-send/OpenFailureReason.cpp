#include "OpenFailureReason.h"

#include <iterator>

namespace {

using OpenStep = Rs232Class::OpenStep;

struct StepRow {
    OpenStep step;
    const char* words;
    const char* key;
};

constexpr StepRow StepRows[] = {
    {OpenStep::None, "unbekannter Schritt", "unknown"},
    {OpenStep::Device, "Öffnen der Schnittstelle", "open"},
    {OpenStep::EventMask, "Setzen der Ereignismaske", "event-mask"},
    {OpenStep::Timeouts, "Setzen der Zeitgrenzen", "timeouts"},
    {OpenStep::ReadLineSettings, "Lesen der Leitungseinstellungen", "read-line-settings"},
    {OpenStep::LineSettings, "Setzen der Leitungseinstellungen", "line-settings"},
    {OpenStep::Reader, "Starten des Empfangs", "reader"},
};

const StepRow& RowOf(OpenStep step)
{
    for (const StepRow& row : StepRows) {
        if (row.step == step)
            return row;
    }
    return StepRows[0];
}

std::string HostText(DWORD error)
{
    char text[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        error, 0, text, static_cast<DWORD>(std::size(text)), nullptr);
    std::string message(text, length);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message;
}

}  // namespace

OpenFailureReason::OpenFailureReason(const Rs232Class::OpenFailure& failure)
    : step(RowOf(failure.step).words), stepKey(RowOf(failure.step).key), error(failure.error),
      hostText(HostText(failure.error))
{
}

std::string OpenFailureReason::Line() const
{
    std::string line = "Fehlgeschlagen: " + step + ", Fehler " + std::to_string(error);
    if (!hostText.empty())
        line += ": " + hostText;
    return line;
}
