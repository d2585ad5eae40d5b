#include "TabForm1.h"

#include "PortNumbers.h"
#include "resource.h"

#include <algorithm>

namespace {

constexpr int32_t ComboHeight = 125;

}  // namespace

const WControlRow __TabForm1_Base::controlRows[] = {
    WControlRowOf<&__TabForm1_Base::groupb_1>(IDC_TABFORM1_GROUPB_1, "groupb_1"),
    WControlRowOf<&__TabForm1_Base::combo_com>(IDC_TABFORM1_COMBO_COM, "combo_com"),
};

bool __TabForm1_Base::OnCreate(WObject*, WEventData*)
{
    KeepInsideWorkArea();
    CreateControls(controlRows, "TabForm1");
    BindControls();
    combo_com->SetHeight(ComboHeight);
    return FinishCreation();
}

// The host's list is read once: a port plugged in later is offered at the
// next start.
bool TabForm1::FormCreated()
{
    presentPortNames = PortNumbers::ReadPresentNames();
    portNumbers.clear();
    OfferPorts(PortNumbers::Offered(presentPortNames, PortNumbers::NoPort));
    return false;
}

void TabForm1::OfferPorts(const std::vector<int32_t>& numbers)
{
    for (int32_t number : numbers) {
        const auto place = std::ranges::lower_bound(portNumbers, number);
        if (place != portNumbers.end() && *place == number)
            continue;
        WString name;
        name.Sprintf("COM%d", number);
        combo_com->AddString(name.GetText(), static_cast<int32_t>(place - portNumbers.begin()));
        portNumbers.insert(place, number);
    }
}

int32_t TabForm1::GetPortIndex() const
{
    const int32_t entry = combo_com ? combo_com->GetSelected() : -1;
    if (entry < 0 || entry >= static_cast<int32_t>(portNumbers.size()))
        return -1;
    return portNumbers[entry] - 1;
}

void TabForm1::SetPortIndex(int32_t index)
{
    if (!combo_com)
        return;
    if (index < 0 || index >= PortNumbers::HighestPortNumber) {
        combo_com->SetSelected(-1);
        return;
    }
    const int32_t number = index + 1;
    OfferPorts(PortNumbers::Offered(presentPortNames, number));
    const auto entry = std::ranges::find(portNumbers, number) - portNumbers.begin();
    combo_com->SetSelected(static_cast<int32_t>(entry));
}

void TabForm1::EnablePortChoice(bool enabled)
{
    if (combo_com)
        combo_com->SetEnabled(enabled);
}
