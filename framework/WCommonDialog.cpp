#include "WCommonDialog.h"

bool WCommonDialog::SetParent(WWindow* owner)
{
    if (showing)
        return false;
    parent = owner;
    return true;
}

FARPROC WCommonDialog::HostFunction(const char* name)
{
    static const HMODULE library = LoadLibraryA("comdlg32.dll");
    return library ? GetProcAddress(library, name) : nullptr;
}
