#include "WPrintDialog.h"

#include <commdlg.h>

WPrintDialog::~WPrintDialog()
{
    if (printerDC)
        DeleteDC(printerDC);
    if (deviceMode)
        GlobalFree(deviceMode);
    if (deviceNames)
        GlobalFree(deviceNames);
}

// Lets the host set the focus to the dialog's default control.
UINT_PTR CALLBACK WPrintDialog::HookProcedure(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

bool WPrintDialog::Show()
{
    if (IsShowing())
        return false;
    if (printerDC) {
        DeleteDC(printerDC);
        printerDC = nullptr;
    }
    PRINTDLGA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = GetOwnerHandle();
    request.hDevMode = deviceMode;
    request.hDevNames = deviceNames;
    request.Flags = GetFlags();
    if (request.Flags & PD_ENABLEPRINTHOOK)
        request.lpfnPrintHook = &WPrintDialog::HookProcedure;

    using Dialog = BOOL(WINAPI*)(PRINTDLGA*);
    const auto dialog = reinterpret_cast<Dialog>(reinterpret_cast<void*>(HostFunction("PrintDlgA")));
    SetShowing(true);
    const BOOL confirmed = dialog && dialog(&request);
    SetShowing(false);
    // The host may allocate or replace the settings' memory; what it hands
    // back is the dialog's from now on.
    deviceMode = request.hDevMode;
    deviceNames = request.hDevNames;
    printerDC = confirmed ? request.hDC : nullptr;
    return confirmed != FALSE;
}
