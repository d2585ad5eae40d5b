// bench-minimal: the smallest Win32 program of the kind the configuration
// tool is, as a yardstick for its start-up time and memory: one modeless
// dialog from a template and a message loop. It ends when the dialog is
// closed.

#include "FloorDialog.h"

namespace {

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    return message == WM_INITDIALOG || HandleClosing(dialog, message, wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return RunDialogLoop(CreateDialogParamA(instance, "ID_Minimal", nullptr, DialogProcedure, 0));
}
