// The window message dispatcher: three tables, one row per message number,
// name the message handler of each message and the event it raises. Empty rows
// are messages the framework leaves to the default processing.

#include "WWindow.h"

#include "WThreadRecord.h"

#include <commctrl.h>

#include <array>
#include <initializer_list>

namespace {

// The control-colour message of the 16-bit host, still sent by some controls.
constexpr UINT WM_CTLCOLOR = 0x0019;

// Keeps the thread's list of messages under way right on every way out of
// the dispatcher.
class MessageScope {
public:
    explicit MessageScope(const WObject* window)
        : thread(WCurrentThreadRecord()), frame{window, true, false, thread.messageFrames}
    {
        thread.messageFrames = &frame;
    }

    ~MessageScope() { thread.messageFrames = frame.outer; }

    MessageScope(const MessageScope&) = delete;
    MessageScope& operator=(const MessageScope&) = delete;

    const WMessageFrame& Frame() const { return frame; }
    void BeginHandling() { frame.handling = true; }

    // Once the last handler of the thread has returned, the close requests
    // that waited for it are posted again.
    void EndHandling()
    {
        frame.handling = false;
        if (thread.closesWaiting.empty() || WHandlersRunning(thread.messageFrames))
            return;
        std::vector<HWND> waiting;
        waiting.swap(thread.closesWaiting);
        for (HWND window : waiting) {
            if (IsWindow(window))
                PostMessageA(window, WM_CLOSE, 0, 0);
        }
    }

private:
    WThreadRecord& thread;
    WMessageFrame frame;
};

// The key flags a client-area mouse message carries, read from the keyboard state.
WPARAM CurrentMouseKeys()
{
    struct KeyFlag {
        int key;
        WPARAM flag;
    };
    static constexpr KeyFlag keyFlags[] = {
        {VK_LBUTTON, MK_LBUTTON}, {VK_RBUTTON, MK_RBUTTON}, {VK_MBUTTON, MK_MBUTTON},
        {VK_SHIFT, MK_SHIFT},     {VK_CONTROL, MK_CONTROL}, {VK_MENU, MK_ALT},
    };
    WPARAM keys = 0;
    for (const KeyFlag& keyFlag : keyFlags) {
        if (GetKeyState(keyFlag.key) < 0)
            keys |= keyFlag.flag;
    }
    return keys;
}

}  // namespace

bool WWindow::Message::WindowAlive() const
{
    return frame == nullptr || frame->windowAlive;
}

template <UINT First, UINT Last>
constexpr auto WWindow::MessageRows(std::initializer_list<MessageBinding> bindings)
{
    std::array<MessageRow, Last - First + 1> rows{};
    for (const MessageBinding& binding : bindings)
        rows[binding.message - First] = MessageRow{binding.handler, binding.event};
    return rows;
}

const WWindow::MessageRow* WWindow::FindMessageRow(UINT message)
{
    // NullEvent marks handlers that run whatever handlers exist: they do the
    // framework's own work for the message besides raising events.
    static constexpr auto windowRows = MessageRows<0x0000, 0x00A9>({
        {WM_CREATE, &WWindow::OnEventMessage, CreateEvent},
        {WM_DESTROY, &WWindow::OnEventMessage, DestroyEvent},
        {WM_MOVE, &WWindow::OnEventMessage, MoveEvent},
        {WM_SIZE, &WWindow::OnSizeMessage, NullEvent},
        {WM_ACTIVATE, &WWindow::OnActivateMessage, NullEvent},
        {WM_SETFOCUS, &WWindow::OnEventMessage, GotFocusEvent},
        {WM_KILLFOCUS, &WWindow::OnEventMessage, LostFocusEvent},
        {WM_PAINT, &WWindow::OnEventMessage, PaintEvent},
        {WM_CLOSE, &WWindow::OnCloseMessage, NullEvent},
        {WM_QUERYENDSESSION, &WWindow::OnEventMessage, QueryEndSessionEvent},
        {WM_ERASEBKGND, &WWindow::OnEventMessage, EraseBackgroundEvent},
        {WM_SYSCOLORCHANGE, &WWindow::OnEventMessage, SysColorChangeEvent},
        {WM_ENDSESSION, &WWindow::OnEventMessage, EndSessionEvent},
        {WM_SHOWWINDOW, &WWindow::OnShowWindowMessage, NullEvent},
        {WM_CTLCOLOR, &WWindow::OnRecordResultMessage, ControlColorEvent},
        {WM_SETTINGCHANGE, &WWindow::OnEventMessage, SettingChangeEvent},
        {WM_SETCURSOR, &WWindow::OnEventMessage, GetCursorEvent},
        {WM_DRAWITEM, &WWindow::OnEventMessage, DrawItemEvent},
        {WM_MEASUREITEM, &WWindow::OnEventMessage, MeasureItemEvent},
        {WM_DELETEITEM, &WWindow::OnEventMessage, DeleteItemEvent},
        {WM_COMPAREITEM, &WWindow::OnEventMessage, CompareItemEvent},
        {WM_WINDOWPOSCHANGING, &WWindow::OnEventMessage, PositionChangingEvent},
        {WM_WINDOWPOSCHANGED, &WWindow::OnEventMessage, PositionChangedEvent},
        {WM_POWER, &WWindow::OnEventMessage, PowerBroadcastEvent},
        {WM_NOTIFY, &WWindow::OnRecordResultMessage, NotifyEvent},
        {WM_INPUTLANGCHANGEREQUEST, &WWindow::OnEventMessage, InputLangChangeRequestEvent},
        {WM_INPUTLANGCHANGE, &WWindow::OnEventMessage, InputLangChangeEvent},
        {WM_HELP, &WWindow::OnEventMessage, HelpEvent},
        {WM_USERCHANGED, &WWindow::OnEventMessage, UserChangedEvent},
        {WM_GETDLGCODE, &WWindow::OnDialogCodeMessage, NullEvent},
        {WM_CONTEXTMENU, &WWindow::OnContextMenuMessage, NullEvent},
        {WM_DISPLAYCHANGE, &WWindow::OnEventMessage, DisplayChangeEvent},
        {WM_NCDESTROY, &WWindow::OnNonClientDestroyMessage, NullEvent},
        {WM_NCHITTEST, &WWindow::OnRecordResultMessage, HitTestEvent},
        {WM_NCPAINT, &WWindow::OnEventMessage, NonClientPaintEvent},
        {WM_NCLBUTTONDOWN, &WWindow::OnNonClientMouseMessage, LeftButtonDownEvent},
        {WM_NCLBUTTONUP, &WWindow::OnNonClientMouseMessage, LeftButtonUpEvent},
        {WM_NCLBUTTONDBLCLK, &WWindow::OnNonClientMouseMessage, LeftButtonDoubleEvent},
        {WM_NCRBUTTONDOWN, &WWindow::OnNonClientMouseMessage, RightButtonDownEvent},
        {WM_NCRBUTTONUP, &WWindow::OnNonClientMouseMessage, RightButtonUpEvent},
        {WM_NCRBUTTONDBLCLK, &WWindow::OnNonClientMouseMessage, RightButtonDoubleEvent},
        {WM_NCMBUTTONDOWN, &WWindow::OnNonClientMouseMessage, MiddleButtonDownEvent},
        {WM_NCMBUTTONUP, &WWindow::OnNonClientMouseMessage, MiddleButtonUpEvent},
        {WM_NCMBUTTONDBLCLK, &WWindow::OnNonClientMouseMessage, MiddleButtonDoubleEvent},
    });
    static constexpr auto keyboardAndCommandRows = MessageRows<0x0100, 0x0138>({
        {WM_KEYDOWN, &WWindow::OnEventMessage, KeyDownEvent},
        {WM_KEYUP, &WWindow::OnEventMessage, KeyUpEvent},
        {WM_CHAR, &WWindow::OnEventMessage, CharacterPressEvent},
        {WM_SYSKEYDOWN, &WWindow::OnEventMessage, SystemKeyDownEvent},
        {WM_SYSDEADCHAR, &WWindow::OnEventMessage, SysDeadCharEvent},
        {WM_INITDIALOG, &WWindow::OnInitDialogMessage, NullEvent},
        {WM_COMMAND, &WWindow::OnRecordResultMessage, CommandEvent},
        {WM_SYSCOMMAND, &WWindow::OnEventMessage, SystemCommandEvent},
        {WM_HSCROLL, &WWindow::OnEventMessage, ScrollEvent},
        {WM_VSCROLL, &WWindow::OnEventMessage, ScrollEvent},
        {WM_INITMENUPOPUP, &WWindow::OnEventMessage, InitPopupMenuEvent},
        {WM_MENUSELECT, &WWindow::OnEventMessage, MenuSelectEvent},
        {WM_ENTERIDLE, &WWindow::OnEventMessage, EnterIdleEvent},
        {WM_CTLCOLORMSGBOX, &WWindow::OnRecordResultMessage, ControlColorEvent},
        {WM_CTLCOLOREDIT, &WWindow::OnRecordResultMessage, ControlColorEvent},
        {WM_CTLCOLORLISTBOX, &WWindow::OnRecordResultMessage, ControlColorEvent},
        {WM_CTLCOLORBTN, &WWindow::OnRecordResultMessage, ControlColorEvent},
        {WM_CTLCOLORDLG, &WWindow::OnRecordResultMessage, ControlColorEvent},
        {WM_CTLCOLORSCROLLBAR, &WWindow::OnRecordResultMessage, ControlColorEvent},
        {WM_CTLCOLORSTATIC, &WWindow::OnRecordResultMessage, ControlColorEvent},
    });
    static constexpr auto mouseRows = MessageRows<0x0200, 0x0219>({
        {WM_MOUSEMOVE, &WWindow::OnMouseMessage, MouseMoveEvent},
        {WM_LBUTTONDOWN, &WWindow::OnMouseMessage, LeftButtonDownEvent},
        {WM_LBUTTONUP, &WWindow::OnMouseMessage, LeftButtonUpEvent},
        {WM_LBUTTONDBLCLK, &WWindow::OnMouseMessage, LeftButtonDoubleEvent},
        {WM_RBUTTONDOWN, &WWindow::OnMouseMessage, RightButtonDownEvent},
        {WM_RBUTTONUP, &WWindow::OnMouseMessage, RightButtonUpEvent},
        {WM_RBUTTONDBLCLK, &WWindow::OnMouseMessage, RightButtonDoubleEvent},
        {WM_MBUTTONDOWN, &WWindow::OnMouseMessage, MiddleButtonDownEvent},
        {WM_MBUTTONUP, &WWindow::OnMouseMessage, MiddleButtonUpEvent},
        {WM_MBUTTONDBLCLK, &WWindow::OnMouseMessage, MiddleButtonDoubleEvent},
        {WM_CAPTURECHANGED, &WWindow::OnEventMessage, CancelModeEvent},
        {WM_POWERBROADCAST, &WWindow::OnEventMessage, PowerBroadcastEvent},
        {WM_DEVICECHANGE, &WWindow::OnEventMessage, DeviceChangeEvent},
    });

    if (message <= 0x00A9)
        return &windowRows[message];
    if (message >= 0x0100 && message <= 0x0138)
        return &keyboardAndCommandRows[message - 0x0100];
    if (message >= 0x0200 && message <= 0x0219)
        return &mouseRows[message - 0x0200];
    return FindOutsideRow(message);
}

// The few messages outside the three ranges, among them the registered ones,
// whose numbers are known only at run time.
const WWindow::MessageRow* WWindow::FindOutsideRow(UINT message)
{
    static const MessageBinding bindings[] = {
        {WM_DROPFILES, &WWindow::OnEventMessage, DropFileEvent},
        {WM_QUERYNEWPALETTE, &WWindow::OnEventMessage, QueryNewPaletteEvent},
        {WM_PALETTECHANGED, &WWindow::OnEventMessage, PaletteChangedEvent},
        {WM_PRINT, &WWindow::OnEventMessage, PrintEvent},
        {WM_PRINTCLIENT, &WWindow::OnEventMessage, PrintClientEvent},
        {PrivateMessage(), &WWindow::OnRecordResultMessage, PrivateMessageEvent},
        {FindReplaceMessage(), &WWindow::OnFindReplaceMessage, NullEvent},
        {DragListMessage(), &WWindow::OnDragListMessage, NullEvent},
    };
    static const auto rows = [] {
        std::array<MessageRow, std::size(bindings)> made{};
        for (size_t index = 0; index < made.size(); ++index)
            made[index] = MessageRow{bindings[index].handler, bindings[index].event};
        return made;
    }();
    for (size_t index = 0; index < rows.size(); ++index) {
        if (bindings[index].message == message)
            return &rows[index];
    }
    return nullptr;
}

// A handler may delete the window object (a form closing itself, the main
// window's clean-up deleting its controls while a loop below runs): from then
// on the message goes its way without the object, to the procedure the object
// had taken over.
LRESULT WWindow::RouteMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    MessageScope scope(this);
    Message current{message, wParam, lParam, 0, &scope.Frame()};
    HWND window = GetHandle();
    const WNDPROC previous = previousProcedure;
    bool handled = false;
    const MessageRow* row = FindMessageRow(message);
    scope.BeginHandling();
    if (row && row->handler) {
        // An event without handlers costs one bit test and goes straight on.
        if (row->event == NullEvent || WantsEvent(row->event))
            handled = (this->*row->handler)(current, row->event);
    }
    scope.EndHandling();
    if (!current.WindowAlive()) {
        if (handled || !IsWindow(window))
            return current.result;
        return CallPrevious(previous, window, message, wParam, lParam);
    }
    if (!handled)
        current.result = DefaultProcessing(message, wParam, lParam);
    if (current.WindowAlive())
        MessageProcessed(current);
    return current.result;
}

bool WWindow::RaiseMessageEvent(WEventID event, const Message& message, int32_t* returnValue)
{
    if (!WantsEvent(event))
        return false;
    WMessageEventData data;
    data.window = GetHandle();
    data.message = message.message;
    data.wParam = message.wParam;
    data.lParam = message.lParam;
    data.time = static_cast<DWORD>(GetMessageTime());
    const DWORD position = GetMessagePos();
    data.cursorX = static_cast<int16_t>(LOWORD(position));
    data.cursorY = static_cast<int16_t>(HIWORD(position));
    return ProcessEvent(event, this, &data, returnValue);
}

bool WWindow::OnEventMessage(Message& message, WEventID event)
{
    return RaiseMessageEvent(event, message);
}

bool WWindow::OnRecordResultMessage(Message& message, WEventID event)
{
    int32_t returnValue = 0;
    if (!RaiseMessageEvent(event, message, &returnValue))
        return false;
    message.result = returnValue;
    return true;
}

bool WWindow::OnMouseMessage(Message& message, WEventID event)
{
    WMouseEventData data;
    data.x = static_cast<int16_t>(LOWORD(message.lParam));
    data.y = static_cast<int16_t>(HIWORD(message.lParam));
    data.keys = message.wParam | (GetKeyState(VK_MENU) < 0 ? MK_ALT : 0);
    data.window = GetHandle();
    return ProcessEvent(event, this, &data);
}

bool WWindow::OnNonClientDestroyMessage(Message& message, WEventID)
{
    message.result = DefaultProcessing(message.message, message.wParam, message.lParam);
    ReleaseHandle();
    WindowDestroyed();
    return true;
}

bool WWindow::OnCloseMessage(Message& message, WEventID)
{
    HWND window = GetHandle();
    if (RaiseMessageEvent(QueryCloseEvent, message) || !message.WindowAlive() || !IsWindow(window))
        return true;
    if (RaiseMessageEvent(CloseEvent, message) || !message.WindowAlive() || !IsWindow(window))
        return true;
    return false;
}

bool WWindow::OnSizeMessage(Message& message, WEventID)
{
    bool handled = false;
    if (message.wParam == SIZE_MINIMIZED)
        handled = RaiseMessageEvent(MinimizeEvent, message);
    else if (message.wParam == SIZE_MAXIMIZED)
        handled = RaiseMessageEvent(MaximizeEvent, message);
    if (!message.WindowAlive())
        return handled;
    handled = RaiseMessageEvent(ResizeEvent, message) || handled;
    if (!message.WindowAlive())
        return handled;
    for (HWND child = GetWindow(GetHandle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (WWindow* window = FromHandle(child))
            window->ParentResized();
    }
    return handled;
}

bool WWindow::OnActivateMessage(Message& message, WEventID)
{
    const bool active = LOWORD(message.wParam) != WA_INACTIVE;
    return RaiseMessageEvent(active ? ActivateEvent : DeactivateEvent, message);
}

bool WWindow::OnShowWindowMessage(Message& message, WEventID)
{
    return RaiseMessageEvent(message.wParam ? ShowEvent : HideEvent, message);
}

bool WWindow::OnInitDialogMessage(Message& message, WEventID)
{
    return InitializeDialog(message);
}

// A window whose top-level window offers context help (the caption's question
// mark) takes a right click as the question what the window named is for.
bool WWindow::OnContextMenuMessage(Message& message, WEventID)
{
    HWND root = GetAncestor(GetHandle(), GA_ROOT);
    const bool offersHelp = root && (GetWindowLongPtrA(root, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
    return RaiseMessageEvent(offersHelp ? ContextHelpEvent : ContextMenuEvent, message);
}

// The non-client button messages raise the button events of the client area,
// with the position turned into client coordinates (outside the client area,
// so negative or beyond its size) and the keys read from the keyboard, since
// the message carries the hit-test code in their place.
bool WWindow::OnNonClientMouseMessage(Message& message, WEventID event)
{
    POINT point{static_cast<int16_t>(LOWORD(message.lParam)), static_cast<int16_t>(HIWORD(message.lParam))};
    ScreenToClient(GetHandle(), &point);
    WMouseEventData data;
    data.x = point.x;
    data.y = point.y;
    data.keys = CurrentMouseKeys();
    data.window = GetHandle();
    return ProcessEvent(event, this, &data);
}

// The dialog manager uses Enter, Escape and the arrow keys itself unless the
// control asks for them. A control with handlers for key events asks, so that
// those keys reach its handlers; Tab stays with the dialog manager, so the
// focus can still leave the control.
bool WWindow::OnDialogCodeMessage(Message& message, WEventID)
{
    const auto* key = reinterpret_cast<const MSG*>(message.lParam);
    if (!key || key->wParam == VK_TAB)
        return false;
    const bool wanted = (key->message == WM_KEYDOWN && HasEventHandler(KeyDownEvent))
                        || (key->message == WM_CHAR && HasEventHandler(CharacterPressEvent));
    if (!wanted)
        return false;
    message.result = DefaultProcessing(message.message, message.wParam, message.lParam) | DLGC_WANTMESSAGE;
    return true;
}

// The find dialog tells its owner; an owner that keeps, for that dialog, the
// window the search is meant for passes the notification on to it. The dialog
// sends from its own button or key handling, so it is the active window then.
bool WWindow::OnFindReplaceMessage(Message& message, WEventID)
{
    const WString property = FindReplaceTargetProperty(GetActiveWindow());
    auto target = static_cast<HWND>(GetPropA(GetHandle(), property.GetText()));
    if (target && target != GetHandle() && IsWindow(target)) {
        message.result = SendMessageA(target, message.message, message.wParam, message.lParam);
        return true;
    }
    return RaiseMessageEvent(FindReplaceEvent, message);
}

namespace {

WEventID DragEventOf(UINT notification)
{
    switch (notification) {
    case DL_BEGINDRAG:
        return DragStartEvent;
    case DL_DRAGGING:
        return DragOverEvent;
    case DL_DROPPED:
        return DragDropEvent;
    case DL_CANCELDRAG:
        return DragEndEvent;
    default:
        return NullEvent;
    }
}

}  // namespace

// The answer of a drag list notification (whether to start, which cursor to
// show) is the record's return value.
bool WWindow::OnDragListMessage(Message& message, WEventID)
{
    const auto* info = reinterpret_cast<const DRAGLISTINFO*>(message.lParam);
    const WEventID event = info ? DragEventOf(info->uNotification) : NullEvent;
    return event != NullEvent && OnRecordResultMessage(message, event);
}
