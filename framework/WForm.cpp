#include "WForm.h"

#include "WApplication.h"
#include "WControl.h"
#include "WErrors.h"
#include "WFont.h"
#include "WModuleHandle.h"
#include "WResourceID.h"
#include "WRichTextBox.h"

#include <algorithm>

namespace {

WForm* mainForm = nullptr;

bool IsKeyboardOrMouseMessage(UINT message)
{
    return (message >= WM_KEYDOWN && message <= WM_KEYLAST)
        || (message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK);
}

const DLGTEMPLATE* FindDialogTemplate(const WResourceID& id, const WModuleHandle& module)
{
    HRSRC resource = FindResourceA(module.GetHandle(), id.GetResourceName(), RT_DIALOG);
    HGLOBAL loaded = resource ? LoadResource(module.GetHandle(), resource) : nullptr;
    return loaded ? static_cast<const DLGTEMPLATE*>(LockResource(loaded)) : nullptr;
}

bool SameSize(const RECT& first, const RECT& second)
{
    return first.right - first.left == second.right - second.left
        && first.bottom - first.top == second.bottom - second.top;
}

RECT ClientRectangle(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return client;
}

RECT WorkArea()
{
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

}  // namespace

WForm::WForm()
{
    WApplication::AddMessageFilter(this, &WForm::DialogMessageFilter, 0,
                                   WApplication::FormFilterPriority);
}

WForm::~WForm()
{
    WApplication::RemoveMessageFilter(this, &WForm::DialogMessageFilter);
    for (WControl* control : controls)
        control->FormGone();
    if (mainForm == this)
        mainForm = nullptr;
    if (GetHandle())
        Destroy();
}

void WForm::SetMainForm(WForm* form)
{
    mainForm = form;
}

WForm* WForm::GetMainForm()
{
    return mainForm;
}

void WForm::AddControl(WControl* control)
{
    if (std::find(controls.begin(), controls.end(), control) == controls.end())
        controls.push_back(control);
}

void WForm::RemoveControl(WControl* control)
{
    controls.erase(std::remove(controls.begin(), controls.end(), control), controls.end());
}

bool WForm::CreateFromTemplate(WWindow* parentWindow, const WResourceID& id, const WModuleHandle& module)
{
    if (GetHandle()) {
        WSetLastError(WErrorWindowAlreadyCreated);
        return false;
    }
    const DLGTEMPLATE* dialogTemplate = FindDialogTemplate(id, module);
    if (!dialogTemplate) {
        OutputDebugStringA("Assertion failed: Unable to find dialog resource\n");
        return false;
    }
    // A template may hold rich edit items, whose window class the library registers.
    WRichTextBox::EnsureLibraryLoaded();
    SetParentWindow(parentWindow);
    HWND parentHandle = parentWindow ? parentWindow->GetHandle() : nullptr;
    HWND window = CreateDialogIndirectParamA(module.GetHandle(), dialogTemplate, parentHandle,
                                             &WForm::DialogProcedure, reinterpret_cast<LPARAM>(this));
    if (!window) {
        WSetLastError(WErrorWindowNotCreated);
        return false;
    }
    SetOwnsWindow(true);
    return true;
}

INT_PTR CALLBACK WForm::DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Every other message reaches the form through its window procedure first;
    // here they only come back from the default processing.
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* form = reinterpret_cast<WForm*>(lParam);
    if (!form || !form->Attach(window))
        return TRUE;
    return form->RouteMessage(message, wParam, lParam);
}

bool WForm::InitializeDialog(Message& message)
{
    for (WControl* control : controls) {
        if (!control->GetHandle())
            control->BindToItem();
    }
    clientRectangle = ClientRectangle(GetHandle());
    RaiseMessageEvent(CreateEvent, message);
    if (message.WindowAlive() && GetHandle()) {
        const RECT current = ClientRectangle(GetHandle());
        if (!SameSize(current, clientRectangle)) {
            clientRectangle = current;
            RaiseMessageEvent(ResizeEvent, message);
        }
    }
    message.result = TRUE;
    return true;
}

void WForm::CreateControls(std::span<const WControlRow> rows, const char* formName)
{
    controlRows = rows;
    for (const WControlRow& row : controlRows)
        row.create(*this);
    SetFont(WFont("8.MS Sans Serif"), true);
    SetName(formName);
}

void WForm::BindControls()
{
    std::vector<const WControlRow*> items;
    for (const WControlRow& row : controlRows) {
        if (row.itemId)
            items.push_back(&row);
    }
    std::ranges::stable_sort(items, {}, &WControlRow::itemId);
    const WModuleHandle module = WModuleHandle::Application();
    for (const WControlRow* row : items)
        row->get(*this)->LoadWindow(this, row->itemId, module);
    for (const WControlRow& row : controlRows)
        row.get(*this)->SetName(row.name);
}

bool WForm::FinishCreation()
{
    SetTabOrder();
    const bool result = FormCreated();
    SetVisible(true);
    return result;
}

void WForm::DeleteControls()
{
    for (const WControlRow& row : controlRows)
        row.forget(*this);
}

bool WForm::OnGeneratedClose(WObject*, WEventData*)
{
    if (Destroy() && mainForm == this && GetApplication())
        GetApplication()->Quit(0);
    return true;
}

bool WForm::OnGeneratedCleanUp(WObject*, WEventData*)
{
    FormDestroying();
    DeleteControls();
    return false;
}

void WForm::AttachTables(std::span<const HandlerTable> tables)
{
    for (const HandlerTable& entry : tables) {
        if (entry.generator)
            AttachEventTable(entry.generator, entry.table, this);
    }
}

void WForm::DetachTables(std::span<const HandlerTable> tables)
{
    for (const HandlerTable& entry : tables) {
        if (entry.generator)
            DetachEventTable(entry.generator, entry.table, this);
    }
}

bool WForm::SetTabOrder()
{
    std::vector<WWindow*> windows;
    for (const WControlRow& row : controlRows)
        windows.push_back(row.get(*this));
    return SetTabOrder(static_cast<int32_t>(windows.size()), windows.data());
}

bool WForm::SetTabOrder(int32_t count, WWindow* const windows[])
{
    HDWP batch = BeginDeferWindowPos(count);
    if (!batch)
        return false;
    HWND previous = HWND_BOTTOM;
    for (int32_t index = 0; index < count && batch; ++index) {
        HWND window = windows[index] ? windows[index]->GetHandle() : nullptr;
        if (!window)
            continue;
        batch = DeferWindowPos(batch, window, previous, 0, 0, 0, 0, TabOrderFlags);
        previous = window;
    }
    return batch && EndDeferWindowPos(batch);
}

RECT WForm::FitIntoArea(const RECT& window, const RECT& area)
{
    const LONG width = window.right - window.left;
    const LONG height = window.bottom - window.top;
    LONG left = std::max(std::min(window.left, area.right - width), area.left);
    LONG top = std::max(std::min(window.top, area.bottom - height), area.top);
    return RECT{left, top, left + width, top + height};
}

RECT WForm::CenterInArea(const RECT& window, const RECT& area)
{
    const LONG width = window.right - window.left;
    const LONG height = window.bottom - window.top;
    const LONG left = area.left + (area.right - area.left - width) / 2;
    const LONG top = area.top + (area.bottom - area.top - height) / 2;
    return RECT{left, top, left + width, top + height};
}

bool WForm::KeepInsideWorkArea()
{
    HWND window = GetHandle();
    if (!window || (GetStyle() & WS_CHILD))
        return false;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    if (placement.showCmd == SW_SHOWMINIMIZED || placement.showCmd == SW_SHOWMAXIMIZED)
        return false;
    RECT current{};
    GetWindowRect(window, &current);
    const RECT fitted = FitIntoArea(current, WorkArea());
    return SetWindowPos(window, nullptr, fitted.left, fitted.top, 0, 0,
                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
}

bool WForm::CenterInWorkArea()
{
    HWND window = GetHandle();
    if (!window || (GetStyle() & WS_CHILD))
        return false;
    RECT current{};
    GetWindowRect(window, &current);
    const RECT centred = FitIntoArea(CenterInArea(current, WorkArea()), WorkArea());
    return SetWindowPos(window, nullptr, centred.left, centred.top, 0, 0,
                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
}

bool WForm::DialogMessageFilter(WObject* owner, MSG* message, uint32_t)
{
    return static_cast<WForm*>(owner)->FilterDialogMessage(*message);
}

bool WForm::IsInsideOtherForm() const
{
    if (!(GetStyle() & WS_CHILD))
        return false;
    WWindow* root = FromHandle(GetAncestor(GetHandle(), GA_ROOT));
    return root && root != this && root->IsKindOf(WForm::GetClassAtom());
}

bool WForm::FilterDialogMessage(MSG& message)
{
    HWND window = GetHandle();
    if (!window || !message.hwnd)
        return false;
    // The trail byte of a double-byte character takes the way its lead byte took.
    const bool trailByte = trailByteExpected && message.message == WM_CHAR;
    if (!trailByte && (!IsKeyboardOrMouseMessage(message.message) || GetCapture()))
        return false;
    if (message.hwnd != window && !IsChild(window, message.hwnd))
        return false;
    // A page inside another form leaves the keyboard to the form around it,
    // which moves the focus across all pages and controls.
    if (IsInsideOtherForm())
        return false;
    trailByteExpected = !trailByte && message.message == WM_CHAR
                     && IsDBCSLeadByte(static_cast<BYTE>(message.wParam));
    return IsDialogMessageA(window, &message) != FALSE;
}
