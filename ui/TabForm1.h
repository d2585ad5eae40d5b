#pragma once
// The interface page "Einstellungen": the choice of the serial interface
// through which the device is reached: COM1 to COM8, then every port above
// them that the host lists when the page is made. The page only holds the
// choice; every press that opens the port reads it at that moment.

#include "WComboBox.h"
#include "WGeneratedRoutines.h"
#include "WGroupBox.h"
#include "WModelessDialog.h"
#include "resource.h"

#include <vector>

// The designer part: the page's controls and their creation from "ID_TabForm1".
class __TabForm1_Base : public WModelessDialog {
    W_DECLARE_CLASS(__TabForm1_Base, WModelessDialog)
protected:
    WGroupBox* groupb_1 = nullptr;
    WComboBox* combo_com = nullptr;

private:
    static const WControlRow ControlRows[];
    bool OnCreate(WObject* source, WEventData* data);
    WGeneratedRoutines<&__TabForm1_Base::OnCreate> generatedRoutines{this};
};

// The controls in designer order.
inline const WControlRow __TabForm1_Base::ControlRows[] = {
    WControlRowOf<&__TabForm1_Base::groupb_1>(IDC_TABFORM1_GROUPB_1, "groupb_1"),
    WControlRowOf<&__TabForm1_Base::combo_com>(IDC_TABFORM1_COMBO_COM, "combo_com"),
};

class TabForm1 : public __TabForm1_Base {
    W_DECLARE_CLASS(TabForm1, __TabForm1_Base)
public:
    // The port number of the selected entry, n for COMn; PortNumbers::NoPort
    // when no entry is selected.
    int32_t GetPortNumber() const;
    // Selects COMn. A port the host did not list gets its entry first, so
    // that a stored choice is kept while its adapter is unplugged and the open
    // failure names it. A number of no port (outside 1..255) leaves no entry
    // selected.
    void SelectPort(int32_t number);
    void EnablePortChoice(bool enabled);

private:
    std::vector<WString> presentPortNames;  // as the host listed them when the page was made
    std::vector<int32_t> portNumbers;       // the port number of each entry, in entry order

    bool FormCreated() override;
    // Adds an entry, in ascending order, for each number that has none yet.
    void OfferPorts(const std::vector<int32_t>& numbers);
};
