// tarvek-send as a test rig runs it: started as a child process with a
// configuration file, the device simulator on the other end of a null-modem
// pair, its output read and its exit code checked, once for every way a run
// can end. The sender talks to COM13, above the eight ports the program lists;
// the simulator plays the device on its partner COM3.

#include "AbsentPort.h"
#include "ChildProcess.h"
#include "SimulatorProcess.h"
#include "TestArtifacts.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

constexpr DWORD SendTimeout = 30000;
constexpr const char* DevicePort = "COM3";

constexpr const char* GoodFile =
    "[Threshold 1 Upper]\r\nPercent=80\r\n[Threshold 1 Lower]\r\nPercent=20\r\n"
    "[Threshold 2 Upper]\r\nPercent=90\r\n[Threshold 2 Lower]\r\nPercent=10\r\n"
    "[Error]\r\nEnabled=1\r\nMemory=0\r\nCycle=30\r\n[Calibration]\r\nReceiver=3\r\nTransmitter=-4\r\n";
constexpr const char* NoErrorSectionFile =
    "[Threshold 1 Upper]\r\nPercent=80\r\n[Threshold 1 Lower]\r\nPercent=20\r\n"
    "[Threshold 2 Upper]\r\nPercent=90\r\n[Threshold 2 Lower]\r\nPercent=10\r\n";
constexpr const char* OutOfOrderFile =
    "[Threshold 1 Upper]\r\nPercent=20\r\n[Threshold 1 Lower]\r\nPercent=80\r\n"
    "[Threshold 2 Upper]\r\nPercent=90\r\n[Threshold 2 Lower]\r\nPercent=10\r\n"
    "[Error]\r\nEnabled=1\r\nMemory=0\r\nCycle=30\r\n";

struct SendCase {
    const char* name;
    const char* file;       // the configuration file's contents; null: no file there
    const char* device;     // tarvek-sim's options; null: no device
    const char* arguments;  // after the file's path
    DWORD exitCode;
    // "{file}" stands for the file's path, "ms" for any time, "{access
    // denied}" for the host's own text of that error (its language varies).
    Lines output;
    size_t linesAtTheDevice;
};

const SendCase SendCases[] = {
    {"GoodTransfer",
     GoodFile,
     "",
     "--com 13",
     0,
     {"> st 1 20.00", "< OK  (ms)", "> st 2 80.00", "< OK  (ms)", "> st 3 10.00", "< OK  (ms)", "> st 4 90.00",
      "< OK  (ms)", "> ee 1", "< OK  (ms)", "> em 0", "< OK  (ms)", "> cf 30", "< OK  (ms)"},
     7},
    {"SilentDevice",
     GoodFile,
     "--silent",
     "--com 13",
     4,
     {"> st 1 20.00", "Zeitüberschreitung!", "",
      "Tarvek antwortet nicht auf die übertragenen Konfigurationsdaten.",
      "Keine Antwort auf Schritt 1 von 7: st 1 20.00"},
     1},
    {"SilentDeviceInJson",
     GoodFile,
     "--silent",
     "--com 13 --json",
     4,
     {R"({"step":1,"line":"st 1 20.00","answer":"","ms":ms,"result":"timeout"})",
      R"({"result":"timeout","exit":4,"message":"Zeit\u00fcberschreitung!\n\nTarvek antwortet nicht auf die )"
      R"(\u00fcbertragenen Konfigurationsdaten.\nKeine Antwort auf Schritt 1 von 7: st 1 20.00"})"},
     1},
    {"ThresholdsOutOfOrder",
     OutOfOrderFile,
     "",
     "--com 13",
     1,
     {"Der obere Schwellwert muß größer als der untere Schwellwert sein (Komperator 1)."},
     0},
    {"AbsentPort",
     GoodFile,
     nullptr,
     "--com 9",
     3,
     {"COM9 konnte nicht geöffnet werden.", "", "Entweder ist die Schnittstelle nicht verfügbar oder",
      "wird von einer anderen Applikation verwendet.",
      "Fehlgeschlagen: Öffnen der Schnittstelle, Fehler 5: {access denied}"},
     0},
    {"AbsentPortInJson",
     GoodFile,
     nullptr,
     "--com 9 --json",
     3,
     {R"({"result":"port","exit":3,"message":"COM9 konnte nicht ge\u00f6ffnet werden.\n\nEntweder ist die )"
      R"(Schnittstelle nicht verf\u00fcgbar oder\nwird von einer anderen Applikation verwendet.\n)"
      R"(Fehlgeschlagen: \u00d6ffnen der Schnittstelle, Fehler 5: {access denied}",)"
      R"("failedStep":"open","hostError":5,"reason":"{access denied}"})"},
     0},
    {"MissingFile", nullptr, "", "--com 13", 2, {"Die Datei \"{file}\" kann nicht geöffnet werden!"}, 0},
    {"CheckOnly", GoodFile, "", "--check --json", 0, {R"({"result":"checked","exit":0})"}, 0},
    {"PortNumberMissing",
     GoodFile,
     "",
     "--com",
     5,
     {"tarvek-send: --com braucht die Nummer der Schnittstelle, 1 oder mehr",
      "(tarvek-send --help erklärt den Aufruf)"},
     0},
    {"PortNumberMissingInJson",
     GoodFile,
     "",
     "--json --com",
     5,
     {R"({"result":"usage","exit":5,"message":"tarvek-send: --com braucht die Nummer der Schnittstelle, 1 oder mehr"})"},
     0},
    {"EmptyFile", "", "", "--com 13", 2, {"Die Datei \"{file}\" enthält keine Tarvek-Konfiguration."}, 0},
    {"NoErrorSection",
     NoErrorSectionFile,
     "",
     "--check",
     2,
     {"Die Datei \"{file}\" enthält keine vollständige Tarvek-Konfiguration.", "Es fehlt: [Error]"},
     0},
};

// The output's lines, times replaced by "ms", as they vary from run to run.
Lines LinesOf(const std::string& output)
{
    static const std::regex textTime(R"(\(\d+\.\d ms\))");
    static const std::regex jsonTime(R"("ms":\d+\.\d)");
    Lines lines;
    size_t start = 0;
    for (size_t end; (end = output.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::string line = std::regex_replace(output.substr(start, end - start), textTime, "(ms)");
        lines.push_back(std::regex_replace(line, jsonTime, R"("ms":ms)"));
    }
    if (start < output.size())
        lines.push_back("unended: " + output.substr(start));
    return lines;
}

void ReplaceAll(std::string& line, const std::string& placeholder, const std::string& text)
{
    for (size_t at; (at = line.find(placeholder)) != std::string::npos;)
        line.replace(at, placeholder.size(), text);
}

std::string AccessDeniedText()
{
    char text[512] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        ERROR_ACCESS_DENIED, 0, text, sizeof text, nullptr);
    std::string message(text, length);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message;
}

Lines WithPlaceholdersFilled(Lines lines, const std::string& path)
{
    for (std::string& line : lines) {
        ReplaceAll(line, "{file}", path);
        ReplaceAll(line, "{access denied}", AccessDeniedText());
    }
    return lines;
}

size_t LinesReceived(const std::string& log)
{
    size_t count = 0;
    for (size_t at = log.find("<- "); at != std::string::npos; at = log.find("<- ", at + 3))
        ++count;
    return count;
}

class Send : public ::testing::TestWithParam<SendCase> {};

}  // namespace

TEST_P(Send, EndsWithItsExitCodeAndSaysWhy)
{
    const SendCase& test = GetParam();
    const std::string path = TestArtifactPath((std::string("send-") + test.name + ".tci").c_str());
    DeleteFileA(path.c_str());
    if (test.file)
        std::ofstream(path, std::ios::binary) << test.file;
    SimulatorProcess device;
    if (test.device) {
        ASSERT_TRUE(device.Start(DevicePort, test.device, std::string("send-") + test.name + ".log"));
    }
    AbsentPort absent(AbsentPort::Directory);
    ASSERT_TRUE(absent.InPlace());

    ChildProcess sender;
    ASSERT_TRUE(sender.Start(PathFromEnvironment("TARVEK_SEND"), "\"" + path + "\" " + test.arguments,
                             ChildProcess::Streams::Captured));
    ASSERT_TRUE(sender.WaitForEnd(SendTimeout));

    EXPECT_EQ(sender.ExitCode(), test.exitCode);
    EXPECT_EQ(LinesOf(sender.Output()), WithPlaceholdersFilled(test.output, path));
    if (test.device) {
        EXPECT_EQ(LinesReceived(device.ReadLog()), test.linesAtTheDevice);
    }
}

INSTANTIATE_TEST_SUITE_P(Outcomes, Send, ::testing::ValuesIn(SendCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A rig or the system that ends the sender while it waits must not read
// "sent": the sender says where it stopped and ends with its own code.
TEST(SendInterrupted, AQuitRequestDuringTheWaitEndsWithCodeSix)
{
    const std::string path = TestArtifactPath("send-interrupted.tci");
    std::ofstream(path, std::ios::binary) << GoodFile;
    SimulatorProcess device;
    ASSERT_TRUE(device.Start(DevicePort, "--silent", "send-interrupted.log"));
    ChildProcess sender;
    ASSERT_TRUE(sender.Start(PathFromEnvironment("TARVEK_SEND"), "\"" + path + "\" --com 13 --json",
                             ChildProcess::Streams::Captured));
    // The sender's thread takes posted messages once it has its window.
    const ULONGLONG deadline = GetTickCount64() + 10000;
    while (!PostThreadMessageA(sender.ThreadId(), WM_QUIT, 0, 0) && GetTickCount64() < deadline)
        WaitForSingleObject(sender.Handle(), 10);
    ASSERT_TRUE(sender.WaitForEnd(SendTimeout));

    EXPECT_EQ(sender.ExitCode(), 6u);
    EXPECT_EQ(LinesOf(sender.Output()),
              Lines{R"({"result":"interrupted","exit":6,"message":"Abgebrochen: tarvek-send wurde beendet, )"
                    R"(w\u00e4hrend es auf die Antwort auf Schritt 1 von 7 wartete: st 1 20.00"})"});
    EXPECT_TRUE(device.WaitForLog("<- st 1 20.00", 5000));
    EXPECT_EQ(LinesReceived(device.ReadLog()), 1u);
}
