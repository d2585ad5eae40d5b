#include "Brasselwald.h"

#include "WModuleHandle.h"
#include "resource.h"

bool __Brasselwald_Base::OnCreate(WObject*, WEventData*)
{
    KeepInsideWorkArea();
    CreateControls(ControlRows, "Brasselwald");
    BindControls();
    WBitmap logo;
    logo.Load(IDB_BRASSELWALD_LOGO, WModuleHandle::Application());
    pictb_1->SetBitmap(logo);
    cb_1->SetDefault(true);
    cb_1->SetState(false);
    return FinishCreation();
}

const std::vector<WHandlerRow> Brasselwald::handlerRows = {
    WHandlerRowOf<&Brasselwald::OnCommand>(CommandEvent),
    WHandlerRowOf<&Brasselwald::OnOkClick, &Brasselwald::cb_1>(ClickEvent),
};

bool Brasselwald::OnOkClick(WObject*, WEventData*)
{
    Close();
    return false;
}

// The dialog manager turns Escape into the command of a cancel button, which
// the box does not have. Like every box with a single button, it closes then
// as with "&Ok".
bool Brasselwald::OnCommand(WObject*, WEventData* data)
{
    if (LOWORD(static_cast<WMessageEventData*>(data)->wParam) != IDCANCEL)
        return false;
    Close();
    return true;
}

// The template's place lies far to the right of the main window, at the edge
// of a wide screen: the box shows over the window it belongs to instead.
bool Brasselwald::FormCreated()
{
    WWindow* owner = GetParent();
    if (!owner || !owner->GetHandle())
        return false;
    RECT ownerRectangle{};
    RECT own{};
    GetWindowRect(owner->GetHandle(), &ownerRectangle);
    GetWindowRect(GetHandle(), &own);
    const RECT centred = CenterInArea(own, ownerRectangle);
    SetWindowPos(GetHandle(), nullptr, centred.left, centred.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    KeepInsideWorkArea();
    return false;
}
