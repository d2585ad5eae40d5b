#include "WButton.h"

void WButton::SetState(bool pushed)
{
    Send(BM_SETSTATE, pushed);
}

bool WButton::GetState() const
{
    return (Send(BM_GETSTATE) & BST_PUSHED) != 0;
}

bool WButton::ReflectCommand(WORD code, WORD, LRESULT&)
{
    return code == BN_CLICKED && ProcessEvent(ClickEvent, this);
}
