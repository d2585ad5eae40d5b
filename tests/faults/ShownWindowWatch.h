#pragma once
// Watches, from a thread of its own, whether this process shows any window
// (a message box, typically) while the test's thread does something that must
// show nothing. A window that appears is noted and answered with OK, so that
// a test of something meant to stay silent fails instead of hanging.

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

class ShownWindowWatch {
public:
    ShownWindowWatch();
    ~ShownWindowWatch();
    ShownWindowWatch(const ShownWindowWatch&) = delete;
    ShownWindowWatch& operator=(const ShownWindowWatch&) = delete;

    // Ends the watch; true when a window was shown meanwhile.
    bool Finish();
    // The title of the first window seen, for the failure message.
    const std::string& Title() const { return title; }

private:
    std::atomic<bool> stopping{false};
    std::atomic<bool> seen{false};
    std::string title;
    std::thread watcher;

    void Watch();
    HWND FindShownWindow() const;
};
