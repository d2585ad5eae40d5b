#pragma once
// The interface page "Einstellungen": the choice of the serial interface,
// COM1 to COM8, through which the device is reached. The page only holds the
// choice; every press that opens the port reads it at that moment.

#include "WComboBox.h"
#include "WGeneratedRoutines.h"
#include "WGroupBox.h"
#include "WModelessDialog.h"

// The designer part: the page's controls and their creation from "ID_TabForm1".
class __TabForm1_Base : public WModelessDialog {
    W_DECLARE_CLASS(__TabForm1_Base, WModelessDialog)
protected:
    WGroupBox* groupb_1 = nullptr;
    WComboBox* combo_com = nullptr;

private:
    static const WControlRow controlRows[];
    bool OnCreate(WObject* source, WEventData* data);
    WGeneratedRoutines<&__TabForm1_Base::OnCreate> generatedRoutines{this};
};

class TabForm1 : public __TabForm1_Base {
    W_DECLARE_CLASS(TabForm1, __TabForm1_Base)
public:
    static constexpr int32_t PortCount = 8;

    // 0 for COM1 to 7 for COM8; -1 when no entry is selected.
    int32_t GetPortIndex() const;
    // An index outside 0..7 leaves no entry selected.
    void SetPortIndex(int32_t index);
    void EnablePortChoice(bool enabled);
};
