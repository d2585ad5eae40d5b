#pragma once
// A message-only window for tests of the message loop: its procedure is a
// function the test gives it.

#include <windows.h>

#include <functional>

class TestWindow {
public:
    using Procedure = std::function<LRESULT(UINT message, WPARAM wParam, LPARAM lParam)>;

    explicit TestWindow(Procedure procedure);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Handle() const { return handle; }

private:
    Procedure procedure;
    HWND handle = nullptr;
    static LRESULT CALLBACK Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// Removes every message still waiting in the calling thread's queue.
void DrainMessageQueue();
