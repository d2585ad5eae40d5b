#include "WControl.h"

#include "WErrors.h"
#include "WForm.h"
#include "WResourceID.h"

WControl::WControl() = default;

WControl::~WControl()
{
    if (form)
        form->RemoveControl(this);
}

bool WControl::LoadWindow(WWindow* parentWindow, const WResourceID& id, const WModuleHandle&)
{
    if (GetHandle()) {
        WSetLastError(WErrorWindowAlreadyCreated);
        return false;
    }
    SetControlId(id.GetNumber());
    SetParentWindow(parentWindow);
    if (parentWindow && parentWindow->IsKindOf("WForm") && !form) {
        form = static_cast<WForm*>(parentWindow);
        form->AddControl(this);
    }
    return BindToItem();
}

bool WControl::BindToItem()
{
    WWindow* parentWindow = GetParent();
    HWND parentHandle = parentWindow ? parentWindow->GetHandle() : nullptr;
    HWND item = parentHandle ? GetDlgItem(parentHandle, GetControlId()) : nullptr;
    if (!item || !Attach(item))
        return false;
    ApplyEarlyState();
    const WFont& inherited = parentWindow->GetFont();
    if (!inherited.IsEmpty())
        SetFont(inherited, false);
    else
        SetFont(WFont::FromHandle(reinterpret_cast<HFONT>(parentWindow->Send(WM_GETFONT))), false);
    ProcessEvent(CreateEvent, this);
    return true;
}
