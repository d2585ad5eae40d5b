#include "DialogWatchers.h"

#include "Clock.h"
#include "Screenshot.h"
#include "WindowDriver.h"

#include <algorithm>

namespace {

constexpr DWORD PollInterval = 10;
constexpr DWORD GoneTimeout = 5000;
// The file name field of the host's file dialogs, old and new layout.
constexpr int FileNameEdit = 0x480;
constexpr int FileNameCombo = 0x47C;

struct OwnedSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK MatchOwned(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<OwnedSearch*>(parameter);
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (IsWindowVisible(window) && GetWindow(window, GW_OWNER) == search->owner
        && lstrcmpA(className, "#32770") == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Looks at the windows without sending them messages, which reading a title
// does: the thread that owns them may be waiting for the watcher to stop.
std::vector<HWND> ShownWindowsOfThisProcess(const char* className, const char* title)
{
    std::vector<HWND> shown;
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, className, title)) != nullptr) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId() && IsWindowVisible(window))
            shown.push_back(window);
    }
    return shown;
}

void WaitUntilGone(HWND window)
{
    PollUntil([window] { return !IsWindow(window); }, GoneTimeout, PollInterval);
}

}  // namespace

HostDialogInterrupter::HostDialogInterrupter(std::function<void()> interrupt, std::function<bool()> done,
                                             DWORD timeoutMilliseconds)
    : thread([this, interrupt = std::move(interrupt), done = std::move(done), timeoutMilliseconds] {
          HWND dialog = FindTopLevelWindow(nullptr, "#32770", timeoutMilliseconds);
          if (!dialog)
              return;
          interrupt();
          PollUntil(done, timeoutMilliseconds, PollInterval);
          DismissDialog(dialog, IDCANCEL);
          cancelled = true;
      })
{
}

HostDialogInterrupter::~HostDialogInterrupter()
{
    if (thread.joinable())
        thread.join();
}

bool HostDialogInterrupter::Finish()
{
    if (thread.joinable())
        thread.join();
    return cancelled;
}

HWND FindOwnedDialog(HWND owner)
{
    OwnedSearch search{owner, nullptr};
    EnumWindows(&MatchOwned, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForOwnedDialog(HWND owner, DWORD timeoutMilliseconds)
{
    HWND dialog = nullptr;
    PollUntil([&] { return (dialog = FindOwnedDialog(owner)) != nullptr; }, timeoutMilliseconds, PollInterval);
    return dialog;
}

MessageBoxWatcher::MessageBoxWatcher(std::string title, int buttonId, DWORD timeoutMilliseconds,
                                     HWND taskWindow)
    : thread(&MessageBoxWatcher::Watch, this, std::move(title), buttonId, timeoutMilliseconds, taskWindow)
{
}

MessageBoxWatcher::~MessageBoxWatcher()
{
    if (thread.joinable())
        thread.join();
}

namespace {

// The icon of a message box is a static showing an icon; its item id differs between hosts.
bool ShowsStopIcon(HWND messageBox)
{
    const HICON stopIcon = LoadIcon(nullptr, IDI_HAND);
    for (HWND child = GetWindow(messageBox, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = "";
        GetClassNameA(child, className, sizeof className);
        const LONG style = GetWindowLongA(child, GWL_STYLE);
        if (lstrcmpiA(className, "Static") == 0 && (style & SS_TYPEMASK) == SS_ICON
            && reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0)) == stopIcon)
            return true;
    }
    return false;
}

bool HasOnlyOkButton(HWND messageBox)
{
    int buttons = 0;
    for (HWND child = GetWindow(messageBox, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[32] = "";
        GetClassNameA(child, className, sizeof className);
        if (lstrcmpiA(className, "Button") == 0 && (GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE))
            ++buttons;
    }
    return buttons == 1 && GetDlgItem(messageBox, IDOK) != nullptr;
}

}  // namespace

void MessageBoxWatcher::Watch(std::string title, int buttonId, DWORD timeoutMilliseconds, HWND taskWindow)
{
    HWND box = FindTopLevelWindow(title.c_str(), "#32770", timeoutMilliseconds);
    if (!box)
        return;
    {
        std::lock_guard<std::mutex> lock(mutex);
        look.seenAt = GetTickCount64();
        look.text = ReadMessageBoxText(box);
        look.hasOwner = GetWindow(box, GW_OWNER) != nullptr;
        look.hasStopIcon = ShowsStopIcon(box);
        look.hasOnlyOkButton = HasOnlyOkButton(box);
        look.taskWindowWasDisabled = taskWindow != nullptr && !IsWindowEnabled(taskWindow);
    }
    found = true;
    DismissDialog(box, buttonId);
}

bool MessageBoxWatcher::Finish()
{
    if (thread.joinable())
        thread.join();
    return found;
}

std::string MessageBoxWatcher::GetText()
{
    std::lock_guard<std::mutex> lock(mutex);
    return look.text;
}

MessageBoxCollector::MessageBoxCollector(const char* title, int answer, std::string screenshot)
    : title(title ? title : ""), anyWindow(title == nullptr), answer(answer), screenshot(std::move(screenshot)),
      thread(&MessageBoxCollector::Watch, this)
{
}

MessageBoxCollector::~MessageBoxCollector()
{
    Stop();
}

std::vector<std::string> MessageBoxCollector::Stop()
{
    stopping = true;
    if (thread.joinable())
        thread.join();
    return Texts();
}

std::vector<std::string> MessageBoxCollector::Texts()
{
    std::lock_guard<std::mutex> lock(mutex);
    return texts;
}

void MessageBoxCollector::Watch()
{
    std::vector<HWND> seen;
    const auto isNew = [&](HWND window) { return std::find(seen.begin(), seen.end(), window) == seen.end(); };
    while (!stopping) {
        const std::vector<HWND> shown = anyWindow ? ShownWindowsOfThisProcess(nullptr, nullptr)
                                                  : ShownWindowsOfThisProcess("#32770", title.c_str());
        const auto box = std::find_if(shown.begin(), shown.end(), isNew);
        if (box == shown.end()) {
            Sleep(PollInterval);
            continue;
        }
        HWND window = *box;
        seen.push_back(window);
        if (!screenshot.empty() && seen.size() == 1)
            SaveWindowScreenshot(window, screenshot.c_str());
        {
            std::lock_guard<std::mutex> lock(mutex);
            texts.push_back(ReadMessageBoxText(window));
        }
        DismissDialog(window, answer);
        WaitUntilGone(window);
    }
}

FileDialogDriver::FileDialogDriver(HWND owner, std::string fileName, DWORD timeoutMilliseconds)
    : thread(&FileDialogDriver::Drive, this, owner, std::move(fileName), timeoutMilliseconds)
{
}

FileDialogDriver::~FileDialogDriver()
{
    Finish();
}

bool FileDialogDriver::Finish()
{
    if (thread.joinable())
        thread.join();
    return found;
}

void FileDialogDriver::Drive(HWND owner, std::string fileName, DWORD timeoutMilliseconds)
{
    HWND dialog = WaitForOwnedDialog(owner, timeoutMilliseconds);
    if (!dialog)
        return;
    found = true;
    if (fileName.empty()) {
        DismissDialog(dialog, IDCANCEL);
    } else {
        const int field = GetDlgItem(dialog, FileNameEdit) ? FileNameEdit : FileNameCombo;
        SetDlgItemTextA(dialog, field, fileName.c_str());
        DismissDialog(dialog, IDOK);
    }
    WaitUntilGone(dialog);
}

OwnedDialogCounter::OwnedDialogCounter(HWND owner) : owner(owner), thread(&OwnedDialogCounter::Watch, this) {}

OwnedDialogCounter::~OwnedDialogCounter()
{
    Stop();
}

int OwnedDialogCounter::Stop()
{
    stopping = true;
    if (thread.joinable())
        thread.join();
    return count;
}

void OwnedDialogCounter::Watch()
{
    while (!stopping) {
        HWND dialog = FindOwnedDialog(owner);
        if (!dialog) {
            Sleep(PollInterval);
            continue;
        }
        ++count;
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        WaitUntilGone(dialog);
    }
}
