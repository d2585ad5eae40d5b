// The about box: modal over the main window, closed with "&Ok" or Enter, and
// made afresh each time it is shown.

#include "Screenshot.h"
#include "TarvekWindow.h"
#include "WindowDriver.h"
#include "resource.h"

#include <thread>

namespace {

struct Showing {
    bool found = false;
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
    const POINT middle{(boxRectangle.left + boxRectangle.right) / 2, (boxRectangle.top + boxRectangle.bottom) / 2};
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
    // closes it with the mouse on "&Ok" or with Enter.
    Showing ShowAndClose(bool withEnter, const char* screenshot = nullptr)
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
            seen.hasPicture = SendDlgItemMessageA(box, IDC_BRASSELWALD_PICTB_1, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
            if (screenshot)
                SaveWindowScreenshot(box, screenshot);
            if (withEnter) {
                PostMessageA(seen.okButton, WM_KEYDOWN, VK_RETURN, 0x001C0001);
            } else {
                PostMessageA(seen.okButton, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
                PostMessageA(seen.okButton, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
            }
        });
        PostMessageA(Main(), WM_COMMAND, IDM_ABOUT, 0);
        PumpWaitingMessages();
        watcher.join();
        return seen;
    }
};

TEST_F(AboutBox, ClosesWithOkAndComesBackAsNewWithEnter)
{
    const Showing first = ShowAndClose(false, "about_box.png");
    ASSERT_TRUE(first.found);
    EXPECT_TRUE(first.mainWindowDisabled);
    EXPECT_TRUE(first.overTheMainWindow);
    EXPECT_EQ(first.okName, "cb_1");
    EXPECT_EQ(first.version, "Tarvek Konfigurationsprogramm Version 2.0 a");
    EXPECT_TRUE(first.hasPicture);
    EXPECT_FALSE(IsWindow(first.okButton));
    EXPECT_TRUE(IsWindowEnabled(Main()));

    const Showing second = ShowAndClose(true);
    ASSERT_TRUE(second.found);
    EXPECT_EQ(second.okName, "cb_1");
    EXPECT_EQ(second.version, first.version);
    EXPECT_NE(second.okButton, first.okButton);
    EXPECT_FALSE(IsWindow(second.okButton));
    EXPECT_TRUE(IsWindowEnabled(Main()));
}

}  // namespace
