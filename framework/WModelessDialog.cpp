#include "WModelessDialog.h"

bool WModelessDialog::LoadWindow(WWindow* parent, const WResourceID& id, const WModuleHandle& module)
{
    return CreateFromTemplate(parent, id, module);
}
