#include "SimOptions.h"

#include <cctype>
#include <cstdlib>

namespace {

bool ParseCount(const std::string& text, int maximum, int& value)
{
    if (text.empty() || text.size() > 7)
        return false;
    for (char character : text) {
        if (!std::isdigit(static_cast<unsigned char>(character)))
            return false;
    }
    value = std::atoi(text.c_str());
    return value <= maximum;
}

// "COMn" in any case, n from 1 to 255.
bool ParsePortName(const std::string& text, std::string& portName)
{
    if (text.size() < 4)
        return false;
    std::string prefix = text.substr(0, 3);
    for (char& character : prefix)
        character = static_cast<char>(std::toupper(static_cast<unsigned char>(character)));
    int number = 0;
    if (prefix != "COM" || !ParseCount(text.substr(3), 255, number) || number < 1)
        return false;
    portName = "COM" + std::to_string(number);
    return true;
}

struct LineEndOption {
    const char* name;
    LineEnd lineEnd;
};

constexpr LineEndOption LineEndOptions[] = {
    {"--no-line-end", LineEnd::None},
    {"--split-line-end", LineEnd::Split},
    {"--expanded-line-end", LineEnd::CrCrLf},
    {"--doubled-line-end", LineEnd::CrLfCrLf},
};

const LineEndOption* FindLineEndOption(const std::string& option)
{
    for (const LineEndOption& candidate : LineEndOptions) {
        if (option == candidate.name)
            return &candidate;
    }
    return nullptr;
}

// An answer has one line end, so only one of the options can be given.
bool SetLineEnd(const LineEndOption& option, SimOptions& options, std::string& error)
{
    for (const LineEndOption& chosen : LineEndOptions) {
        if (chosen.lineEnd == options.shape.lineEnd && chosen.lineEnd != option.lineEnd) {
            error = std::string(chosen.name) + " and " + option.name + " exclude each other";
            return false;
        }
    }
    options.shape.lineEnd = option.lineEnd;
    return true;
}

// The options without a value: each switches one mode on.
struct SwitchOption {
    const char* name;
    bool& (*flag)(SimOptions& options);
};

constexpr SwitchOption SwitchOptions[] = {
    {"--help", [](SimOptions& options) -> bool& { return options.help; }},
    {"-h", [](SimOptions& options) -> bool& { return options.help; }},
    {"--silent", [](SimOptions& options) -> bool& { return options.silent; }},
    {"--modem-framing", [](SimOptions& options) -> bool& { return options.shape.leadingLineEnd; }},
    {"--empty-answers", [](SimOptions& options) -> bool& { return options.shape.emptyText; }},
    {"--line-rate", [](SimOptions& options) -> bool& { return options.lineRate; }},
    {"--high-bytes", [](SimOptions& options) -> bool& { return options.shape.highBytes; }},
    {"--long-line", [](SimOptions& options) -> bool& { return options.shape.longLine; }},
    {"--two-lines", [](SimOptions& options) -> bool& { return options.shape.twoLines; }},
};

bool TakeValue(const std::vector<std::string>& arguments, size_t& index, std::string& value, std::string& error)
{
    if (index + 1 >= arguments.size()) {
        error = arguments[index] + " needs a value";
        return false;
    }
    value = arguments[++index];
    return true;
}

// The option's value, a whole number from 0 to the maximum.
bool TakeCount(const std::vector<std::string>& arguments, size_t& index, int maximum, int& count,
               const char* needed, std::string& error)
{
    const std::string& option = arguments[index];
    std::string value;
    if (!TakeValue(arguments, index, value, error))
        return false;
    if (ParseCount(value, maximum, count))
        return true;
    error = option + " needs " + needed + ", not '" + value + "'";
    return false;
}

bool ParseOption(const std::vector<std::string>& arguments, size_t& index, SimOptions& options,
                 std::string& error)
{
    const std::string& option = arguments[index];
    if (const LineEndOption* lineEnd = FindLineEndOption(option))
        return SetLineEnd(*lineEnd, options, error);
    for (const SwitchOption& candidate : SwitchOptions) {
        if (option == candidate.name) {
            candidate.flag(options) = true;
            return true;
        }
    }
    if (option == "--late")
        return TakeCount(arguments, index, 600000, options.lateMilliseconds, "milliseconds from 0 to 600000",
                         error);
    if (option == "--silent-after")
        return TakeCount(arguments, index, 1000000, options.silentAfter, "a number of lines", error);
    if (option == "--log")
        return TakeValue(arguments, index, options.logFile, error);
    error = "unknown option " + option;
    return false;
}

}  // namespace

bool ParseSimOptions(const std::vector<std::string>& arguments, SimOptions& options, std::string& error)
{
    options = SimOptions();
    for (size_t index = 0; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        if (argument.rfind("-", 0) == 0) {
            if (!ParseOption(arguments, index, options, error))
                return false;
        } else if (options.portName.empty()) {
            if (!ParsePortName(argument, options.portName)) {
                error = "'" + argument + "' is not a port name such as COM12";
                return false;
            }
        } else {
            error = "only one port can be given";
            return false;
        }
    }
    if (!options.help && options.portName.empty()) {
        error = "no port given";
        return false;
    }
    return true;
}

const char* SimHelpText()
{
    return "Usage: tarvek-sim [options] COMn\n"
           "\n"
           "Plays the Tarvek device on the serial port COMn (19200 baud, 8 data bits,\n"
           "no parity, one stop bit). Every command line that arrives is printed with\n"
           "the time it arrived and answered with one line: OK when the device accepts\n"
           "it, ERR when it does not understand it. The device remembers the four\n"
           "thresholds, error handling, error memory, clearing cycle, both offsets and\n"
           "the stored errors, and prints them after every accepted command.\n"
           "Stop it with Ctrl+C; it also ends by itself when the port goes away.\n"
           "\n"
           "Options that make it misbehave, to test the tool against a faulty device:\n"
           "  --silent          never answer at all\n"
           "  --silent-after N  answer the first N lines, then never again\n"
           "  --late MS         wait MS milliseconds before each answer\n"
           "  --no-line-end     send answers without CR LF, so no line is ever complete\n"
           "  --split-line-end  end an answer with CR only; its LF comes first in the\n"
           "                    next answer\n"
           "  --expanded-line-end\n"
           "                    end answers with CR CR LF, as a driver that turns LF\n"
           "                    into CR LF sends them\n"
           "  --doubled-line-end\n"
           "                    end answers with CR LF CR LF: an empty line after each\n"
           "  --modem-framing   put CR LF before every answer too: CR LF OK CR LF\n"
           "  --empty-answers   answer every command with an empty line only\n"
           "  --high-bytes      mix bytes 0x80 to 0xFF in between the answer's characters\n"
           "  --long-line       pad every answer to a line of 300 characters\n"
           "  --two-lines       send the line ACK before every answer, in the same write\n"
           "\n"
           "Other options:\n"
           "  --line-rate       take as long as a real line at 19200 baud: a command is\n"
           "                    seen only when all its bytes could have arrived, and the\n"
           "                    answer goes out one byte every 0.52 ms\n"
           "  --log FILE        also write everything printed to FILE\n"
           "  --help            show this text\n"
           "\n"
           "Exit code: 0 when stopped, 1 for a wrong command line or a port that cannot\n"
           "be opened, 2 when the port went away.\n";
}
