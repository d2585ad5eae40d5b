#include "WPrintDialog.h"

#include <commdlg.h>

namespace {

void FreePrinterSettings(HGLOBAL deviceMode, HGLOBAL deviceNames, HDC printerDC)
{
    if (printerDC)
        DeleteDC(printerDC);
    if (deviceMode)
        GlobalFree(deviceMode);
    if (deviceNames)
        GlobalFree(deviceNames);
}

}  // namespace

// While the host shows its dialog, the settings' memory is the host's: it may
// free or replace it, and Show frees what the host hands back.
WPrintDialog::~WPrintDialog()
{
    if (IsShowing())
        return;
    FreePrinterSettings(deviceMode, deviceNames, printerDC);
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
    const WLifeWatch watch(lifeAnchor);
    SetShowing(true);
    const BOOL confirmed = dialog && dialog(&request);
    if (!watch.ObjectAlive()) {
        FreePrinterSettings(request.hDevMode, request.hDevNames, confirmed ? request.hDC : nullptr);
        return false;
    }
    SetShowing(false);
    // The host may allocate or replace the settings' memory; what it hands
    // back is the dialog's from now on.
    deviceMode = request.hDevMode;
    deviceNames = request.hDevNames;
    printerDC = confirmed ? request.hDC : nullptr;
    return confirmed != FALSE;
}
