#include "TabForm1.h"

#include "WApplication.h"
#include "WModuleHandle.h"
#include "resource.h"

namespace {

constexpr int32_t ComboHeight = 125;
constexpr const char* portNames[TabForm1::PortCount] = {
    "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8",
};

}  // namespace

const WEventTableEntry __TabForm1_Base::formTable[] = {
    {CreateEvent, W_HANDLER(&__TabForm1_Base::OnCreate), nullptr, 0},
    {CloseEvent, W_HANDLER(&__TabForm1_Base::OnClose), nullptr, 0},
    {DestroyEvent, W_HANDLER(&__TabForm1_Base::OnDestroy), nullptr, 0},
    {NullEvent, nullptr, nullptr, 0},
};

__TabForm1_Base::__TabForm1_Base()
{
    AttachEventTable(this, formTable, this);
}

__TabForm1_Base::~__TabForm1_Base()
{
    if (GetHandle())
        Destroy();
    DetachEventTable(this, formTable, this);
}

bool __TabForm1_Base::OnCreate(WObject*, WEventData*)
{
    const WModuleHandle module = WModuleHandle::Application();
    KeepInsideWorkArea();
    groupb_1 = new WGroupBox;
    combo_com = new WComboBox;
    SetFont(WFont("8.MS Sans Serif"), true);
    SetName("TabForm1");
    groupb_1->LoadWindow(this, IDC_TABFORM1_GROUPB_1, module);
    combo_com->LoadWindow(this, IDC_TABFORM1_COMBO_COM, module);
    groupb_1->SetName("groupb_1");
    combo_com->SetName("combo_com");
    for (const char* name : portNames)
        combo_com->AddString(name);
    combo_com->SetHeight(ComboHeight);
    SetTabOrder();
    Show();
    return false;
}

bool __TabForm1_Base::OnClose(WObject*, WEventData*)
{
    if (Destroy() && GetMainForm() == this && GetApplication())
        GetApplication()->Quit(0);
    return true;
}

bool __TabForm1_Base::OnDestroy(WObject*, WEventData*)
{
    delete groupb_1;
    delete combo_com;
    groupb_1 = nullptr;
    combo_com = nullptr;
    return false;
}

bool __TabForm1_Base::SetTabOrder()
{
    WWindow* const order[] = {groupb_1, combo_com};
    return SetTabOrder(2, order);
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
