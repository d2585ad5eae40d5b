#include "TabForm1.h"

#include "resource.h"

namespace {

constexpr int32_t ComboHeight = 125;
constexpr const char* portNames[TabForm1::PortCount] = {
    "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8",
};

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
    for (const char* name : portNames)
        combo_com->AddString(name);
    combo_com->SetHeight(ComboHeight);
    AttachFormTables();
    return FinishCreation();
}

int32_t TabForm1::GetPortIndex() const
{
    return combo_com ? combo_com->GetSelected() : -1;
}

void TabForm1::SetPortIndex(int32_t index)
{
    if (!combo_com)
        return;
    combo_com->SetSelected(index >= 0 && index < PortCount ? index : -1);
}

void TabForm1::EnablePortChoice(bool enabled)
{
    if (combo_com)
        combo_com->SetEnabled(enabled);
}
