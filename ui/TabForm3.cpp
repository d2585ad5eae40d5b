#include "TabForm3.h"

#include "TarvekComm.h"
#include "WApplication.h"
#include "WModuleHandle.h"
#include "resource.h"

#include <algorithm>
#include <iterator>

using DeviceCommands::ReceiverChannel;
using DeviceCommands::TransmitterChannel;

const WEventTableEntry __TabForm3_Base::formTable[] = {
    {CreateEvent, W_HANDLER(&__TabForm3_Base::OnCreate), nullptr, 0},
    {CloseEvent, W_HANDLER(&__TabForm3_Base::OnClose), nullptr, 0},
    {DestroyEvent, W_HANDLER(&__TabForm3_Base::OnDestroy), nullptr, 0},
    {NullEvent, nullptr, nullptr, 0},
};

const WEventTableEntry __TabForm3_Base::pictbttn_rcvup_table[] = {
    {ClickEvent, W_HANDLER(&TabForm3::OnReceiverUpClick), nullptr, 0},
    {LeftButtonDownEvent, W_HANDLER(&TabForm3::OpenPortOnPress), nullptr, 0},
    {NullEvent, nullptr, nullptr, 0},
};

const WEventTableEntry __TabForm3_Base::pictbttn_rcvdwn_table[] = {
    {ClickEvent, W_HANDLER(&TabForm3::OnReceiverDownClick), nullptr, 0},
    {LeftButtonDownEvent, W_HANDLER(&TabForm3::OpenPortOnPress), nullptr, 0},
    {NullEvent, nullptr, nullptr, 0},
};

const WEventTableEntry __TabForm3_Base::pictbttn_trmup_table[] = {
    {ClickEvent, W_HANDLER(&TabForm3::OnTransmitterUpClick), nullptr, 0},
    {LeftButtonDownEvent, W_HANDLER(&TabForm3::OpenPortOnPress), nullptr, 0},
    {NullEvent, nullptr, nullptr, 0},
};

const WEventTableEntry __TabForm3_Base::pictbttn_trmdwn_table[] = {
    {ClickEvent, W_HANDLER(&TabForm3::OnTransmitterDownClick), nullptr, 0},
    {LeftButtonDownEvent, W_HANDLER(&TabForm3::OpenPortOnPress), nullptr, 0},
    {NullEvent, nullptr, nullptr, 0},
};

const WEventTableEntry __TabForm3_Base::checkbox_rcv_table[] = {
    {ClickEvent, W_HANDLER(&TabForm3::OnReceiverCheckClick), nullptr, 0},
    {LeftButtonDownEvent, W_HANDLER(&TabForm3::OnCheckBoxPress), nullptr, 0},
    {NullEvent, nullptr, nullptr, 0},
};

const WEventTableEntry __TabForm3_Base::checkbox_trm_table[] = {
    {ClickEvent, W_HANDLER(&TabForm3::OnTransmitterCheckClick), nullptr, 0},
    {LeftButtonDownEvent, W_HANDLER(&TabForm3::OnCheckBoxPress), nullptr, 0},
    {NullEvent, nullptr, nullptr, 0},
};

__TabForm3_Base::__TabForm3_Base()
{
    AttachEventTable(this, formTable, this);
}

__TabForm3_Base::~__TabForm3_Base()
{
    if (GetHandle())
        Destroy();
    DetachEventTable(this, formTable, this);
}

WWindow** __TabForm3_Base::Controls(WWindow** list)
{
    WWindow* const controls[ControlCount] = {
        groupb_1, groupb_2, pictbttn_rcvup, textb_rcv, pictbttn_rcvdwn,
        pictbttn_trmup, textb_trm, pictbttn_trmdwn, checkbox_rcv, checkbox_trm,
    };
    std::copy(std::begin(controls), std::end(controls), list);
    return list;
}

void __TabForm3_Base::AttachControlTables()
{
    AttachEventTable(pictbttn_rcvup, pictbttn_rcvup_table, this);
    AttachEventTable(pictbttn_rcvdwn, pictbttn_rcvdwn_table, this);
    AttachEventTable(pictbttn_trmup, pictbttn_trmup_table, this);
    AttachEventTable(pictbttn_trmdwn, pictbttn_trmdwn_table, this);
    AttachEventTable(checkbox_rcv, checkbox_rcv_table, this);
    AttachEventTable(checkbox_trm, checkbox_trm_table, this);
}

void __TabForm3_Base::DetachControlTables()
{
    DetachEventTable(pictbttn_rcvup, pictbttn_rcvup_table, this);
    DetachEventTable(pictbttn_rcvdwn, pictbttn_rcvdwn_table, this);
    DetachEventTable(pictbttn_trmup, pictbttn_trmup_table, this);
    DetachEventTable(pictbttn_trmdwn, pictbttn_trmdwn_table, this);
    DetachEventTable(checkbox_rcv, checkbox_rcv_table, this);
    DetachEventTable(checkbox_trm, checkbox_trm_table, this);
}

bool __TabForm3_Base::OnCreate(WObject*, WEventData*)
{
    const WModuleHandle module = WModuleHandle::Application();
    KeepInsideWorkArea();
    groupb_1 = new WGroupBox;
    groupb_2 = new WGroupBox;
    pictbttn_rcvup = new WPictureButton;
    textb_rcv = new WTextBox;
    pictbttn_rcvdwn = new WPictureButton;
    pictbttn_trmup = new WPictureButton;
    textb_trm = new WTextBox;
    pictbttn_trmdwn = new WPictureButton;
    checkbox_rcv = new WCheckBox;
    checkbox_trm = new WCheckBox;
    SetFont(WFont("8.MS Sans Serif"), true);
    SetName("TabForm3");
    WWindow* controls[ControlCount];
    Controls(controls);
    for (int32_t index = 0; index < ControlCount; ++index)
        controls[index]->LoadWindow(this, static_cast<uint16_t>(IDC_TABFORM3_GROUPB_1 + index), module);

    groupb_1->SetName("groupb_1");
    groupb_2->SetName("groupb_2");
    const struct {
        WPictureButton* button;
        uint16_t icon;
        const char* name;
    } arrows[] = {
        {pictbttn_rcvup, IDI_ARROW_UP, "pictbttn_rcvup"},
        {pictbttn_rcvdwn, IDI_ARROW_DOWN, "pictbttn_rcvdwn"},
        {pictbttn_trmup, IDI_ARROW_UP, "pictbttn_trmup"},
        {pictbttn_trmdwn, IDI_ARROW_DOWN, "pictbttn_trmdwn"},
    };
    for (const auto& arrow : arrows) {
        WIcon icon;
        icon.Load(arrow.icon, module);
        arrow.button->SetIcon(icon);
        arrow.button->SetState(false);
        arrow.button->SetName(arrow.name);
    }
    textb_rcv->SetName("textb_rcv");
    textb_trm->SetName("textb_trm");
    checkbox_rcv->SetChecked(false);
    checkbox_rcv->SetName("checkbox_rcv");
    checkbox_trm->SetChecked(false);
    checkbox_trm->SetName("checkbox_trm");

    AttachControlTables();
    SetTabOrder();
    Show();
    return false;
}

bool __TabForm3_Base::OnClose(WObject*, WEventData*)
{
    if (Destroy() && GetMainForm() == this && GetApplication())
        GetApplication()->Quit(0);
    return true;
}

bool __TabForm3_Base::OnDestroy(WObject*, WEventData*)
{
    DetachControlTables();
    WWindow* controls[ControlCount];
    Controls(controls);
    for (WWindow* control : controls)
        delete control;
    groupb_1 = groupb_2 = nullptr;
    pictbttn_rcvup = pictbttn_rcvdwn = pictbttn_trmup = pictbttn_trmdwn = nullptr;
    textb_rcv = textb_trm = nullptr;
    checkbox_rcv = checkbox_trm = nullptr;
    return false;
}

bool __TabForm3_Base::SetTabOrder()
{
    WWindow* controls[ControlCount];
    return SetTabOrder(ControlCount, Controls(controls));
}

TabForm3::TabForm3(DeviceExchange& exchange) : exchange(exchange) {}

int32_t TabForm3::StepUp(int32_t offset)
{
    return offset < HighestOffset ? offset + 1 : offset;
}

int32_t TabForm3::StepDown(int32_t offset)
{
    return offset > LowestOffset ? offset - 1 : offset;
}

void TabForm3::SetCalibration(const WString& receiverText, const WString& transmitterText)
{
    receiverOffset = receiverText.ToLong();
    transmitterOffset = transmitterText.ToLong();
    ShowOffset(ReceiverChannel);
    ShowOffset(TransmitterChannel);
}

int32_t TabForm3::GetCalibration(int32_t which) const
{
    return which == ReceiverChannel ? receiverOffset : transmitterOffset;
}

int32_t& TabForm3::OffsetOf(Channel channel)
{
    return channel == ReceiverChannel ? receiverOffset : transmitterOffset;
}

void TabForm3::ShowOffset(Channel channel)
{
    WTextBox* box = channel == ReceiverChannel ? textb_rcv : textb_trm;
    if (!box)
        return;
    WString text;
    text.Sprintf("%d", OffsetOf(channel));
    box->SetText(text);
}

void TabForm3::EnableArrows(Channel channel, bool enabled)
{
    const bool receiver = channel == ReceiverChannel;
    (receiver ? pictbttn_rcvup : pictbttn_trmup)->SetEnabled(enabled);
    (receiver ? pictbttn_rcvdwn : pictbttn_trmdwn)->SetEnabled(enabled);
}

bool TabForm3::OpenPortOnPress(WObject* source, WEventData*)
{
    return exchange.Press(static_cast<WButton*>(source));
}

// Unchecking sends nothing, so a press on a checked box needs no port.
bool TabForm3::OnCheckBoxPress(WObject* source, WEventData* data)
{
    if (static_cast<WCheckBox*>(source)->GetChecked())
        return false;
    return OpenPortOnPress(source, data);
}

bool TabForm3::OnReceiverUpClick(WObject*, WEventData*)
{
    return StepOffset(ReceiverChannel, pictbttn_rcvup, &StepUp);
}

bool TabForm3::OnReceiverDownClick(WObject*, WEventData*)
{
    return StepOffset(ReceiverChannel, pictbttn_rcvdwn, &StepDown);
}

bool TabForm3::OnTransmitterUpClick(WObject*, WEventData*)
{
    return StepOffset(TransmitterChannel, pictbttn_trmup, &StepUp);
}

bool TabForm3::OnTransmitterDownClick(WObject*, WEventData*)
{
    return StepOffset(TransmitterChannel, pictbttn_trmdwn, &StepDown);
}

bool TabForm3::OnReceiverCheckClick(WObject*, WEventData*)
{
    return ToggleCalibration(ReceiverChannel, checkbox_rcv);
}

bool TabForm3::OnTransmitterCheckClick(WObject*, WEventData*)
{
    return ToggleCalibration(TransmitterChannel, checkbox_trm);
}

// The line goes out after every click, also when the offset stood at its bound.
bool TabForm3::StepOffset(Channel channel, WButton* arrow, int32_t (*step)(int32_t))
{
    if (!exchange.BeginExchange(arrow))
        return false;
    int32_t& offset = OffsetOf(channel);
    offset = step(offset);
    ShowOffset(channel);
    return SendLiveCommand(channel, offset);
}

// The framework has toggled the box already. A click that would unlock the
// arrows but cannot reach the device leaves the box as it was.
bool TabForm3::ToggleCalibration(Channel channel, WCheckBox* checkBox)
{
    if (!checkBox->GetChecked()) {
        EnableArrows(channel, false);
        return false;
    }
    if (!exchange.BeginExchange(checkBox)) {
        checkBox->SetChecked(false);
        return false;
    }
    EnableArrows(channel, true);
    return SendLiveCommand(channel, OffsetOf(channel));
}

// The page is disabled while the device is awaited, so that none of its
// controls can start a second command. A disabled page keeps the focus of its
// control, and a key typed then would reach a control the dialog manager
// cannot get back to (on some hosts it searches for it forever): the focus
// waits on the main window meanwhile and comes back afterwards, so that the
// keyboard can go on where it was.
bool TabForm3::SendLiveCommand(Channel channel, int32_t offset)
{
    HWND focus = GetFocus();
    if (focus && IsChild(GetHandle(), focus) && GetParent())
        SetFocus(GetParent()->GetHandle());
    SetEnabled(false);
    if (tarvekComm)
        tarvekComm->SendCommand(DeviceCommands::SetCalibration(channel, offset));
    SetEnabled(true);
    exchange.EndExchange();
    if (focus && IsWindow(focus) && IsWindowEnabled(focus))
        SetFocus(focus);
    return false;
}
