#include "TabForm4.h"

#include "DeviceCommands.h"
#include "TarvekComm.h"
#include "WApplication.h"
#include "WModuleHandle.h"
#include "resource.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr int32_t ComboHeight = 125;
// No 65 to 85: the last step goes from 60 to 90.
constexpr const char* cycleEntries[] = {
    "-", "5", "10", "15", "20", "25", "30", "35", "40", "45", "50", "55", "60", "90",
};

}  // namespace

const WEventTableEntry __TabForm4_Base::formTable[] = {
    {CreateEvent, W_HANDLER(&__TabForm4_Base::OnCreate), nullptr, 0},
    {CloseEvent, W_HANDLER(&__TabForm4_Base::OnClose), nullptr, 0},
    {DestroyEvent, W_HANDLER(&__TabForm4_Base::OnDestroy), nullptr, 0},
    {NullEvent, nullptr, nullptr, 0},
};

const WEventTableEntry __TabForm4_Base::pbx_error_table[] = {
    {ClickEvent, W_HANDLER(&TabForm4::OnClearErrorsClick), nullptr, 0},
    {LeftButtonDownEvent, W_HANDLER(&TabForm4::OpenPortOnPress), nullptr, 0},
    {NullEvent, nullptr, nullptr, 0},
};

__TabForm4_Base::__TabForm4_Base()
{
    AttachEventTable(this, formTable, this);
}

__TabForm4_Base::~__TabForm4_Base()
{
    if (GetHandle())
        Destroy();
    DetachEventTable(this, formTable, this);
}

WWindow** __TabForm4_Base::Controls(WWindow** list)
{
    WWindow* const controls[ControlCount] = {
        groupb_3, checkbox_errhndl, checkbox_errmem, label_10, combo_cycle, label_11, pbx_error, groupb_1,
    };
    std::copy(std::begin(controls), std::end(controls), list);
    return list;
}

bool __TabForm4_Base::OnCreate(WObject*, WEventData*)
{
    const WModuleHandle module = WModuleHandle::Application();
    KeepInsideWorkArea();
    groupb_3 = new WGroupBox;
    checkbox_errhndl = new WCheckBox;
    checkbox_errmem = new WCheckBox;
    label_10 = new WLabel;
    combo_cycle = new WComboBox;
    label_11 = new WLabel;
    pbx_error = new WPictureButtonEx;
    groupb_1 = new WGroupBox;
    SetFont(WFont("8.MS Sans Serif"), true);
    SetName("TabForm4");
    WWindow* controls[ControlCount];
    Controls(controls);
    for (int32_t index = 0; index < ControlCount; ++index)
        controls[index]->LoadWindow(this, static_cast<uint16_t>(IDC_TABFORM4_GROUPB_3 + index), module);

    groupb_3->SetName("groupb_3");
    checkbox_errhndl->SetChecked(true);
    checkbox_errhndl->SetName("checkbox_errhndl");
    checkbox_errmem->SetChecked(true);
    checkbox_errmem->SetName("checkbox_errmem");
    label_10->SetName("label_10");
    combo_cycle->SetName("combo_cycle");
    for (const char* entry : cycleEntries)
        combo_cycle->AddString(entry);
    combo_cycle->SetHeight(ComboHeight);
    label_11->SetName("label_11");
    WIcon cross;
    cross.Load(IDI_ERROR_CROSS, module);
    pbx_error->SetIcon(cross);
    pbx_error->SetCaptionBesideIcon(true);
    pbx_error->SetState(false);
    pbx_error_toolTip.Attach(*pbx_error, TabForm4::ClearErrorsToolTip);
    pbx_error->SetName("pbx_error");
    groupb_1->SetName("groupb_1");

    AttachEventTable(pbx_error, pbx_error_table, this);
    SetTabOrder();
    Show();
    return false;
}

bool __TabForm4_Base::OnClose(WObject*, WEventData*)
{
    if (Destroy() && GetMainForm() == this && GetApplication())
        GetApplication()->Quit(0);
    return true;
}

// The tool tip hooks into the button's window procedure after the framework
// did; it lets go first, so that deleting the button gives the window back
// its own procedure.
bool __TabForm4_Base::OnDestroy(WObject*, WEventData*)
{
    DetachEventTable(pbx_error, pbx_error_table, this);
    pbx_error_toolTip.Remove();
    WWindow* controls[ControlCount];
    Controls(controls);
    for (WWindow* control : controls)
        delete control;
    groupb_3 = groupb_1 = nullptr;
    checkbox_errhndl = checkbox_errmem = nullptr;
    label_10 = label_11 = nullptr;
    combo_cycle = nullptr;
    pbx_error = nullptr;
    return false;
}

bool __TabForm4_Base::SetTabOrder()
{
    WWindow* controls[ControlCount];
    return SetTabOrder(ControlCount, Controls(controls));
}

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
// page stays usable. The answer is not looked at. A disabled button loses the
// focus, so it gets it back when it had it.
bool TabForm4::OnClearErrorsClick(WObject*, WEventData*)
{
    if (!exchange.BeginExchange(pbx_error))
        return false;
    const bool hadFocus = GetFocus() == pbx_error->GetHandle();
    pbx_error->SetEnabled(false);
    if (tarvekComm)
        tarvekComm->SendCommand(DeviceCommands::ClearErrors());
    exchange.EndExchange();
    pbx_error->SetEnabled(true);
    pbx_error->SetText(TabForm4::ClearErrorsCaption);
    if (hadFocus)
        SetFocus(pbx_error->GetHandle());
    return false;
}
