#include "Brasselwald.h"

#include "WApplication.h"
#include "WModuleHandle.h"
#include "resource.h"

const WEventTableEntry __Brasselwald_Base::formTable[] = {
    {CreateEvent, W_HANDLER(&__Brasselwald_Base::OnCreate), nullptr, 0},
    {CloseEvent, W_HANDLER(&__Brasselwald_Base::OnClose), nullptr, 0},
    {DestroyEvent, W_HANDLER(&__Brasselwald_Base::OnDestroy), nullptr, 0},
    {NullEvent, nullptr, nullptr, 0},
};

const WEventTableEntry __Brasselwald_Base::cb_1_table[] = {
    {ClickEvent, W_HANDLER(&Brasselwald::OnOkClick), nullptr, 0},
    {NullEvent, nullptr, nullptr, 0},
};

__Brasselwald_Base::__Brasselwald_Base()
{
    AttachEventTable(this, formTable, this);
}

__Brasselwald_Base::~__Brasselwald_Base()
{
    if (GetHandle())
        Destroy();
    DetachEventTable(this, formTable, this);
}

bool __Brasselwald_Base::OnCreate(WObject*, WEventData*)
{
    const WModuleHandle module = WModuleHandle::Application();
    KeepInsideWorkArea();
    pictb_1 = new WPictureBox;
    label_1 = new WLabel;
    cb_1 = new WCommandButton;
    label_2 = new WLabel;
    SetFont(WFont("8.MS Sans Serif"), true);
    SetName("Brasselwald");
    pictb_1->LoadWindow(this, IDC_BRASSELWALD_PICTB_1, module);
    label_1->LoadWindow(this, IDC_BRASSELWALD_LABEL_1, module);
    cb_1->LoadWindow(this, IDC_BRASSELWALD_CB_1, module);
    label_2->LoadWindow(this, IDC_BRASSELWALD_LABEL_2, module);
    WBitmap logo;
    logo.Load(IDB_BRASSELWALD_LOGO, module);
    pictb_1->SetBitmap(logo);
    pictb_1->SetName("pictb_1");
    label_1->SetName("label_1");
    cb_1->SetDefault(true);
    cb_1->SetState(false);
    cb_1->SetName("cb_1");
    label_2->SetName("label_2");
    AttachEventTable(cb_1, cb_1_table, this);
    SetTabOrder();
    FormCreated();
    Show();
    return false;
}

// Ends the modal run; claimed, so that the end of the run, not the default
// processing, takes the window away.
bool __Brasselwald_Base::OnClose(WObject*, WEventData*)
{
    if (EndDialog(0) && GetMainForm() == this && GetApplication())
        GetApplication()->Quit(0);
    return true;
}

bool __Brasselwald_Base::OnDestroy(WObject*, WEventData*)
{
    DetachEventTable(cb_1, cb_1_table, this);
    delete pictb_1;
    delete label_1;
    delete cb_1;
    delete label_2;
    pictb_1 = nullptr;
    label_1 = nullptr;
    cb_1 = nullptr;
    label_2 = nullptr;
    return false;
}

bool __Brasselwald_Base::SetTabOrder()
{
    WWindow* const order[] = {pictb_1, label_1, cb_1, label_2};
    return SetTabOrder(4, order);
}

const WEventTableEntry Brasselwald::brasselwaldTable[] = {
    {CommandEvent, W_HANDLER(&Brasselwald::OnCommand), nullptr, 0},
    {NullEvent, nullptr, nullptr, 0},
};

Brasselwald::Brasselwald()
{
    AttachEventTable(this, brasselwaldTable, this);
}

Brasselwald::~Brasselwald()
{
    DetachEventTable(this, brasselwaldTable, this);
}

bool Brasselwald::OnOkClick(WObject*, WEventData*)
{
    Close();
    return false;
}

// The dialog manager turns Escape into the command of a cancel button, which
// the box does not have. Like every box with a single button, it closes then
// as with "&Ok".
bool Brasselwald::OnCommand(WObject*, WEventData* data)
{
    if (LOWORD(static_cast<WMessageEventData*>(data)->wParam) != IDCANCEL)
        return false;
    Close();
    return true;
}

// The template's place lies far to the right of the main window, at the edge
// of a wide screen: the box shows over the window it belongs to instead.
bool Brasselwald::FormCreated()
{
    WWindow* owner = GetParent();
    if (!owner || !owner->GetHandle())
        return false;
    RECT ownerRectangle{};
    RECT own{};
    GetWindowRect(owner->GetHandle(), &ownerRectangle);
    GetWindowRect(GetHandle(), &own);
    const RECT centred = CenterInArea(own, ownerRectangle);
    SetWindowPos(GetHandle(), nullptr, centred.left, centred.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    KeepInsideWorkArea();
    return false;
}
