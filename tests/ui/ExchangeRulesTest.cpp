// One exchange with the device at a time, whichever control starts it: a press
// that ends without a click gives the port back, nothing starts inside a
// running exchange, and closing the window waits for the exchange to end, and
// for any box or dialog a handler shows, before it is carried out.

#include "DevicePartner.h"
#include "DialogWatchers.h"
#include "TarvekWindow.h"
#include "TestArtifacts.h"
#include "WindowDriver.h"
#include "resource.h"

#include <commctrl.h>

#include <atomic>
#include <memory>
#include <thread>

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

    DevicePartner device{1};  // COM2
};

// How a press can end without a click.
enum class PressEnd { ReleasedOutside, CaptureTaken };

struct AbandonedPress {
    const char* name;
    const char* control;
    int page;
    PressEnd end;
};

const AbandonedPress AbandonedPresses[] = {
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

INSTANTIATE_TEST_SUITE_P(Controls, PressWithoutClick, ::testing::ValuesIn(AbandonedPresses),
                         [](const auto& info) { return std::string(info.param.name); });

// Keyboard clicks go to a control on the page shown, as the user's would.
// A check box clicked from the keyboard is toggled before the program hears
// of it; refused, it is set back.
struct Intrusion {
    const char* name;
    int page;
    const char* keyboardTarget;
};

const Intrusion Intrusions[] = {
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
    EXPECT_EQ(device.Lines(), (Lines{"st 1 0.0\r\n", "st 2 100.0\r\n", "st 3 0.0\r\n", "st 4 100.0\r\n",
                                     "ee 1\r\n", "em 1\r\n", "cf 0\r\n"}));
    EXPECT_EQ(SendMessageA(Control("checkbox_rcv"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(Control("checkbox_trm"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_FALSE(IsWindowEnabled(Control("pictbttn_trmup")));
    ExpectIdleLook();
}

INSTANTIATE_TEST_SUITE_P(Pages, IntrusionDuringTransfer, ::testing::ValuesIn(Intrusions),
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

const CloseRequest CloseRequests[] = {
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

INSTANTIATE_TEST_SUITE_P(Requests, CloseDuringExchange, ::testing::ValuesIn(CloseRequests),
                         [](const auto& info) { return std::string(info.param.name); });

// Another program asks the main window to close (as "End task" does) while a
// box or dialog of the program runs its own loop inside a handler. The
// window and its controls stand until the box is answered; then the close is
// carried out.
class CloseDuringBox {
public:
    // title: the box's title; null for a dialog the main window owns.
    CloseDuringBox(HWND main, const char* title, int answer)
        : thread(&CloseDuringBox::Watch, this, main, title, answer)
    {
    }
    ~CloseDuringBox() { Finish(); }
    CloseDuringBox(const CloseDuringBox&) = delete;
    CloseDuringBox& operator=(const CloseDuringBox&) = delete;

    bool Done() const { return done; }
    void Finish()
    {
        if (thread.joinable())
            thread.join();
    }

    std::atomic<bool> found{false};
    std::atomic<bool> windowsStood{false};

private:
    std::atomic<bool> done{false};
    std::thread thread;

    void Watch(HWND main, const char* title, int answer)
    {
        HWND box = title ? FindTopLevelWindow(title, "#32770", 10000) : WaitForOwnedDialog(main, 10000);
        if (box) {
            found = true;
            DWORD_PTR ignored = 0;
            SendMessageTimeoutA(main, WM_CLOSE, 0, 0, SMTO_NORMAL, 5000, &ignored);
            HWND control = FindNamed(main, "tarvek_connect");
            windowsStood = IsWindow(main) && control && WWindow::FromHandle(control);
            DismissDialog(box, answer);
        }
        done = true;
    }
};

class CloseDuringModalLoop;

struct ModalLoop {
    const char* name;
    const char* title;  // null: a dialog the main window owns
    int answer;
    void (CloseDuringModalLoop::*show)();
};

class CloseDuringModalLoop : public ExchangeRules, public ::testing::WithParamInterface<ModalLoop> {
public:
    void ShowOpenFailure()
    {
        SelectEntry("combo_com", -1);
        Post("tarvek_connect", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    }
    void ShowTimeout()
    {
        device.AnswerFirst(0);
        PostMouseClick("tarvek_connect");
    }
    void ShowValidationMessage()
    {
        SetTextOf("textb_threshold1_upper", "200");
        PostMouseClick("tarvek_connect");
    }
    void ShowInfoQuestion()
    {
        const std::string path = TestArtifactPath("missing.tci");
        DeleteFileA(path.c_str());
        fileDialog = std::make_unique<FileDialogDriver>(Main(), path);
        PostCommand(IDM_OPEN_FILE);
    }
    void ShowAboutBox() { PostCommand(IDM_ABOUT); }
    void ShowFileDialog() { PostCommand(IDM_OPEN_FILE); }

private:
    std::unique_ptr<FileDialogDriver> fileDialog;
};

const ModalLoop ModalLoops[] = {
    {"OpenFailureBox", "Tarvek Fehler", IDOK, &CloseDuringModalLoop::ShowOpenFailure},
    {"TimeoutBox", "Tarvek Timeout", IDOK, &CloseDuringModalLoop::ShowTimeout},
    {"ValidationMessage", "Tarvek Fehler", IDOK, &CloseDuringModalLoop::ShowValidationMessage},
    {"InfoQuestion", "Info", IDNO, &CloseDuringModalLoop::ShowInfoQuestion},
    {"AboutBox", "Brasselwald GmbH", IDC_BRASSELWALD_CB_1, &CloseDuringModalLoop::ShowAboutBox},
    {"FileDialog", nullptr, IDCANCEL, &CloseDuringModalLoop::ShowFileDialog},
};

TEST_P(CloseDuringModalLoop, WaitsForTheLoopToEndAndIsThenCarriedOut)
{
    CloseDuringBox closer(Main(), GetParam().title, GetParam().answer);
    (this->*GetParam().show)();
    EXPECT_TRUE(PumpMessagesUntil([&] { return closer.Done(); }, 20000));
    closer.Finish();
    ASSERT_TRUE(closer.found);
    EXPECT_TRUE(closer.windowsStood);
    EXPECT_TRUE(PumpMessagesUntil([&] { return !IsOpen(); }));
}

INSTANTIATE_TEST_SUITE_P(Boxes, CloseDuringModalLoop, ::testing::ValuesIn(ModalLoops),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
