#include "TabForm2.h"

#include "DeviceCommands.h"
#include "resource.h"

bool __TabForm2_Base::OnCreate(WObject*, WEventData*)
{
    KeepInsideWorkArea();
    CreateControls(ControlRows, "TabForm2");
    BindControls();
    return FinishCreation();
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

void TabForm2::SetThresholdText(int32_t index, const WString& text)
{
    if (WTextBox* box = ThresholdBox(index))
        box->SetText(text);
}
