#include "WCommonDialog.h"

bool WCommonDialog::SetParent(WWindow* owner)
{
    if (showing)
        return false;
    parent = owner;
    return true;
}
