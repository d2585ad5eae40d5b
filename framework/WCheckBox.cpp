#include "WCheckBox.h"

bool WCheckBox::GetChecked() const
{
    return Send(BM_GETCHECK) == BST_CHECKED;
}

bool WCheckBox::SetChecked(bool checked)
{
    Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
    return GetChecked() == checked && GetHandle();
}
