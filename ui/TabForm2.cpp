#include "TabForm2.h"

#include "DeviceCommands.h"
#include "resource.h"

const WControlRow __TabForm2_Base::ControlRows[] = {
    WControlRowOf<&__TabForm2_Base::label_2>(IDC_TABFORM2_LABEL_2, "label_2"),
    WControlRowOf<&__TabForm2_Base::label_3>(IDC_TABFORM2_LABEL_3, "label_3"),
    WControlRowOf<&__TabForm2_Base::label_4>(IDC_TABFORM2_LABEL_4, "label_4"),
    WControlRowOf<&__TabForm2_Base::label_5>(IDC_TABFORM2_LABEL_5, "label_5"),
    WControlRowOf<&__TabForm2_Base::textb_threshold1_upper>(IDC_TABFORM2_TEXTB_THRESHOLD1_UPPER,
                                                            "textb_threshold1_upper"),
    WControlRowOf<&__TabForm2_Base::textb_threshold1_lower>(IDC_TABFORM2_TEXTB_THRESHOLD1_LOWER,
                                                            "textb_threshold1_lower"),
    WControlRowOf<&__TabForm2_Base::textb_threshold2_upper>(IDC_TABFORM2_TEXTB_THRESHOLD2_UPPER,
                                                            "textb_threshold2_upper"),
    WControlRowOf<&__TabForm2_Base::textb_threshold2_lower>(IDC_TABFORM2_TEXTB_THRESHOLD2_LOWER,
                                                            "textb_threshold2_lower"),
    WControlRowOf<&__TabForm2_Base::label_6>(IDC_TABFORM2_LABEL_6, "label_6"),
    WControlRowOf<&__TabForm2_Base::label_7>(IDC_TABFORM2_LABEL_7, "label_7"),
    WControlRowOf<&__TabForm2_Base::label_8>(IDC_TABFORM2_LABEL_8, "label_8"),
    WControlRowOf<&__TabForm2_Base::label_9>(IDC_TABFORM2_LABEL_9, "label_9"),
    WControlRowOf<&__TabForm2_Base::groupb_1>(IDC_TABFORM2_GROUPB_1, "groupb_1"),
    WControlRowOf<&__TabForm2_Base::groupb_2>(IDC_TABFORM2_GROUPB_2, "groupb_2"),
};

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
