#pragma once
// The comparator page "Komparatoren": the upper and lower switching
// thresholds of the device's two comparators, in percent, as editable texts.
// The text boxes are the only store of the thresholds; the page neither checks
// nor converts what is typed (the transfer judges the texts).

#include "WGeneratedRoutines.h"
#include "WGroupBox.h"
#include "WModelessDialog.h"
#include "WStatic.h"
#include "WTextBox.h"
#include "resource.h"

// The designer part: the page's controls and their creation from "ID_TabForm2".
class __TabForm2_Base : public WModelessDialog {
    W_DECLARE_CLASS(__TabForm2_Base, WModelessDialog)
protected:
    WLabel* label_2 = nullptr;
    WLabel* label_3 = nullptr;
    WLabel* label_4 = nullptr;
    WLabel* label_5 = nullptr;
    WTextBox* textb_threshold1_upper = nullptr;
    WTextBox* textb_threshold1_lower = nullptr;
    WTextBox* textb_threshold2_upper = nullptr;
    WTextBox* textb_threshold2_lower = nullptr;
    WLabel* label_6 = nullptr;
    WLabel* label_7 = nullptr;
    WLabel* label_8 = nullptr;
    WLabel* label_9 = nullptr;
    WGroupBox* groupb_1 = nullptr;
    WGroupBox* groupb_2 = nullptr;

private:
    static const WControlRow ControlRows[];
    bool OnCreate(WObject* source, WEventData* data);
    WGeneratedRoutines<&__TabForm2_Base::OnCreate> generatedRoutines{this};
};

// The controls in designer order.
inline const WControlRow __TabForm2_Base::ControlRows[] = {
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

class TabForm2 : public __TabForm2_Base {
    W_DECLARE_CLASS(TabForm2, __TabForm2_Base)
public:
    // Index 0: comparator 1 upper, 1: comparator 1 lower, 2: comparator 2
    // upper, 3: comparator 2 lower. The text exactly as the box holds it;
    // "0.0" for an index outside 0..3.
    WString GetThresholdText(int32_t index) const;
    // An index outside 0..3 changes nothing.
    void SetThresholdText(int32_t index, const WString& text);

private:
    WTextBox* ThresholdBox(int32_t index) const;
};
