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
