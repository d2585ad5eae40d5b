#pragma once
// The host's print dialog with stored settings: owner and option flags. The
// printer and page settings the user chose are kept for the next showing, so
// that the dialog opens with them again.

#include "WCommonDialog.h"

class WPrintDialog : public WCommonDialog {
    W_DECLARE_CLASS(WPrintDialog, WCommonDialog)
public:
    WPrintDialog() = default;
    ~WPrintDialog() override;

    // True when the user confirmed the dialog (or, with PD_RETURNDEFAULT, when
    // there is a default printer).
    bool Show();
    // The printer device context the host made for PD_RETURNDC, or null; it
    // belongs to the dialog until the next showing.
    HDC GetPrinterDC() const { return printerDC; }

private:
    static UINT_PTR CALLBACK HookProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    HGLOBAL deviceMode = nullptr;
    HGLOBAL deviceNames = nullptr;
    HDC printerDC = nullptr;
};
