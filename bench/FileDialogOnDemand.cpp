#include "FileDialog.h"

bool ShowOpenDialog(OPENFILENAMEA& request)
{
    using OpenDialog = BOOL(WINAPI*)(OPENFILENAMEA*);
    static const auto open = reinterpret_cast<OpenDialog>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryA("comdlg32.dll"), "GetOpenFileNameA")));
    return open && open(&request) != FALSE;
}
