#include "TabForm1.h"

#include "PortNumbers.h"
#include "WindowLook.h"
#include "resource.h"

#include <algorithm>

bool __TabForm1_Base::OnCreate(WObject*, WEventData*)
{
    KeepInsideWorkArea();
    CreateControls(ControlRows, "TabForm1");
    BindControls();
    combo_com->SetHeight(WindowLook::DropDownHeight);
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

// The list's entries stand in the order of portNumbers.
int32_t TabForm1::GetPortNumber() const
{
    const int32_t entry = combo_com ? combo_com->GetSelected() : -1;
    if (entry < 0 || entry >= static_cast<int32_t>(portNumbers.size()))
        return PortNumbers::NoPort;
    return portNumbers[entry];
}

void TabForm1::SelectPort(int32_t number)
{
    if (!combo_com)
        return;
    if (!PortNumbers::IsPortNumber(number)) {
        combo_com->SetSelected(-1);
        return;
    }
    OfferPorts(PortNumbers::Offered(presentPortNames, number));
    const auto entry = std::ranges::find(portNumbers, number) - portNumbers.begin();
    combo_com->SetSelected(static_cast<int32_t>(entry));
}

void TabForm1::EnablePortChoice(bool enabled)
{
    if (combo_com)
        combo_com->SetEnabled(enabled);
}
