#include "TabForm4.h"

#include "DeviceCommands.h"
#include "WModuleHandle.h"
#include "WindowLook.h"
#include "resource.h"

bool __TabForm4_Base::OnCreate(WObject*, WEventData*)
{
    KeepInsideWorkArea();
    CreateControls(ControlRows, "TabForm4");
    BindControls();
    checkbox_errhndl->SetChecked(true);
    checkbox_errmem->SetChecked(true);
    for (const char* entry : DeviceCommands::ClearCycleEntries)
        combo_cycle->AddString(entry);
    combo_cycle->SetHeight(WindowLook::DropDownHeight);
    WIcon cross;
    cross.Load(IDI_ERROR_CROSS, WModuleHandle::Application());
    pbx_error->SetIcon(cross);
    pbx_error->SetCaptionBesideIcon(true);
    pbx_error->SetState(false);
    pbx_error_toolTip.Attach(*pbx_error, TabForm4::ClearErrorsToolTip);
    return FinishCreation();
}

// The tool tip hooks into the button's window procedure after the framework
// did; it lets go first, so that deleting the button gives the window back
// its own procedure.
void __TabForm4_Base::DeleteMembers()
{
    pbx_error_toolTip.Remove();
    DeleteControls();
}

const std::vector<WHandlerRow> TabForm4::handlerRows = {
    WHandlerRowOf<&TabForm4::OnClearErrorsClick, &TabForm4::pbx_error>(ClickEvent),
    WHandlerRowOf<&TabForm4::OpenPortOnPress, &TabForm4::pbx_error>(LeftButtonDownEvent),
};

TabForm4::TabForm4(DeviceExchange& exchange) : exchange(exchange) {}

bool TabForm4::IsErrorHandlingEnabled() const
{
    return checkbox_errhndl && checkbox_errhndl->GetChecked();
}

bool TabForm4::IsErrorMemoryEnabled() const
{
    return checkbox_errmem && checkbox_errmem->GetChecked();
}

void TabForm4::SetErrorHandlingEnabled(bool enabled)
{
    if (checkbox_errhndl)
        checkbox_errhndl->SetChecked(enabled);
}

void TabForm4::SetErrorMemoryEnabled(bool enabled)
{
    if (checkbox_errmem)
        checkbox_errmem->SetChecked(enabled);
}

WString TabForm4::GetCycleText() const
{
    return combo_cycle ? combo_cycle->GetText() : WString();
}

int32_t TabForm4::SelectCycle(const char* text)
{
    return combo_cycle ? combo_cycle->SelectString(text) : -1;
}

bool TabForm4::OpenPortOnPress(WObject*, WEventData*)
{
    return exchange.Press(pbx_error);
}

// Only the button is disabled while the device is awaited; the rest of the
// page stays usable.
bool TabForm4::OnClearErrorsClick(WObject*, WEventData*)
{
    if (!exchange.BeginExchange(pbx_error))
        return false;
    exchange.SendWhileDisabled(*pbx_error, DeviceCommands::ClearErrorsLine());
    pbx_error->SetText(ClearErrorsCaption);
    return false;
}
