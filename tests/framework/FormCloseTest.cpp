// Closing and loading forms: the close request runs through QueryCloseEvent and
// CloseEvent before the default processing; loading reports its failures.

#include "ControlToolTip.h"
#include "EventProbe.h"
#include "WControl.h"
#include "WErrors.h"
#include "WModelessDialog.h"
#include "WModuleHandle.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// A plain top-level form: the host's default processing of its close request
// destroys it, so a test can tell whether the default processing ran.
class PlainForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(
            form.Create(nullptr, RECT{100, 100, 300, 250}, "Schließen", WS_OVERLAPPEDWINDOW | WS_VISIBLE));
        queries.Listen(form, QueryCloseEvent);
        closes.Listen(form, CloseEvent);
    }

    bool CloseAndWaitForQuery()
    {
        EXPECT_TRUE(form.Close());
        return PumpMessagesUntil([&] { return queries.count > 0; });
    }

    WForm form;
    CountingProbe queries;
    CountingProbe closes;
};

TEST_F(PlainForm, UnhandledCloseRaisesBothEventsAndDestroysTheWindow)
{
    ASSERT_TRUE(CloseAndWaitForQuery());
    EXPECT_EQ(closes.count, 1);
    EXPECT_EQ(form.GetHandle(), nullptr);
}

TEST_F(PlainForm, ClaimedQueryCloseKeepsCloseEventFromBeingRaised)
{
    queries.answer = true;
    ASSERT_TRUE(CloseAndWaitForQuery());
    PumpWaitingMessages();
    EXPECT_EQ(closes.count, 0);
    EXPECT_NE(form.GetHandle(), nullptr);
}

TEST_F(PlainForm, ClaimedCloseEventWithoutDestroyingLeavesTheFormOpen)
{
    closes.answer = true;
    ASSERT_TRUE(CloseAndWaitForQuery());
    PumpWaitingMessages();
    EXPECT_EQ(closes.count, 1);
    ASSERT_NE(form.GetHandle(), nullptr);
    EXPECT_TRUE(IsWindowVisible(form.GetHandle()));
}

// A form whose CloseEvent handler deletes it. Its memory is filled as a
// debugging heap fills a freed block, so that a dispatcher that touches the
// object after its handlers deleted it fails at once instead of by chance.
class SelfDeletingForm : public WForm {
public:
    SelfDeletingForm() { AddHandler(CloseEvent, this, &SelfDeletingForm::OnClose); }

    static void* operator new(size_t size);
    static void operator delete(void* memory, size_t size) { std::memset(memory, 0xDD, size); }

private:
    bool OnClose(WObject*, WEventData*)
    {
        delete this;
        return true;
    }
};

alignas(SelfDeletingForm) unsigned char selfDeletingFormMemory[sizeof(SelfDeletingForm)];

void* SelfDeletingForm::operator new(size_t)
{
    return selfDeletingFormMemory;
}

TEST(FormDeletedByItsOwnHandler, IsNotTouchedAgainByTheDispatcher)
{
    auto* form = new SelfDeletingForm;
    ASSERT_TRUE(form->Create(nullptr, RECT{100, 100, 300, 250}, "Weg", WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    HWND window = form->GetHandle();
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpMessagesUntil([&] { return !IsWindow(window); }));
}

TEST(FormLoading, SecondLoadOfAFormFailsWithAlreadyCreated)
{
    WModelessDialog form;
    ASSERT_TRUE(form.LoadWindow(nullptr, "ID_Tarvek", WModuleHandle()));
    HWND first = form.GetHandle();
    SetLastError(0);
    EXPECT_FALSE(form.LoadWindow(nullptr, "ID_Tarvek", WModuleHandle()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(WErrorWindowAlreadyCreated));
    EXPECT_EQ(form.GetHandle(), first);
}

TEST(FormLoading, MissingTemplateFails)
{
    WModelessDialog form;
    EXPECT_FALSE(form.LoadWindow(nullptr, "ID_NoSuchForm", WModuleHandle()));
    EXPECT_EQ(form.GetHandle(), nullptr);
}

TEST(FormLoading, ControlIdMissingFromTheTemplateLeavesTheControlWithoutWindow)
{
    WModelessDialog form;
    ASSERT_TRUE(form.LoadWindow(nullptr, "ID_Tarvek", WModuleHandle()));
    WControl control;
    EXPECT_FALSE(control.LoadWindow(&form, 999, WModuleHandle()));
    EXPECT_EQ(control.GetHandle(), nullptr);
}

TEST(FormLoading, EnabledAndVisibleSetBeforeLoadingTakeEffect)
{
    WModelessDialog form;
    form.SetEnabled(false);
    form.SetVisible(false);
    ASSERT_TRUE(form.LoadWindow(nullptr, "ID_Tarvek", WModuleHandle()));
    EXPECT_FALSE(IsWindowEnabled(form.GetHandle()));
    EXPECT_FALSE(IsWindowVisible(form.GetHandle()));
    form.SetVisible(true);
    WControl button;
    button.SetEnabled(false);
    button.SetVisible(false);
    ASSERT_TRUE(button.LoadWindow(&form, 106, WModuleHandle()));
    EXPECT_FALSE(IsWindowEnabled(button.GetHandle()));
    EXPECT_FALSE(IsWindowVisible(button.GetHandle()));
}

TEST(FormLoading, DeletedControlGivesTheItemItsWindowProcedureBack)
{
    WModelessDialog form;
    ASSERT_TRUE(form.LoadWindow(nullptr, "ID_Tarvek", WModuleHandle()));
    HWND item = GetDlgItem(form.GetHandle(), 106);
    const LONG_PTR original = GetWindowLongPtrA(item, GWLP_WNDPROC);
    {
        WControl control;
        ASSERT_TRUE(control.LoadWindow(&form, 106, WModuleHandle()));
        EXPECT_NE(GetWindowLongPtrA(item, GWLP_WNDPROC), original);
        EXPECT_EQ(WWindow::FromHandle(item), &control);
    }
    EXPECT_EQ(GetWindowLongPtrA(item, GWLP_WNDPROC), original);
    EXPECT_EQ(WWindow::FromHandle(item), nullptr);
    EXPECT_TRUE(IsWindow(item));
}

// The window's own procedure, under every subclass: notes what reaches it.
std::vector<UINT> reachedOwnProcedure;

LRESULT CALLBACK OwnProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP || message == WM_NCDESTROY)
        reachedOwnProcedure.push_back(message);
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(FormLoading, DeletedControlUnderAToolTipStillPassesMessagesToItsOwnProcedure)
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &OwnProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "OwnProcedure";
    RegisterClassA(&windowClass);
    WModelessDialog form;
    ASSERT_TRUE(form.LoadWindow(nullptr, "ID_Tarvek", WModuleHandle()));
    HWND item = CreateWindowExA(0, "OwnProcedure", "", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, form.GetHandle(),
                                reinterpret_cast<HMENU>(900), GetModuleHandleA(nullptr), nullptr);
    ControlToolTip toolTip;
    {
        WControl control;
        ASSERT_TRUE(control.LoadWindow(&form, 900, WModuleHandle()));
        const LONG_PTR framework = GetWindowLongPtrA(item, GWLP_WNDPROC);
        ASSERT_TRUE(toolTip.Attach(control, "Tipp"));
        SendMessageA(item, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        ASSERT_NE(GetWindowLongPtrA(item, GWLP_WNDPROC), framework);
    }
    reachedOwnProcedure.clear();
    SendMessageA(item, WM_APP, 0, 0);
    DestroyWindow(item);
    EXPECT_EQ(reachedOwnProcedure, (std::vector<UINT>{WM_APP, WM_NCDESTROY}));
}

}  // namespace
