#include "WForm.h"

#include "WApplication.h"
#include "WControl.h"
#include "WErrors.h"
#include "WFont.h"
#include "WModuleHandle.h"
#include "WResourceID.h"
#include "WRichTextBox.h"

#include <algorithm>
#include <utility>

namespace {

WForm* mainForm = nullptr;

bool IsKeyboardOrMouseMessage(UINT message)
{
    return (message >= WM_KEYDOWN && message <= WM_KEYLAST)
           || (message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK);
}

// A copy of the dialog template, empty when there is none.
std::vector<BYTE> CopyDialogTemplate(const WResourceID& id, const WModuleHandle& module)
{
    HRSRC resource = FindResourceA(module.GetHandle(), id.GetResourceName(), RT_DIALOG);
    HGLOBAL loaded = resource ? LoadResource(module.GetHandle(), resource) : nullptr;
    const auto* bytes = loaded ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    if (!bytes)
        return {};
    return std::vector<BYTE>(bytes, bytes + SizeofResource(module.GetHandle(), resource));
}

// Where the window style lies in a template: first in the classic layout,
// after version, signature, help id and extended style in the extended one.
DWORD* TemplateStyle(std::vector<BYTE>& dialogTemplate)
{
    constexpr size_t ExtendedOffset = 12;
    const bool extended = dialogTemplate.size() >= 4 && dialogTemplate[2] == 0xFF && dialogTemplate[3] == 0xFF;
    const size_t offset = extended ? ExtendedOffset : 0;
    if (dialogTemplate.size() < offset + sizeof(DWORD))
        return nullptr;
    return reinterpret_cast<DWORD*>(dialogTemplate.data() + offset);
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

// A form mostly stands where it should already (its template centres it):
// a move to the same place would still send it the position messages.
bool MoveTo(HWND window, const RECT& current, const RECT& wanted)
{
    if (wanted.left == current.left && wanted.top == current.top)
        return true;
    return SetWindowPos(window, nullptr, wanted.left, wanted.top, 0, 0,
                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE)
           != FALSE;
}

}  // namespace

WForm::WForm()
{
    WApplication::AddMessageFilter(this, &WForm::FilterDialogMessage, 0, WApplication::FormFilterPriority);
}

WForm::~WForm()
{
    WApplication::RemoveMessageFilter(this, &WForm::FilterDialogMessage);
    for (WControl* control : controls)
        control->FormGone();
    if (mainForm == this)
        mainForm = nullptr;
    DestroyLeftoverWindow();
}

// The most derived class is still whole here: the window's destruction runs
// every handler of the form on the object it was attached to. The complete
// object's start is taken before the destructors run, as a form class may
// have more than one base.
void WForm::operator delete(WForm* form, std::destroying_delete_t)
{
    if (form->GetHandle())
        form->Destroy();
    void* memory = dynamic_cast<void*>(form);
    form->~WForm();
    ::operator delete(memory);
}

void WForm::DestroyLeftoverWindow()
{
    if (!GetHandle())
        return;
    DetachHandlerRows();
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
    std::vector<BYTE> dialogTemplate = CopyDialogTemplate(id, module);
    DWORD* style = TemplateStyle(dialogTemplate);
    if (!style) {
        OutputDebugStringA("Assertion failed: Unable to find dialog resource\n");
        return false;
    }
    // Enabled and visible, when set before the window existed, are the template's.
    *style = CreationStyle(*style);
    // A template may hold common controls and rich edit items, whose window
    // classes their libraries register.
    EnsureCommonControls();
    WRichTextBox::EnsureLibraryLoaded();
    SetParentWindow(parentWindow);
    HWND parentHandle = parentWindow ? parentWindow->GetHandle() : nullptr;
    const auto* templateData = reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data());
    HWND window = CreateDialogIndirectParamA(module.GetHandle(), templateData, parentHandle,
                                             &WForm::DialogProcedure, reinterpret_cast<LPARAM>(this));
    if (!window) {
        WSetLastError(WErrorWindowNotCreated);
        return false;
    }
    SetOwnsWindow(true);
    ForgetEarlyState();
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

// A control's CreateEvent, which binding raises, may add controls to the
// form: the list is walked by index, and the added ones are bound as well.
bool WForm::InitializeDialog(Message& message)
{
    for (size_t index = 0; index < controls.size(); ++index) {
        if (!controls[index]->GetHandle())
            controls[index]->BindToItem();
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
    AttachHandlerRows();
}

// The rows are kept as they were attached, so that they are detached alike
// when the form class's part is gone already.
void WForm::AttachHandlerRows()
{
    DetachHandlerRows();
    attachedRows = HandlerRows();
    for (const WHandlerRow& row : attachedRows) {
        if (WEventGenerator* generator = row.generator(*this))
            generator->AddEventHandler(row.eventId, this, row.handler, row.userData);
    }
}

void WForm::DetachHandlerRows()
{
    for (const WHandlerRow& row : std::exchange(attachedRows, {})) {
        if (WEventGenerator* generator = row.generator(*this))
            generator->RemoveEventHandler(row.eventId, this, row.handler);
    }
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
    DetachHandlerRows();
    DeleteMembers();
    return false;
}

bool WForm::SetTabOrder()
{
    std::vector<WWindow*> windows;
    for (const WControlRow& row : controlRows)
        windows.push_back(row.get(*this));
    return SetTabOrder(static_cast<int32_t>(windows.size()), windows.data());
}

// True when the listed windows are the last children already, in the given
// order: a form made from its template mostly lists its items as the template
// has them.
bool WForm::IsInTabOrder(int32_t count, WWindow* const windows[]) const
{
    HWND expected = nullptr;
    for (int32_t index = count - 1; index >= 0; --index) {
        HWND window = windows[index] ? windows[index]->GetHandle() : nullptr;
        if (!window)
            continue;
        HWND actual = expected ? GetWindow(expected, GW_HWNDPREV) : GetWindow(window, GW_HWNDLAST);
        if (actual != window || ::GetParent(window) != GetHandle())
            return false;
        expected = window;
    }
    return true;
}

// The listed windows go behind the others, not before them. A form's child
// order is its stacking order too, first on top: the main window lists its
// controls after it has made its pages, and the pages, which it does not list,
// must stay above the tab control that hosts them. Put first, the tab control
// would lie over its pages and paint across them.
bool WForm::SetTabOrder(int32_t count, WWindow* const windows[])
{
    // Each window the batch moves is sent its position and frame messages,
    // also when its place does not change.
    if (IsInTabOrder(count, windows))
        return true;
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
    return MoveTo(window, current, FitIntoArea(current, WorkArea()));
}

bool WForm::CenterInWorkArea()
{
    HWND window = GetHandle();
    if (!window || (GetStyle() & WS_CHILD))
        return false;
    RECT current{};
    GetWindowRect(window, &current);
    return MoveTo(window, current, FitIntoArea(CenterInArea(current, WorkArea()), WorkArea()));
}

bool WForm::IsInsideOtherForm() const
{
    if (!(GetStyle() & WS_CHILD))
        return false;
    WWindow* root = FromHandle(GetAncestor(GetHandle(), GA_ROOT));
    return root && root != this && root->IsKindOf(WForm::GetClassAtom());
}

bool WForm::FilterDialogMessage(MSG* message, uint32_t)
{
    HWND window = GetHandle();
    if (!window || !message->hwnd)
        return false;
    // The trail byte of a double-byte character takes the way its lead byte took.
    const bool trailByte = trailByteExpected && message->message == WM_CHAR;
    if (!trailByte && (!IsKeyboardOrMouseMessage(message->message) || GetCapture()))
        return false;
    if (message->hwnd != window && !IsChild(window, message->hwnd))
        return false;
    // A page inside another form leaves the keyboard to the form around it,
    // which moves the focus across all pages and controls.
    if (IsInsideOtherForm())
        return false;
    trailByteExpected =
        !trailByte && message->message == WM_CHAR && IsDBCSLeadByte(static_cast<BYTE>(message->wParam));
    if (accelerators && TranslateAcceleratorA(window, accelerators, message))
        return true;
    return IsDialogMessageA(window, message) != FALSE;
}
