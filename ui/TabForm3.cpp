#include "TabForm3.h"

#include "WModuleHandle.h"
#include "resource.h"

using DeviceCommands::ReceiverChannel;
using DeviceCommands::TransmitterChannel;

bool __TabForm3_Base::OnCreate(WObject*, WEventData*)
{
    KeepInsideWorkArea();
    CreateControls(ControlRows, "TabForm3");
    BindControls();
    const struct {
        WPictureButton* button;
        uint16_t icon;
    } arrows[] = {
        {pictbttn_rcvup, IDI_ARROW_UP},
        {pictbttn_rcvdwn, IDI_ARROW_DOWN},
        {pictbttn_trmup, IDI_ARROW_UP},
        {pictbttn_trmdwn, IDI_ARROW_DOWN},
    };
    for (const auto& arrow : arrows) {
        WIcon icon;
        icon.Load(arrow.icon, WModuleHandle::Application());
        arrow.button->SetIcon(icon);
        arrow.button->SetState(false);
    }
    checkbox_rcv->SetChecked(false);
    checkbox_trm->SetChecked(false);
    return FinishCreation();
}

const std::vector<WHandlerRow> TabForm3::handlerRows = {
    WHandlerRowOf<&TabForm3::OnArrowClick, &TabForm3::pictbttn_rcvup>(ClickEvent,
                                                                      ArrowData(ReceiverChannel, true)),
    WHandlerRowOf<&TabForm3::OnArrowClick, &TabForm3::pictbttn_rcvdwn>(ClickEvent,
                                                                       ArrowData(ReceiverChannel, false)),
    WHandlerRowOf<&TabForm3::OnArrowClick, &TabForm3::pictbttn_trmup>(ClickEvent,
                                                                      ArrowData(TransmitterChannel, true)),
    WHandlerRowOf<&TabForm3::OnArrowClick, &TabForm3::pictbttn_trmdwn>(ClickEvent,
                                                                       ArrowData(TransmitterChannel, false)),
    WHandlerRowOf<&TabForm3::OpenPortOnPress, &TabForm3::pictbttn_rcvup>(LeftButtonDownEvent),
    WHandlerRowOf<&TabForm3::OpenPortOnPress, &TabForm3::pictbttn_rcvdwn>(LeftButtonDownEvent),
    WHandlerRowOf<&TabForm3::OpenPortOnPress, &TabForm3::pictbttn_trmup>(LeftButtonDownEvent),
    WHandlerRowOf<&TabForm3::OpenPortOnPress, &TabForm3::pictbttn_trmdwn>(LeftButtonDownEvent),
    WHandlerRowOf<&TabForm3::OnCheckBoxClick, &TabForm3::checkbox_rcv>(ClickEvent, ReceiverChannel),
    WHandlerRowOf<&TabForm3::OnCheckBoxClick, &TabForm3::checkbox_trm>(ClickEvent, TransmitterChannel),
    WHandlerRowOf<&TabForm3::OnCheckBoxPress, &TabForm3::checkbox_rcv>(LeftButtonDownEvent),
    WHandlerRowOf<&TabForm3::OnCheckBoxPress, &TabForm3::checkbox_trm>(LeftButtonDownEvent),
};

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

bool TabForm3::OnArrowClick(WObject* source, WEventData* data)
{
    const auto channel = static_cast<Channel>(data->userData >> 1);
    const bool stepsUp = (data->userData & 1u) != 0;
    return StepOffset(channel, static_cast<WButton*>(source), stepsUp ? &StepUp : &StepDown);
}

bool TabForm3::OnCheckBoxClick(WObject* source, WEventData* data)
{
    return ToggleCalibration(static_cast<Channel>(data->userData), static_cast<WCheckBox*>(source));
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
// controls can start a second command.
bool TabForm3::SendLiveCommand(Channel channel, int32_t offset)
{
    exchange.SendWhileDisabled(*this, DeviceCommands::CalibrationLine(channel, offset));
    return false;
}
