#include "WWindow.h"

#include "WErrors.h"
#include "WMenu.h"
#include "WModuleHandle.h"
#include "WPlatform.h"
#include "WResourceID.h"
#include "WThreadRecord.h"
#include "WWindowDirectory.h"

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <vector>

namespace {

constexpr const char* FrameworkWindowClass = "WWindowClass";

// Where the messages of a window go on to once its object has let it go while
// another subclass still sat on top of the framework's procedure: that
// subclass calls the framework's procedure as its previous one, so the
// framework's procedure stays in the chain and passes everything on.
ATOM ForwardProperty()
{
    static const ATOM property = GlobalAddAtomA("WWindowForward");
    return property;
}

// How many windows of the process carry a forward. Mostly none: then a new
// object need not ask the host whether its window has one.
std::atomic<int32_t> forwardsLeft{0};

void LeaveForward(HWND window, WNDPROC procedure)
{
    if (SetPropA(window, MAKEINTATOM(ForwardProperty()), reinterpret_cast<HANDLE>(procedure)))
        ++forwardsLeft;
}

WNDPROC RemoveForward(HWND window)
{
    auto forward = reinterpret_cast<WNDPROC>(RemovePropA(window, MAKEINTATOM(ForwardProperty())));
    if (forward)
        --forwardsLeft;
    return forward;
}

// The window's own chain after a detached object: the procedure the object
// had taken over, or the host's default procedure.
LRESULT PassOnWithoutObject(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto forward = forwardsLeft.load() > 0
                       ? reinterpret_cast<WNDPROC>(GetPropA(window, MAKEINTATOM(ForwardProperty())))
                       : nullptr;
    if (!forward)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY)
        RemoveForward(window);
    return CallWindowProcA(forward, window, message, wParam, lParam);
}

// The procedure a detached object left forwarded to, taken back for a new object.
WNDPROC TakeForward(HWND window)
{
    return forwardsLeft.load() > 0 ? RemoveForward(window) : nullptr;
}

}  // namespace

// Framework defaults; program handlers added later run before them.
const WEventTableEntry WWindow::DefaultHandlers[] = {
    {ContextMenuEvent, W_HANDLER(&WWindow::OnDefaultContextMenu), nullptr, 0},
    {MenuSelectEvent, W_HANDLER(&WWindow::OnDefaultMenuSelect), nullptr, 0},
    {InitPopupMenuEvent, W_HANDLER(&WWindow::OnDefaultInitPopupMenu), nullptr, 0},
    {PrivateMessageEvent, W_HANDLER(&WWindow::OnDefaultPrivateMessage), nullptr, 0},
    {ControlColorEvent, W_HANDLER(&WWindow::OnDefaultControlColor), nullptr, 0},
    {CommandEvent, W_HANDLER(&WWindow::OnDefaultCommand), nullptr, 0},
    {NotifyEvent, W_HANDLER(&WWindow::OnDefaultNotify), nullptr, 0},
    {NeedToolTipTextEvent, W_HANDLER(&WWindow::OnDefaultNeedToolTipText), nullptr, 0},
    {DragStartEvent, W_HANDLER(&WWindow::OnDefaultDrag), nullptr, 0},
    {DragContinueEvent, W_HANDLER(&WWindow::OnDefaultDrag), nullptr, 0},
    {DragFeedbackEvent, W_HANDLER(&WWindow::OnDefaultDrag), nullptr, 0},
    {DragEndEvent, W_HANDLER(&WWindow::OnDefaultDrag), nullptr, 0},
    {DragEnterEvent, W_HANDLER(&WWindow::OnDefaultDrag), nullptr, 0},
    {DragOverEvent, W_HANDLER(&WWindow::OnDefaultDrag), nullptr, 0},
    {DragLeaveEvent, W_HANDLER(&WWindow::OnDefaultDrag), nullptr, 0},
    {DragDropEvent, W_HANDLER(&WWindow::OnDefaultDrag), nullptr, 0},
    {DragFillEvent, W_HANDLER(&WWindow::OnDefaultDrag), nullptr, 0},
    {DestroyEvent, W_HANDLER(&WWindow::OnDefaultDestroy), nullptr, 0},
    {ScrollEvent, W_HANDLER(&WWindow::OnDefaultScroll), nullptr, 0},
    {NullEvent, nullptr, nullptr, 0},
};

WWindow::WWindow()
{
    AttachEventTable(this, DefaultHandlers, this);
}

WWindow::~WWindow()
{
    if (WThreadRecord* thread = WExistingThreadRecord()) {
        for (WMessageFrame* frame = thread->messageFrames; frame != nullptr; frame = frame->outer) {
            if (frame->window == this)
                frame->windowAlive = false;
        }
    }
    HWND window = GetHandle();
    if (!window)
        return;
    // The derived parts of the object are gone already: the window must not
    // reach them any more, so it is detached before it is destroyed.
    Detach();
    if (ownsWindow)
        DestroyWindow(window);
}

WWindow* WWindow::FromHandle(HWND window)
{
    return window ? WWindowDirectory::Find(window) : nullptr;
}

// The library is loaded by the first window that may hold common controls, not
// imported: a program without such windows (the console sender) never loads it.
bool WWindow::EnsureCommonControls()
{
    using Initialise = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    static const bool initialised = [] {
        HMODULE library = LoadLibraryA("comctl32.dll");
        // Through the generic function type, which the compiler accepts for
        // an entry point looked up by name.
        const auto entry =
            library ? reinterpret_cast<void (*)()>(GetProcAddress(library, "InitCommonControlsEx")) : nullptr;
        const auto initialise = reinterpret_cast<Initialise>(entry);
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
        return initialise && initialise(&controls) != FALSE;
    }();
    return initialised;
}

bool WWindow::Attach(HWND window)
{
    if (!window || GetHandle() || FromHandle(window))
        return false;
    WWindowDirectory::Enter(window, this);
    handle.store(window, std::memory_order_release);
    const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
    if (WNDPROC forwarded = TakeForward(window)) {
        // The framework's procedure is still in the chain from an earlier object.
        previousProcedure = forwarded;
    } else if (current == &WWindow::WindowProcedure) {
        previousProcedure = DefWindowProcA;
    } else {
        previousProcedure = current;
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WWindow::WindowProcedure));
    }
    WindowAttached();
    return true;
}

void WWindow::Detach()
{
    HWND window = GetHandle();
    if (!window)
        return;
    const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
    if (current != &WWindow::WindowProcedure)
        LeaveForward(window, previousProcedure);
    else if (previousProcedure != DefWindowProcA)
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProcedure));
    ReleaseHandle();
}

void WWindow::ReleaseHandle()
{
    WWindowDirectory::Remove(GetHandle());
    handle.store(nullptr, std::memory_order_release);
    previousProcedure = nullptr;
}

LRESULT CALLBACK WWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    WWindow* object = FromHandle(window);
    if (!object && message == WM_NCCREATE) {
        object = static_cast<WWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (object && !object->Attach(window))
            object = nullptr;
    }
    if (!object)
        return PassOnWithoutObject(window, message, wParam, lParam);
    return object->RouteMessage(message, wParam, lParam);
}

LRESULT WWindow::DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallPrevious(previousProcedure, GetHandle(), message, wParam, lParam);
}

LRESULT WWindow::CallPrevious(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (previous)
        return CallWindowProcA(previous, window, message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

const char* WWindow::GetWindowClass() const
{
    static const bool registered = [] {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = &WWindow::WindowProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = FrameworkWindowClass;
        return RegisterClassExA(&windowClass) != 0;
    }();
    (void)registered;
    return FrameworkWindowClass;
}

bool WWindow::Create(WWindow* parentWindow, const RECT& rectangle, const char* text, DWORD style,
                     DWORD extendedStyle, int32_t id)
{
    if (GetHandle()) {
        WSetLastError(WErrorWindowAlreadyCreated);
        return false;
    }
    EnsureCommonControls();
    parent = parentWindow;
    controlId = id;
    const char* windowClass = GetWindowClass();
    const bool frameworkClass = windowClass == FrameworkWindowClass;
    const DWORD finalStyle = CreationStyle(style);
    HWND parentHandle = parentWindow ? parentWindow->GetHandle() : nullptr;
    HMENU menuOrId = (finalStyle & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)) : nullptr;
    HWND window =
        CreateWindowExA(extendedStyle, windowClass, text ? text : "", finalStyle, rectangle.left, rectangle.top,
                        rectangle.right - rectangle.left, rectangle.bottom - rectangle.top, parentHandle,
                        menuOrId, GetModuleHandleA(nullptr), frameworkClass ? this : nullptr);
    if (!window) {
        WSetLastError(WErrorWindowNotCreated);
        return false;
    }
    ownsWindow = true;
    ForgetEarlyState();
    if (!frameworkClass) {
        Attach(window);
        if (parentWindow && !parentWindow->GetFont().IsEmpty())
            SetFont(parentWindow->GetFont(), false);
        ProcessEvent(CreateEvent, this);
    }
    return true;
}

bool WWindow::LoadWindow(WWindow*, const WResourceID&, const WModuleHandle&)
{
    return false;
}

bool WWindow::Destroy()
{
    HWND window = GetHandle();
    if (!window) {
        WSetLastError(WErrorNoWindow);
        return false;
    }
    return DestroyWindow(window) != FALSE;
}

bool WWindow::Close()
{
    HWND window = GetHandle();
    return window && PostMessageA(window, WM_CLOSE, 0, 0);
}

// The innermost frame is the message now being handled; its own handlers
// do not count.
bool WWindow::IsHandlerRunningBelow()
{
    const WThreadRecord* thread = WExistingThreadRecord();
    const WMessageFrame* current = thread != nullptr ? thread->messageFrames : nullptr;
    return current != nullptr && WHandlersRunning(current->outer);
}

bool WWindow::CloseWhenHandlersEnd()
{
    HWND window = GetHandle();
    if (!window)
        return false;
    if (!IsHandlerRunningBelow())
        return Close();
    std::vector<HWND>& waiting = WCurrentThreadRecord().closesWaiting;
    if (std::find(waiting.begin(), waiting.end(), window) == waiting.end())
        waiting.push_back(window);
    return true;
}

bool WWindow::Show(int32_t showCommand)
{
    HWND window = GetHandle();
    if (!window)
        return false;
    ShowWindow(window, showCommand);
    return true;
}

bool WWindow::SetName(const WString& newName)
{
    name = newName;
    return true;
}

// Forms and their controls made from a template mostly carry that very font
// already; setting it again would only make each lay out its text anew.
bool WWindow::SetFont(const WFont& newFont, bool redraw)
{
    font = newFont;
    if (GetHandle() && !font.IsAlike(reinterpret_cast<HFONT>(Send(WM_GETFONT))))
        Send(WM_SETFONT, reinterpret_cast<WPARAM>(font.GetHandle()), redraw);
    return true;
}

bool WWindow::SetText(const WString& text)
{
    HWND window = GetHandle();
    return window && SetWindowTextA(window, text.GetText());
}

WString WWindow::GetText() const
{
    HWND window = GetHandle();
    if (!window)
        return WString();
    const int length = GetWindowTextLengthA(window);
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), length + 1);
    return WString(text.data(), copied);
}

bool WWindow::SetEnabled(bool enabled)
{
    HWND window = GetHandle();
    if (window) {
        EnableWindow(window, enabled);
        return true;
    }
    styleSet = enabled ? styleSet & ~WS_DISABLED : styleSet | WS_DISABLED;
    styleCleared = enabled ? styleCleared | WS_DISABLED : styleCleared & ~WS_DISABLED;
    return true;
}

bool WWindow::GetEnabled() const
{
    HWND window = GetHandle();
    return window ? IsWindowEnabled(window) != FALSE : !(styleSet & WS_DISABLED);
}

bool WWindow::SetVisible(bool visible)
{
    HWND window = GetHandle();
    if (window) {
        ShowWindow(window, visible ? SW_SHOW : SW_HIDE);
        return true;
    }
    styleSet = visible ? styleSet | WS_VISIBLE : styleSet & ~WS_VISIBLE;
    styleCleared = visible ? styleCleared & ~WS_VISIBLE : styleCleared | WS_VISIBLE;
    return true;
}

void WWindow::ApplyEarlyState()
{
    HWND window = GetHandle();
    const DWORD changed = styleSet | styleCleared;
    if (window && (changed & WS_DISABLED))
        EnableWindow(window, !(styleSet & WS_DISABLED));
    if (window && (changed & WS_VISIBLE))
        ShowWindow(window, (styleSet & WS_VISIBLE) ? SW_SHOW : SW_HIDE);
    ForgetEarlyState();
}

bool WWindow::GetVisible() const
{
    HWND window = GetHandle();
    return window ? IsWindowVisible(window) != FALSE : (styleSet & WS_VISIBLE) != 0;
}

DWORD WWindow::GetStyle() const
{
    HWND window = GetHandle();
    return window ? static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)) : styleSet;
}

bool WWindow::SetStyle(DWORD newStyle)
{
    HWND window = GetHandle();
    if (!window)
        return false;
    SetWindowLongPtrA(window, GWL_STYLE, static_cast<LONG_PTR>(newStyle));
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return Invalidate(true);
}

bool WWindow::Update(bool erase)
{
    HWND window = GetHandle();
    return window && InvalidateRect(window, nullptr, erase) && UpdateWindow(window);
}

bool WWindow::Invalidate(bool erase)
{
    HWND window = GetHandle();
    return window && InvalidateRect(window, nullptr, erase);
}

bool WWindow::SetIcon(bool setClassIcon, const WResourceID& icon, const WModuleHandle& module)
{
    HWND window = GetHandle();
    if (!window)
        return false;
    const int32_t platform = GetPlatform();
    if (platform == WPlatformNT || platform == WPlatform9x) {
        bigIcon.Load(icon, module, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
        smallIcon.Load(icon, module, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
        Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon.GetHandle()));
        Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon.GetHandle()));
    }
    if (setClassIcon) {
        // The class icon outlives this window; a shared icon is never destroyed.
        HANDLE shared = LoadImageA(module.GetHandle(), icon.GetResourceName(), IMAGE_ICON, 0, 0,
                                   LR_DEFAULTSIZE | LR_SHARED);
        SetClassLongPtrA(window, GCLP_HICON, reinterpret_cast<LONG_PTR>(shared));
    }
    return !bigIcon.IsEmpty();
}

bool WWindow::SetMenu(WMenu* newMenu)
{
    HWND window = GetHandle();
    if (!window)
        return false;
    // The host redraws the frame with the new menu bar itself.
    if (!::SetMenu(window, newMenu ? newMenu->GetHandle() : nullptr))
        return false;
    menu = newMenu;
    return true;
}

bool WWindow::SetStatusBar(WStatusBar* newStatusBar)
{
    statusBar = newStatusBar;
    return true;
}

UINT WWindow::PrivateMessage()
{
    static const UINT message = RegisterWindowMessageA("WClassPrivateMessage");
    return message;
}

UINT WWindow::FindReplaceMessage()
{
    static const UINT message = RegisterWindowMessageA("commdlg_FindReplace");
    return message;
}

UINT WWindow::DragListMessage()
{
    static const UINT message = RegisterWindowMessageA("commctrl_DragListMsg");
    return message;
}

// Window handles carry 32 significant bits, also in 64-bit processes.
WString WWindow::FindReplaceTargetProperty(HWND findDialog)
{
    WString name;
    name.Sprintf("HWNDFOR%08x", static_cast<unsigned>(reinterpret_cast<uintptr_t>(findDialog)));
    return name;
}

bool WWindow::PostUserEvent(uint32_t value)
{
    HWND window = GetHandle();
    if (!window || !PostMessageA(window, PrivateMessage(), PrivateUserEvent, static_cast<LPARAM>(value))) {
        WSetLastError(WErrorUserEventNotPosted);
        return false;
    }
    return true;
}

LRESULT WWindow::Send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    HWND window = GetHandle();
    return window ? SendMessageA(window, message, wParam, lParam) : 0;
}

void WWindow::MessageProcessed(const Message&) {}

bool WWindow::ReflectCommand(WORD, WORD, LRESULT&)
{
    return false;
}

bool WWindow::ReflectNotify(NMHDR*, LRESULT&)
{
    return false;
}

bool WWindow::SupplyToolTipText(NMHDR*)
{
    return false;
}

void WWindow::WindowAttached() {}

void WWindow::WindowDestroyed() {}

bool WWindow::InitializeDialog(Message&)
{
    return false;
}

void WWindow::ParentResized() {}

bool WWindow::PassEventTo(HWND window, WEventID event, WEventData* data)
{
    WWindow* receiver = FromHandle(window);
    return receiver && receiver != this && receiver->ProcessEvent(event, receiver, data);
}

// A right click on a control the mouse passes through (a label, a group
// box) reaches the window around it; the request belongs to the control.
bool WWindow::OnDefaultContextMenu(WObject*, WEventData* data)
{
    auto* message = WMessageEventData::From(data);
    if (!message || reinterpret_cast<HWND>(message->wParam) != GetHandle() || message->lParam == -1)
        return false;
    POINT point{static_cast<int16_t>(LOWORD(message->lParam)), static_cast<int16_t>(HIWORD(message->lParam))};
    ScreenToClient(GetHandle(), &point);
    HWND child = ChildWindowFromPointEx(GetHandle(), point, CWP_SKIPINVISIBLE);
    return child && PassEventTo(child, ContextMenuEvent, data);
}

// The highlighted entry of the window's menu raises its own SelectEvent.
bool WWindow::OnDefaultMenuSelect(WObject*, WEventData* data)
{
    auto* message = WMessageEventData::From(data);
    const WORD flags = message ? HIWORD(message->wParam) : 0xFFFF;
    if (!menu || flags == 0xFFFF || (flags & (MF_POPUP | MF_SEPARATOR)))
        return false;
    WMenuItem* item = menu->FindItem(LOWORD(message->wParam), true);
    return item && item->ProcessEvent(SelectEvent, item);
}

// Before a drop-down menu opens, its entries raise UpdateEvent, so that their
// handlers can enable or check them. The host still opens the menu.
bool WWindow::OnDefaultInitPopupMenu(WObject*, WEventData* data)
{
    auto* message = WMessageEventData::From(data);
    WMenu* popup = menu && message ? menu->FindMenu(reinterpret_cast<HMENU>(message->wParam)) : nullptr;
    if (popup)
        popup->UpdateItems();
    return false;
}

bool WWindow::OnDefaultPrivateMessage(WObject*, WEventData* data)
{
    auto* message = WMessageEventData::From(data);
    if (!message || message->wParam != PrivateUserEvent)
        return false;
    WUserEventData user;
    user.value = static_cast<uint32_t>(message->lParam);
    const bool handled = ProcessEvent(UserEvent, this, &user);
    message->returnValue = user.returnValue;
    return handled;
}

// The control about to be painted chooses its own colours.
bool WWindow::OnDefaultControlColor(WObject*, WEventData* data)
{
    auto* message = WMessageEventData::From(data);
    return message && PassEventTo(reinterpret_cast<HWND>(message->lParam), ControlColorEvent, data);
}

bool WWindow::OnDefaultCommand(WObject*, WEventData* data)
{
    auto* message = WMessageEventData::From(data);
    if (!message)
        return false;
    const WORD code = HIWORD(message->wParam);
    const WORD id = LOWORD(message->wParam);
    if (message->lParam) {
        WWindow* sender = FromHandle(reinterpret_cast<HWND>(message->lParam));
        if (!sender || sender == this)
            return false;
        LRESULT result = 0;
        const bool handled = sender->ReflectCommand(code, id, result);
        message->returnValue = static_cast<int32_t>(result);
        return handled;
    }
    const bool fromMenuOrAccelerator = code == 0 || code == 1 || code == 0xFFFF;
    return fromMenuOrAccelerator && ChooseMenuItem(id);
}

bool WWindow::ChooseMenuItem(WORD id)
{
    WMenuItem* item = menu ? menu->FindItem(id, true) : nullptr;
    return item && item->ProcessEvent(ClickEvent, item);
}

bool WWindow::OnDefaultNotify(WObject*, WEventData* data)
{
    auto* message = WMessageEventData::From(data);
    auto* header = message ? reinterpret_cast<NMHDR*>(message->lParam) : nullptr;
    if (!header)
        return false;
    if (header->code == TTN_GETDISPINFOA || header->code == TTN_GETDISPINFOW)
        return ProcessEvent(NeedToolTipTextEvent, this, data);
    WWindow* sender = FromHandle(header->hwndFrom);
    if (!sender || sender == this)
        return false;
    LRESULT result = 0;
    const bool handled = sender->ReflectNotify(header, result);
    message->returnValue = static_cast<int32_t>(result);
    return handled;
}

bool WWindow::OnDefaultNeedToolTipText(WObject*, WEventData* data)
{
    auto* message = WMessageEventData::From(data);
    return message && SupplyToolTipText(reinterpret_cast<NMHDR*>(message->lParam));
}

// A drag list tells its parent about the drag; the list's own object gets it.
bool WWindow::OnDefaultDrag(WObject*, WEventData* data)
{
    auto* message = WMessageEventData::From(data);
    if (!message || message->message != DragListMessage() || !message->lParam)
        return false;
    auto* info = reinterpret_cast<DRAGLISTINFO*>(message->lParam);
    return PassEventTo(info->hWnd, data->eventId, data);
}

// Scroll bar controls, track bars and up-down controls report to their parent;
// the control's own object gets the report.
bool WWindow::OnDefaultScroll(WObject*, WEventData* data)
{
    auto* message = WMessageEventData::From(data);
    return message && PassEventTo(reinterpret_cast<HWND>(message->lParam), ScrollEvent, data);
}

bool WWindow::OnDefaultDestroy(WObject*, WEventData*)
{
    // The menu belongs to its WMenu object, not to the window: taken off here,
    // the host does not destroy it together with the window.
    if (menu && GetHandle())
        ::SetMenu(GetHandle(), nullptr);
    menu = nullptr;
    return false;
}
