#pragma once
// The error handling page "Fehlerbehandlung": whether the device handles
// errors, whether it keeps an error memory, and after how many seconds it
// clears the errors that occurred ("-" for never). The check boxes and the
// combo box are the store; the main window reads them for a save or a
// transfer. The page's one action of its own is "Fehler löschen", which tells
// the device at once to clear the errors it has stored.

#include "ControlToolTip.h"
#include "DeviceExchange.h"
#include "WCheckBox.h"
#include "WComboBox.h"
#include "WGeneratedRoutines.h"
#include "WGroupBox.h"
#include "WModelessDialog.h"
#include "WPictureButtonEx.h"
#include "WStatic.h"
#include "resource.h"

// The designer part: the page's controls and their creation from "ID_TabForm4".
class __TabForm4_Base : public WModelessDialog {
    W_DECLARE_CLASS(__TabForm4_Base, WModelessDialog)
protected:
    WGroupBox* groupb_3 = nullptr;
    WCheckBox* checkbox_errhndl = nullptr;
    WCheckBox* checkbox_errmem = nullptr;
    WLabel* label_10 = nullptr;
    WComboBox* combo_cycle = nullptr;
    WLabel* label_11 = nullptr;
    WPictureButtonEx* pbx_error = nullptr;
    WGroupBox* groupb_1 = nullptr;
    ControlToolTip pbx_error_toolTip;

private:
    static const WControlRow ControlRows[];
    bool OnCreate(WObject* source, WEventData* data);
    void DeleteMembers() override;
    WGeneratedRoutines<&__TabForm4_Base::OnCreate> generatedRoutines{this};
};

// The controls in designer order.
inline const WControlRow __TabForm4_Base::ControlRows[] = {
    WControlRowOf<&__TabForm4_Base::groupb_3>(IDC_TABFORM4_GROUPB_3, "groupb_3"),
    WControlRowOf<&__TabForm4_Base::checkbox_errhndl>(IDC_TABFORM4_CHECKBOX_ERRHNDL, "checkbox_errhndl"),
    WControlRowOf<&__TabForm4_Base::checkbox_errmem>(IDC_TABFORM4_CHECKBOX_ERRMEM, "checkbox_errmem"),
    WControlRowOf<&__TabForm4_Base::label_10>(IDC_TABFORM4_LABEL_10, "label_10"),
    WControlRowOf<&__TabForm4_Base::combo_cycle>(IDC_TABFORM4_COMBO_CYCLE, "combo_cycle"),
    WControlRowOf<&__TabForm4_Base::label_11>(IDC_TABFORM4_LABEL_11, "label_11"),
    WControlRowOf<&__TabForm4_Base::pbx_error>(IDC_TABFORM4_PBX_ERROR, "pbx_error"),
    WControlRowOf<&__TabForm4_Base::groupb_1>(IDC_TABFORM4_GROUPB_1, "groupb_1"),
};

class TabForm4 : public __TabForm4_Base {
    W_DECLARE_CLASS(TabForm4, __TabForm4_Base)
    W_DECLARE_HANDLER_ROWS()
public:
    static constexpr const char* ClearErrorsCaption = "Fehler löschen";
    static constexpr const char* ClearErrorsToolTip = "Tarvek Fehler löschen";

    explicit TabForm4(DeviceExchange& exchange);

    bool IsErrorHandlingEnabled() const;
    bool IsErrorMemoryEnabled() const;
    void SetErrorHandlingEnabled(bool enabled);
    void SetErrorMemoryEnabled(bool enabled);
    // The selected entry ("-", "5", ... "90"); empty when none is selected.
    WString GetCycleText() const;
    // Selects the first entry, from the top, that begins with the text
    // (letter case ignored) and returns its index; -1 and the selection kept
    // when no entry does.
    int32_t SelectCycle(const char* text);

private:
    DeviceExchange& exchange;

    bool OpenPortOnPress(WObject* source, WEventData* data);
    bool OnClearErrorsClick(WObject* source, WEventData* data);
};
