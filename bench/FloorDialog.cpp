#include "FloorDialog.h"

bool HandleClosing(HWND dialog, UINT message, WPARAM wParam)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL)
            return false;
        DestroyWindow(dialog);
        return true;
    case WM_CLOSE:
        DestroyWindow(dialog);
        return true;
    case WM_DESTROY:
        PostQuitMessage(0);
        return true;
    default:
        return false;
    }
}

int RunDialogLoop(HWND dialog)
{
    if (!dialog)
        return 1;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return 0;
}
