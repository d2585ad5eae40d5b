// The dispatcher: messages raise their events with their data, and the default
// handlers every window carries pass reports on to the control they concern.

#include "EventProbe.h"
#include "WModuleHandle.h"
#include "WWindow.h"
#include "resource.h"

#include <commctrl.h>
#include <commdlg.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

constexpr int32_t Answer = 7;

// What a probe saw of the last event it was called for.
struct SeenEvent {
    int calls = 0;
    WObject* source = nullptr;
    WEventID event = NullEvent;
    WMessageEventData message;
    WMouseEventData mouse;
};

// Claims every event it is called for and answers with Answer.
class ClaimingProbe : public EventProbe {
public:
    ClaimingProbe()
        : EventProbe([this](WObject* source, WEventData* data) {
              ++seen.calls;
              seen.source = source;
              seen.event = data->eventId;
              if (WMessageEventData* message = WMessageEventData::From(data))
                  seen.message = *message;
              else
                  seen.mouse = *static_cast<WMouseEventData*>(data);
              data->returnValue = Answer;
              return true;
          })
    {
    }

    SeenEvent seen;
};

bool MakeWindow(WWindow& window, DWORD extendedStyle = 0)
{
    return window.Create(nullptr, RECT{120, 120, 420, 320}, "Test", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                         extendedStyle);
}

POINT ScreenPoint(HWND window, POINT client)
{
    ClientToScreen(window, &client);
    return client;
}

LPARAM PointParameter(POINT point)
{
    return MAKELPARAM(point.x, point.y);
}

TEST(WindowDefaults, EveryWindowCarriesTheNineteenDefaultHandlers)
{
    WWindow window;
    const std::set<WEventID> expected = {
        ContextMenuEvent,  MenuSelectEvent, InitPopupMenuEvent,   PrivateMessageEvent, ControlColorEvent,
        CommandEvent,      NotifyEvent,     NeedToolTipTextEvent, DragStartEvent,      DragContinueEvent,
        DragFeedbackEvent, DragEndEvent,    DragEnterEvent,       DragOverEvent,       DragLeaveEvent,
        DragDropEvent,     DragFillEvent,   DestroyEvent,         ScrollEvent,
    };
    std::set<WEventID> found;
    for (WEventID id = 0; id < WEventCount; ++id) {
        WObject* target = nullptr;
        WEventHandlerFn handler = nullptr;
        uint32_t userData = 0;
        if (window.FindEventHandler(id, &target, &handler, &userData)) {
            found.insert(id);
            EXPECT_EQ(target, &window) << WEventName(id);
        }
    }
    EXPECT_EQ(found, expected);
}

struct MessageCase {
    std::string name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    WEventID event;
    bool resultFromRecord;  // the record's return value is the message result
    DWORD extendedStyle = 0;
};

TEST(WindowMessages, EachMessageRaisesItsEventWithTheMessage)
{
    DRAGLISTINFO drag{DL_BEGINDRAG, nullptr, {3, 4}};
    FINDREPLACEA find{};
    const std::vector<MessageCase> cases = {
        {"WM_DROPFILES", WM_DROPFILES, 0x1234, 0, DropFileEvent, false},
        {"WM_QUERYNEWPALETTE", WM_QUERYNEWPALETTE, 0, 0, QueryNewPaletteEvent, false},
        {"WM_PALETTECHANGED", WM_PALETTECHANGED, 0x55, 0, PaletteChangedEvent, false},
        {"WM_PRINT", WM_PRINT, 0x66, PRF_CLIENT, PrintEvent, false},
        {"WM_PRINTCLIENT", WM_PRINTCLIENT, 0x77, PRF_CLIENT, PrintClientEvent, false},
        {"commdlg_FindReplace", WWindow::FindReplaceMessage(), 0, reinterpret_cast<LPARAM>(&find),
         FindReplaceEvent, false},
        {"commctrl_DragListMsg", WWindow::DragListMessage(), 101, reinterpret_cast<LPARAM>(&drag),
         DragStartEvent, true},
        {"WM_CONTEXTMENU", WM_CONTEXTMENU, 0, MAKELPARAM(200, 200), ContextMenuEvent, false},
        {"WM_CONTEXTMENU with context help", WM_CONTEXTMENU, 0, MAKELPARAM(200, 200), ContextHelpEvent, false,
         WS_EX_CONTEXTHELP},
        {"WM_CTLCOLORSTATIC", WM_CTLCOLORSTATIC, 0x88, 0, ControlColorEvent, true},
    };
    for (const MessageCase& test : cases) {
        WWindow window;
        ASSERT_TRUE(MakeWindow(window, test.extendedStyle)) << test.name;
        ClaimingProbe probe;
        probe.Listen(window, test.event);
        const LRESULT result = window.Send(test.message, test.wParam, test.lParam);
        EXPECT_EQ(probe.seen.calls, 1) << test.name;
        EXPECT_EQ(probe.seen.event, test.event) << test.name;
        EXPECT_EQ(probe.seen.message.window, window.GetHandle()) << test.name;
        EXPECT_EQ(probe.seen.message.message, test.message) << test.name;
        EXPECT_EQ(probe.seen.message.wParam, test.wParam) << test.name;
        EXPECT_EQ(probe.seen.message.lParam, test.lParam) << test.name;
        EXPECT_EQ(result, test.resultFromRecord ? Answer : 0) << test.name;
    }
}

struct ButtonCase {
    UINT message;
    WEventID event;
};

TEST(WindowMessages, NonClientButtonsRaiseTheButtonEventsInClientCoordinates)
{
    const ButtonCase cases[] = {
        {WM_NCLBUTTONDOWN, LeftButtonDownEvent},       {WM_NCLBUTTONUP, LeftButtonUpEvent},
        {WM_NCLBUTTONDBLCLK, LeftButtonDoubleEvent},   {WM_NCRBUTTONDOWN, RightButtonDownEvent},
        {WM_NCRBUTTONUP, RightButtonUpEvent},          {WM_NCRBUTTONDBLCLK, RightButtonDoubleEvent},
        {WM_NCMBUTTONDOWN, MiddleButtonDownEvent},     {WM_NCMBUTTONUP, MiddleButtonUpEvent},
        {WM_NCMBUTTONDBLCLK, MiddleButtonDoubleEvent},
    };
    WWindow window;
    ASSERT_TRUE(MakeWindow(window));
    const POINT onCaption = ScreenPoint(window.GetHandle(), POINT{30, -6});
    for (const ButtonCase& test : cases) {
        ClaimingProbe probe;
        probe.Listen(window, test.event);
        window.Send(test.message, HTCAPTION, PointParameter(onCaption));
        EXPECT_EQ(probe.seen.calls, 1) << WEventName(test.event);
        EXPECT_EQ(probe.seen.mouse.x, 30) << WEventName(test.event);
        EXPECT_EQ(probe.seen.mouse.y, -6) << WEventName(test.event);
        EXPECT_EQ(probe.seen.mouse.window, window.GetHandle()) << WEventName(test.event);
        probe.StopListening(window, test.event);
    }
}

TEST(WindowMessages, ControlWithKeyHandlersAsksForEnterButNotForTab)
{
    WWindow window;
    ASSERT_TRUE(MakeWindow(window));
    MSG enter{window.GetHandle(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    MSG tab{window.GetHandle(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    auto asks = [&](MSG& key) {
        return (window.Send(WM_GETDLGCODE, key.wParam, reinterpret_cast<LPARAM>(&key)) & DLGC_WANTMESSAGE) != 0;
    };
    EXPECT_FALSE(asks(enter));
    CountingProbe keys;
    keys.Listen(window, KeyDownEvent);
    EXPECT_TRUE(asks(enter));
    EXPECT_FALSE(asks(tab));
}

struct PassedCase {
    std::string name;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    WEventID event;
    bool resultFromRecord;
};

TEST(WindowDefaults, ReportsToTheParentReachTheControlTheyConcern)
{
    WWindow parent;
    ASSERT_TRUE(MakeWindow(parent));
    WWindow child;
    ASSERT_TRUE(child.Create(&parent, RECT{10, 10, 110, 60}, "", WS_CHILD | WS_VISIBLE, 0, 101));
    HWND control = child.GetHandle();
    DRAGLISTINFO drop{DL_DROPPED, control, {5, 6}};
    const POINT overChild = ScreenPoint(parent.GetHandle(), POINT{40, 30});
    const std::vector<PassedCase> cases = {
        {"WM_CTLCOLORSTATIC", WM_CTLCOLORSTATIC, 0x99, reinterpret_cast<LPARAM>(control), ControlColorEvent,
         true},
        {"WM_HSCROLL", WM_HSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(control), ScrollEvent, false},
        {"commctrl_DragListMsg", WWindow::DragListMessage(), 101, reinterpret_cast<LPARAM>(&drop),
         DragDropEvent, true},
        {"WM_CONTEXTMENU", WM_CONTEXTMENU, reinterpret_cast<WPARAM>(parent.GetHandle()),
         PointParameter(overChild), ContextMenuEvent, false},
    };
    for (const PassedCase& test : cases) {
        ClaimingProbe probe;
        probe.Listen(child, test.event);
        const LRESULT result = parent.Send(test.message, test.wParam, test.lParam);
        EXPECT_EQ(probe.seen.calls, 1) << test.name;
        EXPECT_EQ(probe.seen.source, &child) << test.name;
        EXPECT_EQ(probe.seen.message.message, test.message) << test.name;
        EXPECT_EQ(probe.seen.message.lParam, test.lParam) << test.name;
        EXPECT_EQ(result, test.resultFromRecord ? Answer : 0) << test.name;
        probe.StopListening(child, test.event);
    }
}

TEST(WindowDefaults, FindDialogNotificationGoesToTheWindowKeptForTheDialog)
{
    WWindow owner;
    WWindow findDialog;
    WWindow searched;
    ASSERT_TRUE(MakeWindow(owner));
    ASSERT_TRUE(MakeWindow(searched));
    ASSERT_TRUE(MakeWindow(findDialog));
    SetActiveWindow(findDialog.GetHandle());
    ASSERT_EQ(GetActiveWindow(), findDialog.GetHandle());
    const WString property = WWindow::FindReplaceTargetProperty(findDialog.GetHandle());
    SetPropA(owner.GetHandle(), property.GetText(), searched.GetHandle());
    ClaimingProbe atOwner;
    ClaimingProbe atSearched;
    atOwner.Listen(owner, FindReplaceEvent);
    atSearched.Listen(searched, FindReplaceEvent);
    FINDREPLACEA find{};
    owner.Send(WWindow::FindReplaceMessage(), 0, reinterpret_cast<LPARAM>(&find));
    RemovePropA(owner.GetHandle(), property.GetText());
    EXPECT_EQ(atOwner.seen.calls, 0);
    EXPECT_EQ(atSearched.seen.calls, 1);
    EXPECT_EQ(atSearched.seen.message.lParam, reinterpret_cast<LPARAM>(&find));
}

int32_t IconWidth(HICON icon)
{
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return 0;
    BITMAP bitmap{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

// The class icon is shared by every window of the framework's class: the
// test puts it back.
TEST(WindowIcon, BothSizesGoToTheWindowAndTheClassIconOnlyWhenAsked)
{
    WWindow window;
    ASSERT_TRUE(MakeWindow(window));
    HWND handle = window.GetHandle();
    const ULONG_PTR classIcon = GetClassLongPtrA(handle, GCLP_HICON);

    ASSERT_TRUE(window.SetIcon(false, IDI_TARVEK, WModuleHandle()));
    const auto big = reinterpret_cast<HICON>(SendMessageA(handle, WM_GETICON, ICON_BIG, 0));
    const auto small = reinterpret_cast<HICON>(SendMessageA(handle, WM_GETICON, ICON_SMALL, 0));
    EXPECT_EQ(IconWidth(big), GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(IconWidth(small), GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(GetClassLongPtrA(handle, GCLP_HICON), classIcon);

    ASSERT_TRUE(window.SetIcon(true, IDI_TARVEK, WModuleHandle()));
    EXPECT_NE(GetClassLongPtrA(handle, GCLP_HICON), classIcon);
    SetClassLongPtrA(handle, GCLP_HICON, static_cast<LONG_PTR>(classIcon));

    WWindow withoutWindow;
    EXPECT_FALSE(withoutWindow.SetIcon(false, IDI_TARVEK, WModuleHandle()));
}

}  // namespace
