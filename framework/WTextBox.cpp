#include "WTextBox.h"

bool WTextBox::SetReadOnly(bool readOnly)
{
    return Send(EM_SETREADONLY, readOnly) != 0;
}

void WTextBox::SetLimit(int32_t characters)
{
    Send(EM_LIMITTEXT, static_cast<WPARAM>(characters));
}
