#include "TabForm2.h"

#include "ConfigurationExchange.h"
#include "WApplication.h"
#include "WModuleHandle.h"
#include "resource.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr const char* controlNames[] = {
    "label_2", "label_3", "label_4", "label_5",
    "textb_threshold1_upper", "textb_threshold1_lower", "textb_threshold2_upper", "textb_threshold2_lower",
    "label_6", "label_7", "label_8", "label_9",
    "groupb_1", "groupb_2",
};

}  // namespace

const WEventTableEntry __TabForm2_Base::formTable[] = {
    {CreateEvent, W_HANDLER(&__TabForm2_Base::OnCreate), nullptr, 0},
    {CloseEvent, W_HANDLER(&__TabForm2_Base::OnClose), nullptr, 0},
    {DestroyEvent, W_HANDLER(&__TabForm2_Base::OnDestroy), nullptr, 0},
    {NullEvent, nullptr, nullptr, 0},
};

__TabForm2_Base::__TabForm2_Base()
{
    AttachEventTable(this, formTable, this);
}

__TabForm2_Base::~__TabForm2_Base()
{
    if (GetHandle())
        Destroy();
    DetachEventTable(this, formTable, this);
}

WWindow** __TabForm2_Base::Controls(WWindow** list)
{
    WWindow* const controls[ControlCount] = {
        label_2, label_3, label_4, label_5,
        textb_threshold1_upper, textb_threshold1_lower, textb_threshold2_upper, textb_threshold2_lower,
        label_6, label_7, label_8, label_9,
        groupb_1, groupb_2,
    };
    std::copy(std::begin(controls), std::end(controls), list);
    return list;
}

bool __TabForm2_Base::OnCreate(WObject*, WEventData*)
{
    const WModuleHandle module = WModuleHandle::Application();
    KeepInsideWorkArea();
    label_2 = new WLabel;
    label_3 = new WLabel;
    label_4 = new WLabel;
    label_5 = new WLabel;
    textb_threshold1_upper = new WTextBox;
    textb_threshold1_lower = new WTextBox;
    textb_threshold2_upper = new WTextBox;
    textb_threshold2_lower = new WTextBox;
    label_6 = new WLabel;
    label_7 = new WLabel;
    label_8 = new WLabel;
    label_9 = new WLabel;
    groupb_1 = new WGroupBox;
    groupb_2 = new WGroupBox;
    SetFont(WFont("8.MS Sans Serif"), true);
    SetName("TabForm2");
    WWindow* controls[ControlCount];
    Controls(controls);
    for (int32_t index = 0; index < ControlCount; ++index)
        controls[index]->LoadWindow(this, static_cast<uint16_t>(IDC_TABFORM2_LABEL_2 + index), module);
    for (int32_t index = 0; index < ControlCount; ++index)
        controls[index]->SetName(controlNames[index]);
    SetTabOrder();
    Show();
    return false;
}

bool __TabForm2_Base::OnClose(WObject*, WEventData*)
{
    if (Destroy() && GetMainForm() == this && GetApplication())
        GetApplication()->Quit(0);
    return true;
}

bool __TabForm2_Base::OnDestroy(WObject*, WEventData*)
{
    WWindow* controls[ControlCount];
    Controls(controls);
    for (WWindow* control : controls)
        delete control;
    label_2 = label_3 = label_4 = label_5 = nullptr;
    textb_threshold1_upper = textb_threshold1_lower = nullptr;
    textb_threshold2_upper = textb_threshold2_lower = nullptr;
    label_6 = label_7 = label_8 = label_9 = nullptr;
    groupb_1 = groupb_2 = nullptr;
    return false;
}

bool __TabForm2_Base::SetTabOrder()
{
    WWindow* controls[ControlCount];
    return SetTabOrder(ControlCount, Controls(controls));
}

WTextBox* TabForm2::ThresholdBox(int32_t index) const
{
    switch (index) {
    case DeviceCommands::Threshold1UpperIndex:
        return textb_threshold1_upper;
    case DeviceCommands::Threshold1LowerIndex:
        return textb_threshold1_lower;
    case DeviceCommands::Threshold2UpperIndex:
        return textb_threshold2_upper;
    case DeviceCommands::Threshold2LowerIndex:
        return textb_threshold2_lower;
    default:
        return nullptr;
    }
}

WString TabForm2::GetThresholdText(int32_t index) const
{
    const WTextBox* box = ThresholdBox(index);
    return box ? box->GetText() : WString("0.0");
}

void TabForm2::SetThresholdValue(int32_t index, double value)
{
    if (WTextBox* box = ThresholdBox(index))
        box->SetText(ConfigurationExchange::FormatThreshold(value));
}
