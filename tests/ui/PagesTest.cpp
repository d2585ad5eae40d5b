// The four pages as the user meets them: their state after start-up, the
// interface choice, the offsets sent while they are adjusted, clearing the
// device's errors, and the cycle choice.

#include "DevicePartner.h"
#include "DialogWatchers.h"
#include "TarvekWindow.h"
#include "WindowDriver.h"
#include "resource.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

using Lines = std::vector<std::string>;

constexpr int OffsetPageIndex = 2;
constexpr int ErrorPageIndex = 3;

bool IsChecked(HWND box)
{
    return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

const char* const OpenFailure =
    "konnte nicht geöffnet werden.\r\n\r\nEntweder ist die Schnittstelle nicht verfügbar oder\r\n"
    "wird von einer anderen Applikation verwendet.\r\n";

// Whether a control was enabled each time the device took a line. The device
// takes its lines on the partner's thread.
class EnabledWhileAnswering {
public:
    EnabledWhileAnswering(DevicePartner& device, HWND control)
    {
        device.OnLine([this, control](const std::string&) {
            std::lock_guard<std::mutex> lock(mutex);
            seen.push_back(IsWindowEnabled(control) != FALSE);
        });
    }

    std::vector<bool> Seen()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return seen;
    }

private:
    std::mutex mutex;
    std::vector<bool> seen;
};

// A page shown, with the device's partner end open behind COM2.
template <int Page>
class PageTalkingToDevice : public TarvekWindow {
protected:
    void SetUp() override
    {
        TarvekWindow::SetUp();
        ASSERT_TRUE(device.IsOpen());
        ShowPage(Page);
    }

    // A click that sends one line: the watched window is disabled while the
    // device answers and enabled again after, and the port is closed again.
    void ExpectClickSendsWhileDisabled(const char* clicked, const char* watched, const char* line)
    {
        EnabledWhileAnswering watch(device, Control(watched));
        Click(clicked);
        EXPECT_EQ(device.Lines(), Lines{line});
        EXPECT_EQ(watch.Seen(), std::vector<bool>{false});
        EXPECT_TRUE(IsWindowEnabled(Control(watched)));
        EXPECT_TRUE(PortIsClosed());
    }

    DevicePartner device{1};  // COM2
};

// ---------------------------------------------------------------------------
// Interface page

using InterfaceChoice = TarvekWindow;

// The test prefix lists the null-modem partners COM11 to COM18 as present.
TEST_F(InterfaceChoice, OffersCom1ToCom8ThenThePresentPortsAboveInAscendingOrder)
{
    HWND combo = Control("combo_com");
    std::vector<int> numbers;
    const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int entry = 0; entry < count; ++entry) {
        char text[16] = "";
        SendMessageA(combo, CB_GETLBTEXT, entry, reinterpret_cast<LPARAM>(text));
        ASSERT_EQ(std::strncmp(text, "COM", 3), 0) << text;
        numbers.push_back(std::atoi(text + 3));
    }
    ASSERT_GE(numbers.size(), 16u);
    EXPECT_EQ(std::vector<int>(numbers.begin(), numbers.begin() + 8),
              (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_TRUE(std::ranges::is_sorted(numbers) && std::ranges::adjacent_find(numbers) == numbers.end());
    for (int partner = 11; partner <= 18; ++partner)
        EXPECT_NE(std::ranges::find(numbers, partner), numbers.end()) << partner;
    EXPECT_EQ(TextOf("combo_com"), "COM2");
}

// COM255 is no port of the test prefix: it gets its entry when chosen.
TEST_F(InterfaceChoice, SelectPortSelectsAnyPortAndNothingElse)
{
    const struct {
        int number;
        int selected;
        const char* text;
    } cases[] = {
        {8, 8, "COM8"}, {1, 1, "COM1"}, {12, 12, "COM12"}, {255, 255, "COM255"}, {256, 0, ""}, {0, 0, ""},
    };
    for (const auto& choice : cases) {
        InterfacePage().SelectPort(choice.number);
        EXPECT_EQ(InterfacePage().GetPortNumber(), choice.selected) << choice.number;
        EXPECT_EQ(TextOf("combo_com"), choice.text) << choice.number;
    }
}

TEST_F(InterfaceChoice, TheNextPressUsesTheInterfaceChosen)
{
    DevicePartner device(2);  // COM3
    ASSERT_TRUE(device.IsOpen());
    SelectEntry("combo_com", 2);
    ShowPage(OffsetPageIndex);
    Click("checkbox_rcv");
    EXPECT_EQ(device.Lines(), Lines{"sc 1 0\r\n"});
}

TEST_F(InterfaceChoice, TheChoiceIsLockedWhileTheTransferHoldsThePort)
{
    DevicePartner device(1);  // COM2
    EnabledWhileAnswering choice(device, Control("combo_com"));
    Click("tarvek_connect");
    EXPECT_EQ(choice.Seen(), std::vector<bool>(7, false));
    EXPECT_TRUE(IsWindowEnabled(Control("combo_com")));
    EXPECT_EQ(InterfacePage().GetPortNumber(), 2);
}

// The adapter of the stored port is unplugged: the choice stays, so that the
// technician sees which port the program looks for.
TEST_F(InterfaceChoice, AnAbsentStoredPortKeepsItsEntryAndTheOpenFailureNamesIt)
{
    CloseWindow();
    StoreComPort(40);
    OpenWindow();
    EXPECT_EQ(TextOf("combo_com"), "COM40");
    MessageBoxCollector errors("Tarvek Fehler");
    Click("tarvek_connect");
    EXPECT_EQ(errors.Stop(), Lines{std::string("COM40 ") + OpenFailure});
    CloseWindow();
    EXPECT_EQ(StoredComPort(), 40);
}

TEST_F(InterfaceChoice, NoChoiceNamesCom0WhenThePortCannotBeOpened)
{
    SelectEntry("combo_com", -1);
    MessageBoxCollector errors("Tarvek Fehler");
    Click("tarvek_connect");
    EXPECT_EQ(errors.Stop(), Lines{std::string("COM0 ") + OpenFailure});
    ExpectIdleLook();
}

// ---------------------------------------------------------------------------
// Offset calibration page

using OffsetCalibration = PageTalkingToDevice<OffsetPageIndex>;

TEST_F(OffsetCalibration, StartsLockedAtZero)
{
    EXPECT_EQ(TextOf("textb_rcv"), "0");
    EXPECT_EQ(TextOf("textb_trm"), "0");
    for (const char* arrow : {"pictbttn_rcvup", "pictbttn_rcvdwn", "pictbttn_trmup", "pictbttn_trmdwn"})
        EXPECT_FALSE(IsWindowEnabled(Control(arrow))) << arrow;
    EXPECT_FALSE(IsChecked(Control("checkbox_rcv")));
    EXPECT_FALSE(IsChecked(Control("checkbox_trm")));
}

TEST_F(OffsetCalibration, UnlockingSendsTheCurrentOffsetOnce)
{
    ExpectClickSendsWhileDisabled("checkbox_rcv", "TabForm3", "sc 1 0\r\n");
    EXPECT_TRUE(IsWindowEnabled(Control("pictbttn_rcvup")));
    EXPECT_TRUE(IsWindowEnabled(Control("pictbttn_rcvdwn")));
    EXPECT_FALSE(IsWindowEnabled(Control("pictbttn_trmup")));
}

TEST_F(OffsetCalibration, LockingSendsNothingAndLeavesThePortAlone)
{
    Click("checkbox_trm");
    ASSERT_EQ(device.LineCount(), 1u);
    HWND box = Control("checkbox_trm");
    PressLeftButton(box, ClientCentre(box));
    EXPECT_TRUE(PortIsClosed());
    ReleaseLeftButton(box, ClientCentre(box));
    EXPECT_FALSE(IsChecked(box));
    EXPECT_FALSE(IsWindowEnabled(Control("pictbttn_trmup")));
    EXPECT_FALSE(IsWindowEnabled(Control("pictbttn_trmdwn")));
    Click("checkbox_trm");
    EXPECT_EQ(device.Lines(), (Lines{"sc 2 0\r\n", "sc 2 0\r\n"}));
}

TEST_F(OffsetCalibration, EachClickIsAnExchangeOfItsOwn)
{
    Click("checkbox_trm");
    Lines expected{"sc 2 0\r\n"};
    for (int offset = -1; offset >= -10; --offset) {
        Click("pictbttn_trmdwn");
        EXPECT_TRUE(PortIsClosed());
        expected.push_back("sc 2 " + std::to_string(offset) + "\r\n");
    }
    EXPECT_EQ(device.Lines(), expected);
    EXPECT_EQ(TextOf("textb_trm"), "-10");
    EXPECT_EQ(OffsetPage().GetCalibration(2), -10);
    EXPECT_EQ(OffsetPage().GetCalibration(7), -10);
    EXPECT_EQ(OffsetPage().GetCalibration(1), 0);
}

TEST_F(OffsetCalibration, AnOffsetAtItsBoundIsSentAgain)
{
    OffsetPage().SetCalibration("127", "-127");
    Click("checkbox_rcv");
    Click("checkbox_trm");
    Click("pictbttn_rcvup");
    Click("pictbttn_trmdwn");
    EXPECT_EQ(device.Lines(), (Lines{"sc 1 127\r\n", "sc 2 -127\r\n", "sc 1 127\r\n", "sc 2 -127\r\n"}));
    EXPECT_EQ(TextOf("textb_rcv"), "127");
    EXPECT_EQ(TextOf("textb_trm"), "-127");
}

TEST_F(OffsetCalibration, AnOffsetFromAFileOutsideTheRangeIsKept)
{
    OffsetPage().SetCalibration("200", " -3x");
    EXPECT_EQ(TextOf("textb_rcv"), "200");
    EXPECT_EQ(TextOf("textb_trm"), "-3");
    Click("checkbox_rcv");
    Click("pictbttn_rcvup");
    EXPECT_EQ(TextOf("textb_rcv"), "200");
    Click("pictbttn_rcvdwn");
    EXPECT_EQ(device.Lines(), (Lines{"sc 1 200\r\n", "sc 1 200\r\n", "sc 1 199\r\n"}));
}

TEST_F(OffsetCalibration, ADeviceThatDoesNotAnswerLeavesThePageUsable)
{
    device.AnswerFirst(1);
    Click("checkbox_rcv");
    MessageBoxCollector timeouts("Tarvek Timeout");
    Click("pictbttn_rcvup");
    EXPECT_EQ(timeouts.Stop().size(), 1u);
    EXPECT_EQ(TextOf("textb_rcv"), "1");
    EXPECT_TRUE(IsWindowEnabled(Control("TabForm3")));
    EXPECT_TRUE(PortIsClosed());
}

TEST_F(OffsetCalibration, KeyboardClicksOpenThePortThemselves)
{
    PressSpace("checkbox_rcv");
    EXPECT_TRUE(IsChecked(Control("checkbox_rcv")));
    PressSpace("pictbttn_rcvup");
    PressEnter("pictbttn_rcvdwn");
    EXPECT_EQ(device.Lines(), (Lines{"sc 1 0\r\n", "sc 1 1\r\n", "sc 1 0\r\n"}));
    EXPECT_TRUE(PortIsClosed());
}

// A key typed while the device is awaited must not reach the disabled page.
TEST_F(OffsetCalibration, TheFocusLeavesThePageWhileTheDeviceIsAwaited)
{
    const DWORD uiThread = GetCurrentThreadId();
    std::mutex mutex;
    bool focusInsidePage = true;
    device.OnLine([&](const std::string&) {
        GUITHREADINFO threadInfo{};
        threadInfo.cbSize = sizeof threadInfo;
        GetGUIThreadInfo(uiThread, &threadInfo);
        std::lock_guard<std::mutex> lock(mutex);
        focusInsidePage = IsChild(Control("TabForm3"), threadInfo.hwndFocus) != FALSE;
        PostMessageA(threadInfo.hwndFocus, WM_CHAR, 'x', 0x002D0001);
    });
    PressSpace("checkbox_rcv");
    PressSpace("pictbttn_rcvup");
    EXPECT_EQ(device.Lines(), (Lines{"sc 1 0\r\n", "sc 1 1\r\n"}));
    EXPECT_EQ(GetFocus(), Control("pictbttn_rcvup"));
    std::lock_guard<std::mutex> lock(mutex);
    EXPECT_FALSE(focusInsidePage);
}

TEST_F(OffsetCalibration, AKeyboardClickThatCannotOpenThePortChangesNothing)
{
    Click("checkbox_rcv");
    SelectEntry("combo_com", -1);
    MessageBoxCollector errors("Tarvek Fehler");
    PressSpace("pictbttn_rcvup");
    PressSpace("checkbox_trm");
    EXPECT_EQ(errors.Stop(), (Lines{std::string("COM0 ") + OpenFailure, std::string("COM0 ") + OpenFailure}));
    EXPECT_EQ(TextOf("textb_rcv"), "0");
    EXPECT_FALSE(IsChecked(Control("checkbox_trm")));
    EXPECT_FALSE(IsWindowEnabled(Control("pictbttn_trmup")));
    EXPECT_EQ(device.LineCount(), 1u);
}

TEST_F(OffsetCalibration, APressThatCannotOpenThePortIsSwallowed)
{
    Click("checkbox_rcv");
    SelectEntry("combo_com", -1);
    MessageBoxCollector errors("Tarvek Fehler");
    Click("pictbttn_rcvdwn");
    Click("checkbox_trm");
    EXPECT_EQ(errors.Stop().size(), 2u);
    EXPECT_EQ(TextOf("textb_rcv"), "0");
    EXPECT_FALSE(IsChecked(Control("checkbox_trm")));
    EXPECT_EQ(device.LineCount(), 1u);
}

// ---------------------------------------------------------------------------
// Error handling page

using ErrorHandling = PageTalkingToDevice<ErrorPageIndex>;

TEST_F(ErrorHandling, StartsWithBothFlagsAndNoCyclicClearing)
{
    EXPECT_TRUE(IsChecked(Control("checkbox_errhndl")));
    EXPECT_TRUE(IsChecked(Control("checkbox_errmem")));
    EXPECT_EQ(TextOf("combo_cycle"), "-");
    EXPECT_EQ(SendMessageA(Control("combo_cycle"), CB_GETCOUNT, 0, 0), 14);
    EXPECT_TRUE(ErrorPage().IsErrorHandlingEnabled());
    ErrorPage().SetErrorMemoryEnabled(false);
    EXPECT_FALSE(IsChecked(Control("checkbox_errmem")));
    EXPECT_FALSE(ErrorPage().IsErrorMemoryEnabled());
}

TEST_F(ErrorHandling, SelectCycleTakesTheFirstEntryThatBeginsWithTheText)
{
    const struct {
        const char* text;
        int index;
        const char* shown;
    } cases[] = {
        {"5", 1, "5"},     {"1", 2, "10"}, {"9", 13, "90"}, {"0", -1, "90"},
        {"100", -1, "90"}, {"-", 0, "-"},  {"6", 12, "60"},
    };
    for (const auto& choice : cases) {
        EXPECT_EQ(ErrorPage().SelectCycle(choice.text), choice.index) << choice.text;
        EXPECT_EQ(ErrorPage().GetCycleText(), choice.shown) << choice.text;
    }
}

TEST_F(ErrorHandling, ClearErrorsSendsRfWithTheButtonDisabledMeanwhile)
{
    ExpectClickSendsWhileDisabled("pbx_error", "pbx_error", "rf\r\n");
    EXPECT_TRUE(IsWindowEnabled(Control("checkbox_errhndl")));
    EXPECT_EQ(TextOf("pbx_error"), "Fehler löschen");
}

TEST_F(ErrorHandling, ClearErrorsWithTheDeviceOffShowsTheTimeoutAndRecovers)
{
    device.AnswerFirst(0);
    MessageBoxCollector timeouts("Tarvek Timeout");
    Click("pbx_error");
    EXPECT_EQ(timeouts.Stop().size(), 1u);
    EXPECT_TRUE(IsWindowEnabled(Control("pbx_error")));
    EXPECT_TRUE(PortIsClosed());
}

TEST_F(ErrorHandling, ClearErrorsFromTheKeyboard)
{
    PressSpace("pbx_error");
    PressEnter("pbx_error");
    EXPECT_EQ(device.Lines(), (Lines{"rf\r\n", "rf\r\n"}));
    EXPECT_EQ(GetFocus(), Control("pbx_error"));
}

TEST_F(ErrorHandling, ClearErrorsButtonShowsItsPictureCaptionAndToolTip)
{
    HWND button = Control("pbx_error");
    EXPECT_NE(SendMessageA(button, BM_GETIMAGE, IMAGE_ICON, 0), 0);
    auto* picture = FindNamedObject<WPictureButtonEx>(Main(), "pbx_error");
    EXPECT_EQ(picture->GetIcon().GetWidth(), 32);
    // The tool tip is made when the mouse first comes over the button.
    SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
    HWND toolTip = nullptr;
    while ((toolTip = FindWindowExA(nullptr, toolTip, "tooltips_class32", nullptr))) {
        char text[64] = "";
        TTTOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = GetParent(button);
        tool.uId = reinterpret_cast<UINT_PTR>(button);
        tool.lpszText = text;
        SendMessageA(toolTip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
        if (std::string(text) == "Tarvek Fehler löschen")
            break;
    }
    EXPECT_NE(toolTip, nullptr);
}

}  // namespace
