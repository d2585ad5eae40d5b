#include "DialogWatchers.h"

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
    if (IsWindowVisible(window) && GetWindow(window, GW_OWNER) == search->owner && lstrcmpA(className, "#32770") == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

void WaitUntilGone(HWND window)
{
    const ULONGLONG deadline = GetTickCount64() + GoneTimeout;
    while (IsWindow(window) && GetTickCount64() < deadline)
        Sleep(PollInterval);
}

}  // namespace

HWND FindOwnedDialog(HWND owner)
{
    OwnedSearch search{owner, nullptr};
    EnumWindows(&MatchOwned, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForOwnedDialog(HWND owner, DWORD timeoutMilliseconds)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMilliseconds;
    HWND dialog = nullptr;
    while (!(dialog = FindOwnedDialog(owner)) && GetTickCount64() < deadline)
        Sleep(PollInterval);
    return dialog;
}

MessageBoxCollector::MessageBoxCollector(std::string title, int answer, std::string screenshot)
    : title(std::move(title)), answer(answer), screenshot(std::move(screenshot)),
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
    while (!stopping) {
        HWND box = FindWindowA("#32770", title.c_str());
        if (!box || !IsWindowVisible(box) || std::find(seen.begin(), seen.end(), box) != seen.end()) {
            Sleep(PollInterval);
            continue;
        }
        seen.push_back(box);
        if (!screenshot.empty() && seen.size() == 1)
            SaveWindowScreenshot(box, screenshot.c_str());
        {
            std::lock_guard<std::mutex> lock(mutex);
            texts.push_back(ReadMessageBoxText(box));
        }
        DismissDialog(box, answer);
        WaitUntilGone(box);
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
