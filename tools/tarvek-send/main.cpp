// tarvek-send: sends a configuration file to a Tarvek device without a window,
// for test rigs and production lines (see --help).

#include "ConfigurationSender.h"

#include <algorithm>
#include <memory>

int main(int argc, char** argv)
{
    SendOptions options;
    std::string error;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!ParseSendOptions(arguments, options, error)) {
        // A rig that asked for JSON reads its log, not the error output,
        // wherever on the line it asked.
        if (std::find(arguments.begin(), arguments.end(), "--json") != arguments.end())
            JsonReport().Finished(SendOutcome::BadCommandLine, "tarvek-send: " + error);
        else
            ConsoleText(STD_ERROR_HANDLE)
                .WriteLine("tarvek-send: " + error + "\n(tarvek-send --help erklärt den Aufruf)");
        return ExitCodeOf(SendOutcome::BadCommandLine);
    }
    if (options.help) {
        ConsoleText(STD_OUTPUT_HANDLE).WriteLine(SendHelpText());
        return ExitCodeOf(SendOutcome::Sent);
    }
    std::unique_ptr<SendReport> report;
    if (options.json)
        report = std::make_unique<JsonReport>();
    else
        report = std::make_unique<TextReport>();
    return ExitCodeOf(ConfigurationSender(options, *report).Run());
}
