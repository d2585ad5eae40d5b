#include "WWindow.h"

#include "WErrors.h"
#include "WMenu.h"
#include "WModuleHandle.h"
#include "WPlatform.h"
#include "WResourceID.h"
#include "WWindowDirectory.h"

#include <commctrl.h>
#include <vector>

namespace {

constexpr const char* FrameworkWindowClass = "WWindowClass";

void EnsureCommonControls()
{
    static const bool initialised = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls,
                                      ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)initialised;
}

}  // namespace

// Framework defaults; program handlers added later run before them.
const WEventTableEntry WWindow::defaultHandlers[] = {
    {PrivateMessageEvent, W_HANDLER(&WWindow::OnDefaultPrivateMessage), nullptr, 0},
    {CommandEvent, W_HANDLER(&WWindow::OnDefaultCommand), nullptr, 0},
    {NotifyEvent, W_HANDLER(&WWindow::OnDefaultNotify), nullptr, 0},
    {NeedToolTipTextEvent, W_HANDLER(&WWindow::OnDefaultNeedToolTipText), nullptr, 0},
    {DestroyEvent, W_HANDLER(&WWindow::OnDefaultDestroy), nullptr, 0},
    {NullEvent, nullptr, nullptr, 0},
};

WWindow::WWindow()
{
    AttachEventTable(this, defaultHandlers, this);
}

WWindow::~WWindow()
{
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

bool WWindow::Attach(HWND window)
{
    if (!window || GetHandle() || FromHandle(window))
        return false;
    WWindowDirectory::Enter(window, this);
    handle.store(window, std::memory_order_release);
    const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
    if (current == &WWindow::WindowProcedure) {
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
    if (current == &WWindow::WindowProcedure && previousProcedure != DefWindowProcA)
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
        return DefWindowProcA(window, message, wParam, lParam);
    return object->RouteMessage(message, wParam, lParam);
}

LRESULT WWindow::DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND window = GetHandle();
    if (previousProcedure)
        return CallWindowProcA(previousProcedure, window, message, wParam, lParam);
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
    const DWORD finalStyle = (style | styleSet) & ~styleCleared;
    HWND parentHandle = parentWindow ? parentWindow->GetHandle() : nullptr;
    HMENU menuOrId = (finalStyle & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)) : nullptr;
    HWND window = CreateWindowExA(extendedStyle, windowClass, text ? text : "", finalStyle,
                                  rectangle.left, rectangle.top, rectangle.right - rectangle.left,
                                  rectangle.bottom - rectangle.top, parentHandle, menuOrId,
                                  GetModuleHandleA(nullptr), frameworkClass ? this : nullptr);
    if (!window) {
        WSetLastError(WErrorWindowNotCreated);
        return false;
    }
    ownsWindow = true;
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

bool WWindow::SetFont(const WFont& newFont, bool redraw)
{
    font = newFont;
    if (GetHandle())
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

bool WWindow::OnDefaultPrivateMessage(WObject*, WEventData* data)
{
    auto* message = static_cast<WMessageEventData*>(data);
    if (message->wParam != PrivateUserEvent)
        return false;
    WUserEventData user;
    user.value = static_cast<uint32_t>(message->lParam);
    const bool handled = ProcessEvent(UserEvent, this, &user);
    message->returnValue = user.returnValue;
    return handled;
}

bool WWindow::OnDefaultCommand(WObject*, WEventData* data)
{
    auto* message = static_cast<WMessageEventData*>(data);
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
    auto* message = static_cast<WMessageEventData*>(data);
    auto* header = reinterpret_cast<NMHDR*>(message->lParam);
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
    auto* message = static_cast<WMessageEventData*>(data);
    return SupplyToolTipText(reinterpret_cast<NMHDR*>(message->lParam));
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
