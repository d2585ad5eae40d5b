#pragma once
// The open-file dialog of bench-same-windows, in two builds: linked against
// the common dialog library, as the program is, which loads that library (and
// the shell it needs) at start; or loading it when the dialog is first shown.

#include <windows.h>
#include <commdlg.h>

bool ShowOpenDialog(OPENFILENAMEA& request);
