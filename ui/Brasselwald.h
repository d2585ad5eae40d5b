#pragma once
// The about box: the maker's picture, the program's name and version, and
// "&Ok". It runs modally; its window and controls exist only while it shows,
// so the one object serves any number of showings.

#include "WCommandButton.h"
#include "WDialog.h"
#include "WGeneratedRoutines.h"
#include "WPictureBox.h"
#include "WStatic.h"
#include "resource.h"

// The designer part: the box's controls and their creation from "ID_Brasselwald".
class __Brasselwald_Base : public WDialog {
    W_DECLARE_CLASS(__Brasselwald_Base, WDialog)
protected:
    WPictureBox* pictb_1 = nullptr;
    WLabel* label_1 = nullptr;
    WCommandButton* cb_1 = nullptr;
    WLabel* label_2 = nullptr;

private:
    static const WControlRow ControlRows[];
    bool OnCreate(WObject* source, WEventData* data);
    WGeneratedRoutines<&__Brasselwald_Base::OnCreate> generatedRoutines{this};
};

// The controls in designer order.
inline const WControlRow __Brasselwald_Base::ControlRows[] = {
    WControlRowOf<&__Brasselwald_Base::pictb_1>(IDC_BRASSELWALD_PICTB_1, "pictb_1"),
    WControlRowOf<&__Brasselwald_Base::label_1>(IDC_BRASSELWALD_LABEL_1, "label_1"),
    WControlRowOf<&__Brasselwald_Base::cb_1>(IDC_BRASSELWALD_CB_1, "cb_1"),
    WControlRowOf<&__Brasselwald_Base::label_2>(IDC_BRASSELWALD_LABEL_2, "label_2"),
};

class Brasselwald : public __Brasselwald_Base {
    W_DECLARE_CLASS(Brasselwald, __Brasselwald_Base)
    W_DECLARE_HANDLER_ROWS()
protected:
    bool FormCreated() override;

private:
    bool OnOkClick(WObject* source, WEventData* data);
    bool OnCommand(WObject* source, WEventData* data);
};
