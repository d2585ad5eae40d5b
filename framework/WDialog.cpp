#include "WDialog.h"

#include "WApplication.h"
#include "WErrors.h"

WDialog::~WDialog()
{
    if (GetHandle())
        EndDialog(result);
}

bool WDialog::LoadWindow(WWindow* parent, const WResourceID& id, const WModuleHandle& module)
{
    if (GetHandle()) {
        WSetLastError(WErrorWindowAlreadyCreated);
        return false;
    }
    DisableOtherWindows();
    running = true;
    result = 0;
    if (!CreateFromTemplate(parent, id, module)) {
        running = false;
        EnableOtherWindows();
        return false;
    }
    RunModalLoop();
    return true;
}

void WDialog::RunModalLoop()
{
    const WLifeWatch watch(lifeAnchor);
    while (watch.ObjectAlive() && running && GetHandle()) {
        MSG message{};
        bool dispatch = true;
        const int32_t got = WApplication::GetMessage(&message, true, true, nullptr, 0, 0, true, &dispatch);
        if (got < 0)
            break;
        if (got == 0) {
            // The program is ending: the outer loop must see the quit message too.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (dispatch) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    if (watch.ObjectAlive() && GetHandle())
        EndDialog(result);
}

bool WDialog::EndDialog(int32_t dialogResult)
{
    HWND window = GetHandle();
    if (!window)
        return false;
    result = dialogResult;
    running = false;
    EnableOtherWindows();
    return DestroyWindow(window) != FALSE;
}

bool WDialog::Destroy()
{
    return EndDialog(0);
}

void WDialog::WindowDestroyed()
{
    running = false;
    EnableOtherWindows();
}

void WDialog::DisableOtherWindows()
{
    disabledWindows.clear();
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM list) -> BOOL {
            if (IsWindowEnabled(window))
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&disabledWindows));
    for (HWND window : disabledWindows)
        EnableWindow(window, FALSE);
}

void WDialog::EnableOtherWindows()
{
    for (HWND window : disabledWindows) {
        if (IsWindow(window))
            EnableWindow(window, TRUE);
    }
    disabledWindows.clear();
}
