// The configuration transfer driven through the transfer button, against the
// device played on the partner port of COM2 (the interface chosen at start).

#include "DevicePartner.h"
#include "DialogWatchers.h"
#include "TarvekWindow.h"
#include "WindowDriver.h"
#include "resource.h"

#include <mutex>

namespace {

using Lines = std::vector<std::string>;

const Lines DefaultTransfer = {
    "st 1 0.0\r\n", "st 2 100.0\r\n", "st 3 0.0\r\n", "st 4 100.0\r\n", "ee 1\r\n", "em 1\r\n", "cf 0\r\n",
};

// What the test saw while the device held a line unanswered.
class Observations {
public:
    void Add(std::string seen)
    {
        std::lock_guard<std::mutex> lock(mutex);
        items.push_back(std::move(seen));
    }
    Lines Get()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return items;
    }

private:
    std::mutex mutex;
    Lines items;
};

class Transfer : public TarvekWindow {
protected:
    void SetUp() override
    {
        TarvekWindow::SetUp();
        ASSERT_TRUE(device.IsOpen());
    }

    void SetThresholds(const char* upper1, const char* lower1, const char* upper2, const char* lower2)
    {
        SetTextOf("textb_threshold1_upper", upper1);
        SetTextOf("textb_threshold1_lower", lower1);
        SetTextOf("textb_threshold2_upper", upper2);
        SetTextOf("textb_threshold2_lower", lower2);
    }

    DevicePartner device{1};  // COM2
};

TEST_F(Transfer, SendsTheSevenLinesLowerBeforeUpperAndReturnsToIdle)
{
    SetThresholds("80", "-20.5", " 50", "50");
    Click("tarvek_connect");
    EXPECT_EQ(device.Lines(), (Lines{"st 1 -20.5\r\n", "st 2 80\r\n", "st 3 50\r\n", "st 4  50\r\n", "ee 1\r\n",
                                     "em 1\r\n", "cf 0\r\n"}));
    ExpectIdleLook();
}

TEST_F(Transfer, ShowsTheProgressOfTheLastAnsweredStepWhileTheNextIsAwaited)
{
    Observations status;
    device.OnLine([&](const std::string&) { status.Add(StatusText()); });
    Click("tarvek_connect");
    EXPECT_EQ(status.Get(),
              (Lines{"Verbindung zu Tarvek wird hergestellt.", "Übertrage Schwellwert 1",
                     "Übertrage Schwellwert 2", "Übertrage Schwellwert 3", "Übertrage Schwellwert 4",
                     "Übertrage Fehlerbehandlung 1", "Übertrage Fehlerbehandlung 2"}));
    EXPECT_EQ(StatusText(), "");
}

TEST_F(Transfer, SendsTheErrorHandlingPageAsItStands)
{
    SendMessageA(Control("checkbox_errhndl"), BM_SETCHECK, BST_UNCHECKED, 0);
    SendMessageA(Control("checkbox_errmem"), BM_SETCHECK, BST_UNCHECKED, 0);
    SelectEntry("combo_cycle", 13);
    Click("tarvek_connect");
    const Lines lines = device.Lines();
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(Lines(lines.begin() + 4, lines.end()), (Lines{"ee 0\r\n", "em 0\r\n", "cf 90\r\n"}));
}

// What the user types meanwhile cannot reach the device unvalidated.
TEST_F(Transfer, SendsTheThresholdTextsAsTheyWereValidated)
{
    device.OnLine([&](const std::string& line) {
        if (line.rfind("st 1", 0) == 0)
            SetThresholds("abc", "", "1000", "50,5");
    });
    Click("tarvek_connect");
    EXPECT_EQ(device.Lines(), DefaultTransfer);
}

struct ValidationCase {
    const char* name;
    const char* thresholds[4];
    const char* message;
};

const ValidationCase ValidationCases[] = {
    {"AboveTheRange",
     {"100.01", "0.0", "100.0", "0.0"},
     "Der obere Schwellwert des 1. Komperators muß zwisch -100.0 und 100.0 liegen.\r\n\r\n"},
    {"EmptyText",
     {"100.0", "0.0", "100.0", ""},
     "Der untere Schwellwert des 2. Komperators muß zwisch -100.0 und 100.0 liegen.\r\n\r\n"},
    {"DecimalComma",
     {"100.0", "0.0", "50,5", "0.0"},
     "Der obere Schwellwert des 2. Komperators muß zwisch -100.0 und 100.0 liegen.\r\n\r\n"},
    {"FirstRangeFailureOnly",
     {"100.0", "x", "200", "0.0"},
     "Der untere Schwellwert des 1. Komperators muß zwisch -100.0 und 100.0 liegen.\r\n\r\n"},
    {"RangeBeforeOrder",
     {"10", "20", "-100.5", "0.0"},
     "Der obere Schwellwert des 2. Komperators muß zwisch -100.0 und 100.0 liegen.\r\n\r\n"},
    {"OrderOfComparator1First",
     {"10", "20", "10", "20"},
     "Der obere Schwellwert muß größer als der untere Schwellwert sein (Komperator 1).\r\n\r\n"},
    {"OrderOfComparator2",
     {"100", "-100", "-0.5", "0"},
     "Der obere Schwellwert muß größer als der untere Schwellwert sein (Komperator 2).\r\n\r\n"},
};

class RefusedTransfer : public Transfer, public ::testing::WithParamInterface<ValidationCase> {};

TEST_P(RefusedTransfer, ShowsOneMessageSendsNothingAndReturnsToIdle)
{
    const ValidationCase& refused = GetParam();
    SetThresholds(refused.thresholds[0], refused.thresholds[1], refused.thresholds[2], refused.thresholds[3]);
    MessageBoxCollector errors("Tarvek Fehler");
    Click("tarvek_connect");
    EXPECT_EQ(errors.Stop(), Lines{refused.message});
    ExpectIdleLook();

    // The next transfer's lines are the first the device ever sees.
    SetThresholds("100.0", "-100.0", "50", "50");
    Click("tarvek_connect");
    const Lines lines = device.Lines();
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "st 1 -100.0\r\n");
}

INSTANTIATE_TEST_SUITE_P(Thresholds, RefusedTransfer, ::testing::ValuesIn(ValidationCases),
                         [](const auto& info) { return std::string(info.param.name); });

const char* const TimeoutText =
    "Zeitüberschreitung!\r\n\r\nTarvek antwortet nicht auf die übertragenen Konfigurationsdaten.\r\n";

TEST_F(Transfer, StopsAfterTheFirstTimeout)
{
    device.AnswerFirst(3);
    MessageBoxCollector timeouts("Tarvek Timeout", IDOK, "timeout_message.png");
    Click("tarvek_connect");
    EXPECT_EQ(timeouts.Stop(), Lines{TimeoutText});
    EXPECT_EQ(device.Lines(), Lines(DefaultTransfer.begin(), DefaultTransfer.begin() + 4));
    ExpectIdleLook();
}

TEST_F(Transfer, ADeviceThatNeverAnswersGetsOneLine)
{
    device.AnswerFirst(0);
    MessageBoxCollector timeouts("Tarvek Timeout");
    Click("tarvek_connect");
    EXPECT_EQ(timeouts.Stop().size(), 1u);
    EXPECT_EQ(device.Lines(), Lines{"st 1 0.0\r\n"});
    ExpectIdleLook();
}

TEST_F(Transfer, PressShowsTheConnectionUntilTheRelease)
{
    HWND button = Control("tarvek_connect");
    PressLeftButton(button, ClientCentre(button));
    EXPECT_TRUE(ShowsIcon(button, IDI_PLUG_CONNECTED));
    EXPECT_FALSE(IsWindowEnabled(Control("combo_com")));
    EXPECT_EQ(StatusText(), Tarvek::ConnectingText);
    EXPECT_FALSE(PortIsClosed());
    ReleaseLeftButton(button, ClientCentre(button));
    EXPECT_EQ(device.LineCount(), 7u);
    ExpectIdleLook();
}

// A click from the keyboard comes without a press: it opens the port itself.
TEST_F(Transfer, KeyboardClickTransfersLikeTheMouse)
{
    PressSpace("tarvek_connect");
    EXPECT_EQ(device.Lines(), DefaultTransfer);
    ExpectIdleLook();

    PressEnter("tarvek_connect");
    EXPECT_EQ(device.LineCount(), 14u);
    ExpectIdleLook();
}

TEST_F(Transfer, KeyboardClickThatCannotOpenThePortOnlyReportsIt)
{
    SelectEntry("combo_com", -1);
    SetThresholds("200", "0", "0", "0");
    MessageBoxCollector errors("Tarvek Fehler");
    PressSpace("tarvek_connect");
    const Lines shown = errors.Stop();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].rfind("COM0 konnte nicht geöffnet werden.", 0), 0u) << shown[0];
    ExpectIdleLook();
}

}  // namespace
