#include "TestWindow.h"

namespace {

const char* const ClassName = "CoreTestWindow";

void RegisterOnce(WNDPROC procedure)
{
    static const ATOM atom = [procedure] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = ClassName;
        return RegisterClassA(&windowClass);
    }();
    (void)atom;
}

}  // namespace

TestWindow::TestWindow(Procedure procedure) : procedure(std::move(procedure))
{
    RegisterOnce(Dispatch);
    handle = CreateWindowExA(0, ClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                             nullptr);
    SetWindowLongPtrA(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

TestWindow::~TestWindow()
{
    SetWindowLongPtrA(handle, GWLP_USERDATA, 0);
    DestroyWindow(handle);
}

LRESULT CALLBACK TestWindow::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr && message >= WM_APP)
        return self->procedure(message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

void DrainMessageQueue()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}
