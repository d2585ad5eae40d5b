#include "ConfigurationSender.h"

#include "Clock.h"
#include "ConfigurationExchange.h"
#include "ConfigurationOpening.h"
#include "ConfigurationRecord.h"
#include "ConfigurationTransfer.h"
#include "LinkNotifyWindow.h"
#include "TarvekComm.h"

namespace {

// The program's texts end their lines in CR LF and close with blank lines,
// as its boxes want them; a report wants plain lines.
std::string PlainLines(const char* text)
{
    std::string lines;
    for (const char* character = text; *character != '\0'; ++character) {
        if (*character != '\r')
            lines += *character;
    }
    while (!lines.empty() && lines.back() == '\n')
        lines.pop_back();
    return lines;
}

std::string TimeoutMessage(int32_t step, const std::string& line)
{
    WString naming;
    naming.Sprintf("Keine Antwort auf Schritt %d von %d: %s", step + 1, ConfigurationTransfer::StepCount,
                   line.c_str());
    return PlainLines(TarvekComm::TimeoutMessage) + "\n" + naming.GetText();
}

std::string InterruptionMessage(int32_t step, const std::string& line)
{
    WString naming;
    naming.Sprintf("Abgebrochen: tarvek-send wurde beendet, während es auf die Antwort auf Schritt %d von %d "
                   "wartete: %s",
                   step + 1, ConfigurationTransfer::StepCount, line.c_str());
    return naming.GetText();
}

}  // namespace

ConfigurationSender::ConfigurationSender(const SendOptions& options, SendReport& report)
    : options(options), report(report)
{
}

SendOutcome ConfigurationSender::Run()
{
    std::string message;
    if (!LoadFile(message))
        return Finish(SendOutcome::FileUnreadable, message);
    const ConfigurationTransfer transfer(ConfigurationExchange::ValuesShownFor(configurationRecord));
    if (!transfer.IsValid())
        return Finish(SendOutcome::Refused, PlainLines(transfer.GetValidationMessage()));
    if (options.checkOnly)
        return Finish(SendOutcome::Checked);
    return Send(transfer);
}

// Only a file that holds every section whose values go to the device is
// sent: a copy that came out empty, or another program's file, would
// otherwise zero the thresholds and switch the error handling off.
bool ConfigurationSender::LoadFile(std::string& message) const
{
    const ConfigurationOpening opening = ConfigurationOpening::Open(
        options.fileName.c_str(), ConfigurationOpening::Need::SentSections, configurationRecord);
    message = PlainLines(opening.GetMessage());
    return opening.IsLoaded();
}

SendOutcome ConfigurationSender::Send(const ConfigurationTransfer& transfer)
{
    const int32_t portIndex = options.portNumber - 1;
    TarvekComm link(portIndex);
    LinkNotifyWindow window(link);
    link.SetNotifyTarget(&window);
    if (!link.Open())
        return PortUnavailable(OpenFailureReason(link.GetOpenFailure()), portIndex);
    for (int32_t step = 0; step < ConfigurationTransfer::StepCount; ++step) {
        const WString command = transfer.GetCommandLine(step);
        const std::string line = PlainLines(command);
        report.LineSending(step, line);
        const double start = Milliseconds();
        const WString answer = link.SendCommand(command);
        const double milliseconds = Milliseconds() - start;
        if (link.QuitRequested())
            return Finish(SendOutcome::Interrupted, InterruptionMessage(step, line));
        if (answer.IsEmpty()) {
            report.LineUnanswered(step, line, milliseconds);
            return Finish(SendOutcome::Timeout, TimeoutMessage(step, line));
        }
        report.LineAnswered(step, line, answer.GetText(), milliseconds);
    }
    return Finish(SendOutcome::Sent);
}

SendOutcome ConfigurationSender::PortUnavailable(const OpenFailureReason& reason, int32_t portIndex)
{
    report.PortFailed(reason);
    return Finish(SendOutcome::PortUnavailable,
                  PlainLines(TarvekComm::OpenErrorMessage(portIndex)) + "\n" + reason.Line());
}

SendOutcome ConfigurationSender::Finish(SendOutcome outcome, const std::string& message)
{
    report.Finished(outcome, message);
    return outcome;
}
