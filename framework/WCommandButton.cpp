#include "WCommandButton.h"

bool WCommandButton::SetDefault(bool isDefault)
{
    if (!GetHandle())
        return false;
    Send(BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    if (isDefault && GetParent())
        GetParent()->Send(DM_SETDEFID, static_cast<WPARAM>(GetControlId()));
    return true;
}
