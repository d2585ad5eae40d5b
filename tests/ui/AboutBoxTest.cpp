// The about box: modal over the main window, closed with "&Ok", Enter or
// Escape, and made afresh each time it is shown.

#include "Screenshot.h"
#include "TarvekWindow.h"
#include "WindowDriver.h"
#include "resource.h"

#include <thread>

namespace {

enum class Closing { WithMouse, WithEnter, WithEscape };

struct Showing {
    bool found = false;
    bool closedAsAsked = false;
    bool mainWindowDisabled = false;
    HWND okButton = nullptr;
    std::string okName;
    std::string version;
    bool hasPicture = false;
    bool overTheMainWindow = false;
};

// The middle of the box lies within the main window.
bool LiesOver(HWND box, HWND main)
{
    RECT boxRectangle{};
    RECT mainRectangle{};
    GetWindowRect(box, &boxRectangle);
    GetWindowRect(main, &mainRectangle);
    const POINT middle{(boxRectangle.left + boxRectangle.right) / 2,
                       (boxRectangle.top + boxRectangle.bottom) / 2};
    return PtInRect(&mainRectangle, middle) != FALSE;
}

std::string TextOfItem(HWND dialog, int id)
{
    char text[128] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

class AboutBox : public TarvekWindow {
protected:
    // Shows the box through its menu command; a watcher looks at it and
    // closes it as asked. A box that stays is closed with "&Ok" after all,
    // so that the test goes on.
    Showing ShowAndClose(Closing closing, const char* screenshot = nullptr)
    {
        Showing seen;
        std::thread watcher([&, main = Main()] {
            HWND box = FindTopLevelWindow("Brasselwald GmbH", "#32770", 10000);
            if (!box)
                return;
            seen.found = true;
            seen.mainWindowDisabled = !IsWindowEnabled(main);
            seen.overTheMainWindow = LiesOver(box, main);
            seen.okButton = GetDlgItem(box, IDC_BRASSELWALD_CB_1);
            WWindow* ok = WWindow::FromHandle(seen.okButton);
            seen.okName = ok ? ok->GetName().GetText() : "";
            seen.version = TextOfItem(box, IDC_BRASSELWALD_LABEL_2);
            seen.hasPicture =
                SendDlgItemMessageA(box, IDC_BRASSELWALD_PICTB_1, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
            if (screenshot)
                SaveWindowScreenshot(box, screenshot);
            Close(seen.okButton, closing);
            seen.closedAsAsked = PumpMessagesUntil([box] { return !IsWindow(box); });
            if (!seen.closedAsAsked)
                Close(seen.okButton, Closing::WithMouse);
        });
        PostMessageA(Main(), WM_COMMAND, IDM_ABOUT, 0);
        PumpWaitingMessages();
        watcher.join();
        return seen;
    }

    static void Close(HWND okButton, Closing closing)
    {
        switch (closing) {
        case Closing::WithMouse:
            PostMessageA(okButton, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
            PostMessageA(okButton, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
            break;
        case Closing::WithEnter:
            PostMessageA(okButton, WM_KEYDOWN, VK_RETURN, 0x001C0001);
            break;
        case Closing::WithEscape:
            PostMessageA(okButton, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
            break;
        }
    }
};

TEST_F(AboutBox, ClosesWithOkAndComesBackAsNewWithEnter)
{
    const Showing first = ShowAndClose(Closing::WithMouse, "about_box.png");
    ASSERT_TRUE(first.found);
    EXPECT_TRUE(first.closedAsAsked);
    EXPECT_TRUE(first.mainWindowDisabled);
    EXPECT_TRUE(first.overTheMainWindow);
    EXPECT_EQ(first.okName, "cb_1");
    EXPECT_EQ(first.version, "Tarvek Konfigurationsprogramm Version 2.0 a");
    EXPECT_TRUE(first.hasPicture);
    EXPECT_FALSE(IsWindow(first.okButton));
    EXPECT_TRUE(IsWindowEnabled(Main()));

    const Showing second = ShowAndClose(Closing::WithEnter);
    ASSERT_TRUE(second.found);
    EXPECT_TRUE(second.closedAsAsked);
    EXPECT_EQ(second.okName, "cb_1");
    EXPECT_EQ(second.version, first.version);
    EXPECT_NE(second.okButton, first.okButton);
    EXPECT_FALSE(IsWindow(second.okButton));
    EXPECT_TRUE(IsWindowEnabled(Main()));
}

TEST_F(AboutBox, ClosesWithEscapeAsEveryBoxWithASingleButton)
{
    const Showing showing = ShowAndClose(Closing::WithEscape);
    ASSERT_TRUE(showing.found);
    EXPECT_TRUE(showing.closedAsAsked);
    EXPECT_TRUE(IsWindowEnabled(Main()));
}

}  // namespace
