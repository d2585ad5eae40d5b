// One exchange with the device at a time, whichever control starts it: a press
// that ends without a click gives the port back, nothing starts inside a
// running exchange, and closing the window waits for the exchange to end.

#include "DevicePartner.h"
#include "DialogWatchers.h"
#include "TarvekWindow.h"
#include "WindowDriver.h"
#include "resource.h"

#include <commctrl.h>

namespace {

using Lines = std::vector<std::string>;

enum Page { InterfacePageIndex, ComparatorPageIndex, OffsetPageIndex, ErrorPageIndex, MainWindow = -1 };

class ExchangeRules : public TarvekWindow {
protected:
    void SetUp() override
    {
        TarvekWindow::SetUp();
        ASSERT_TRUE(device.IsOpen());
    }

    void Post(const char* name, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        PostMessageA(Control(name), message, wParam, lParam);
    }

    void PostMouseClick(const char* name) const
    {
        Post(name, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        Post(name, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    }

    void PostKeyboardClick(const char* name) const
    {
        Post(name, WM_KEYDOWN, VK_SPACE, 0x00390001);
        Post(name, WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001));
    }

    void PostCommand(WORD id) const { PostMessageA(Main(), WM_COMMAND, id, 0); }

    DevicePartner device{2};
};

// How a press can end without a click.
enum class PressEnd { ReleasedOutside, CaptureTaken };

struct AbandonedPress {
    const char* name;
    const char* control;
    int page;
    PressEnd end;
};

const AbandonedPress abandonedPresses[] = {
    {"TransferReleasedOutside", "tarvek_connect", MainWindow, PressEnd::ReleasedOutside},
    {"TransferCaptureTaken", "tarvek_connect", MainWindow, PressEnd::CaptureTaken},
    {"ArrowReleasedOutside", "pictbttn_rcvup", OffsetPageIndex, PressEnd::ReleasedOutside},
    {"CheckBoxReleasedOutside", "checkbox_trm", OffsetPageIndex, PressEnd::ReleasedOutside},
    {"CheckBoxCaptureTaken", "checkbox_trm", OffsetPageIndex, PressEnd::CaptureTaken},
    {"ClearErrorsReleasedOutside", "pbx_error", ErrorPageIndex, PressEnd::ReleasedOutside},
};

class PressWithoutClick : public ExchangeRules, public ::testing::WithParamInterface<AbandonedPress> {};

TEST_P(PressWithoutClick, ClosesThePortAndRestoresTheIdleLook)
{
    const AbandonedPress& press = GetParam();
    if (press.page != MainWindow)
        ShowPage(press.page);
    if (std::string(press.control) == "pictbttn_rcvup")
        Click("checkbox_rcv");
    const size_t linesBefore = device.LineCount();
    HWND control = Control(press.control);

    PressLeftButton(control, ClientCentre(control));
    ASSERT_FALSE(PortIsClosed());
    if (press.end == PressEnd::ReleasedOutside)
        ReleaseLeftButton(control, POINT{-20, -20});
    else
        ReleaseCapture();
    EXPECT_TRUE(PumpMessagesUntil([&] { return PortIsClosed(); }));
    ExpectIdleLook();
    EXPECT_EQ(TextOf("textb_rcv"), "0");
    EXPECT_EQ(TextOf("textb_trm"), "0");
    EXPECT_EQ(SendMessageA(Control("checkbox_trm"), BM_GETCHECK, 0, 0), BST_UNCHECKED);

    // The port is free again: the next click reaches the device.
    Click(press.control);
    EXPECT_EQ(device.LineCount(), linesBefore + (press.page == MainWindow ? 7 : 1));
    ExpectIdleLook();
}

INSTANTIATE_TEST_SUITE_P(Controls, PressWithoutClick, ::testing::ValuesIn(abandonedPresses),
                         [](const auto& info) { return std::string(info.param.name); });

// Keyboard clicks go to a control on the page shown, as the user's would.
// A check box clicked from the keyboard is toggled before the program hears
// of it; refused, it is set back.
struct Intrusion {
    const char* name;
    int page;
    const char* keyboardTarget;
};

const Intrusion intrusions[] = {
    {"FromTheErrorPage", ErrorPageIndex, "pbx_error"},
    {"FromTheOffsetPage", OffsetPageIndex, "checkbox_trm"},
};

class IntrusionDuringTransfer : public ExchangeRules, public ::testing::WithParamInterface<Intrusion> {};

TEST_P(IntrusionDuringTransfer, NothingStartsInsideARunningTransfer)
{
    ShowPage(GetParam().page);
    device.AnswerLate(300);
    device.OnLine([&](const std::string& line) {
        if (line != "st 1 0.0\r\n")
            return;
        PostMouseClick("tarvek_connect");
        PostKeyboardClick("tarvek_connect");
        PostMouseClick("pbx_error");
        PostMouseClick("checkbox_rcv");
        PostKeyboardClick(GetParam().keyboardTarget);
        PostCommand(IDM_OPEN_FILE);
        PostCommand(IDM_SAVE_FILE);
        PostCommand(IDM_ABOUT);
    });
    OwnedDialogCounter dialogs(Main());
    MessageBoxCollector errors("Tarvek Fehler");
    Click("tarvek_connect");
    EXPECT_EQ(dialogs.Stop(), 0);
    EXPECT_TRUE(errors.Stop().empty());
    EXPECT_EQ(device.Lines(), (Lines{"st 1 0.0\r\n", "st 2 100.0\r\n", "st 3 0.0\r\n", "st 4 100.0\r\n", "ee 1\r\n",
                                     "em 1\r\n", "cf 0\r\n"}));
    EXPECT_EQ(SendMessageA(Control("checkbox_rcv"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(Control("checkbox_trm"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_FALSE(IsWindowEnabled(Control("pictbttn_trmup")));
    ExpectIdleLook();
}

INSTANTIATE_TEST_SUITE_P(Pages, IntrusionDuringTransfer, ::testing::ValuesIn(intrusions),
                         [](const auto& info) { return std::string(info.param.name); });

// The offset page is disabled meanwhile, so only the main window can try.
TEST_F(ExchangeRules, NothingStartsInsideARunningOffsetExchange)
{
    ShowPage(OffsetPageIndex);
    device.AnswerLate(300);
    device.OnLine([&](const std::string&) {
        PostMouseClick("tarvek_connect");
        PostKeyboardClick("tarvek_connect");
        PostMouseClick("pbx_error");
        PostCommand(IDM_OPEN_FILE);
    });
    OwnedDialogCounter dialogs(Main());
    Click("checkbox_rcv");
    EXPECT_EQ(dialogs.Stop(), 0);
    EXPECT_EQ(device.Lines(), Lines{"sc 1 0\r\n"});
    ExpectIdleLook();
}

struct CloseRequest {
    const char* name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

const CloseRequest closeRequests[] = {
    {"CloseBox", WM_SYSCOMMAND, SC_CLOSE, 0},
    {"AltF4", WM_SYSKEYDOWN, VK_F4, 0x203E0001},
    {"MenuExit", WM_COMMAND, IDM_EXIT, 0},
    {"ToolbarExit", WM_COMMAND, MAKEWPARAM(IDT_EXIT, BN_CLICKED), 0},
};

class CloseDuringExchange : public ExchangeRules, public ::testing::WithParamInterface<CloseRequest> {
protected:
    void PostCloseRequest() const
    {
        const CloseRequest& request = GetParam();
        LPARAM lParam = request.lParam;
        if (request.wParam == MAKEWPARAM(IDT_EXIT, BN_CLICKED))
            lParam = reinterpret_cast<LPARAM>(FindWindowExA(Main(), nullptr, TOOLBARCLASSNAMEA, nullptr));
        PostMessageA(Main(), request.message, request.wParam, lParam);
    }
};

// The choice made meanwhile is what the registry holds afterwards: the close
// that waited stored the settings as every close does.
TEST_P(CloseDuringExchange, WaitsForTheTransferToEnd)
{
    device.AnswerLate(100);
    device.OnLine([&](const std::string& line) {
        if (line != "st 1 0.0\r\n")
            return;
        SendMessageA(Control("combo_com"), CB_SETCURSEL, 4, 0);
        PostCloseRequest();
    });
    Click("tarvek_connect");
    EXPECT_EQ(device.LineCount(), 7u);
    EXPECT_TRUE(PumpMessagesUntil([&] { return !IsOpen(); }));
    EXPECT_EQ(StoredComPort(), 5);
}

TEST_P(CloseDuringExchange, WaitsForTheOffsetExchangeToEnd)
{
    ShowPage(OffsetPageIndex);
    device.AnswerLate(100);
    device.OnLine([&](const std::string&) { PostCloseRequest(); });
    Click("checkbox_rcv");
    EXPECT_EQ(device.Lines(), Lines{"sc 1 0\r\n"});
    EXPECT_TRUE(PumpMessagesUntil([&] { return !IsOpen(); }));
    EXPECT_EQ(StoredComPort(), 2);
}

INSTANTIATE_TEST_SUITE_P(Requests, CloseDuringExchange, ::testing::ValuesIn(closeRequests),
                         [](const auto& info) { return std::string(info.param.name); });

// The close waits for a command's own dialog too, so that the command never
// goes on in a window that is gone.
TEST_F(ExchangeRules, CloseWaitsForTheFileDialog)
{
    std::thread closer([main = Main()] {
        const ULONGLONG deadline = GetTickCount64() + 10000;
        HWND dialog = nullptr;
        while (!(dialog = FindOwnedDialog(main)) && GetTickCount64() < deadline)
            Sleep(10);
        // One queue: the window's close request is handled before the dialog's.
        PostMessageA(main, WM_CLOSE, 0, 0);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
    });
    PostCommand(IDM_OPEN_FILE);
    EXPECT_TRUE(PumpMessagesUntil([&] { return !IsOpen(); }));
    closer.join();
}

}  // namespace
