#include "TransferDriver.h"

#include <commctrl.h>

#include <cstdio>
#include <vector>

namespace {

constexpr char MainWindowTitle[] = "Tarvek";
constexpr int TransferButtonId = 106;
constexpr DWORD PollMilliseconds = 20;
constexpr UINT QueryMilliseconds = 2000;

std::string WindowText(HWND window)
{
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ClassName(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string ToUtf8(const std::string& ansi)
{
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), wideLength);
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

// The message box's text on one line: its line breaks and blank lines as single blanks.
std::string MessageBoxText(HWND box)
{
    std::string text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassName(child) == "Static")
            text += WindowText(child);
    }
    std::string oneLine;
    for (char character : text) {
        const bool blank = character == '\r' || character == '\n' || character == ' ';
        if (!blank)
            oneLine.push_back(character);
        else if (!oneLine.empty() && oneLine.back() != ' ')
            oneLine.push_back(' ');
    }
    while (!oneLine.empty() && oneLine.back() == ' ')
        oneLine.pop_back();
    return oneLine;
}

// The visible dialog windows of one process, except one.
struct WindowSearch {
    DWORD processId;
    HWND except;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM parameter)
{
    auto& search = *reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId && window != search.except && IsWindowVisible(window)
        && ClassName(window) == "#32770")
        search.windows.push_back(window);
    return TRUE;
}

}  // namespace

void Report(const std::string& text)
{
    std::fputs(ToUtf8(text).c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

TransferDriver::TransferDriver(DWORD processId, DWORD timeoutMilliseconds)
    : processId(processId), timeout(timeoutMilliseconds)
{
}

bool TransferDriver::FindMainWindow()
{
    const bool found = Poll(
        [this] {
            WindowSearch search{processId, nullptr, {}};
            EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
            for (HWND window : search.windows) {
                if (WindowText(window) == MainWindowTitle && GetDlgItem(window, TransferButtonId)
                    && FindWindowExA(window, nullptr, STATUSCLASSNAMEA, nullptr)) {
                    mainWindow = window;
                    return true;
                }
            }
            return false;
        },
        "the main window \"Tarvek\"");
    if (!found)
        return false;
    transferButton = GetDlgItem(mainWindow, TransferButtonId);
    statusBar = FindWindowExA(mainWindow, nullptr, STATUSCLASSNAMEA, nullptr);
    Report("found the main window \"Tarvek\"");
    return true;
}

// The press opens the port and shows the connect text; the release over the
// button is the click that sends the seven lines. The status text stays set
// from the press to the very end of the click, which empties it, so an empty
// text after the release means the window is idle again.
bool TransferDriver::RunTransfer()
{
    messageBoxSeen = false;
    Report("pressing \"" + WindowText(transferButton) + "\"");
    PostMouse(WM_LBUTTONDOWN, MK_LBUTTON);
    // A port that cannot be opened shows its message instead of the connect text.
    if (!WaitUntil([this] { return StatusTextLength() > 0 || messageBoxSeen; }, "the connection")
        || messageBoxSeen)
        return false;
    PostMouse(WM_LBUTTONUP, 0);
    if (!WaitUntil([this] { return StatusTextLength() == 0; }, "the end of the transfer"))
        return false;
    if (messageBoxSeen)
        return false;
    Report("the transfer is over and the window is idle again");
    return true;
}

bool TransferDriver::CloseMainWindow()
{
    PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    if (!Poll([this] { return !IsWindow(mainWindow); }, "the main window to close"))
        return false;
    Report("the main window is closed");
    return true;
}

// Message boxes are dismissed on every round, so that a box the program shows
// on the way never blocks the condition; seeing one is remembered as a failure.
bool TransferDriver::WaitUntil(const std::function<bool()>& condition, const char* what)
{
    return Poll(
        [this, &condition] {
            if (DismissMessageBoxes())
                messageBoxSeen = true;
            return condition() || !IsWindow(mainWindow);
        },
        what)
        && IsWindow(mainWindow);
}

bool TransferDriver::Poll(const std::function<bool()>& condition, const char* what) const
{
    const ULONGLONG deadline = GetTickCount64() + timeout;
    while (!condition()) {
        if (GetTickCount64() >= deadline) {
            Report(std::string("gave up waiting for ") + what);
            return false;
        }
        Sleep(PollMilliseconds);
    }
    return true;
}

bool TransferDriver::DismissMessageBoxes()
{
    WindowSearch search{processId, mainWindow, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    for (HWND box : search.windows)
        DismissMessageBox(box);
    return !search.windows.empty();
}

// The box's default button, pressed as Enter would press it.
void TransferDriver::DismissMessageBox(HWND box)
{
    Report("message box \"" + WindowText(box) + "\": " + MessageBoxText(box));
    DWORD_PTR result = 0;
    SendMessageTimeoutA(box, DM_GETDEFID, 0, 0, SMTO_ABORTIFHUNG, QueryMilliseconds, &result);
    const int button = HIWORD(result) == DC_HASDEFID ? LOWORD(result) : IDOK;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
    Poll([box] { return !IsWindow(box) || !IsWindowVisible(box); }, "the message box to close");
}

void TransferDriver::PostMouse(UINT message, WPARAM keys)
{
    RECT client;
    GetClientRect(transferButton, &client);
    PostMessageA(transferButton, message, keys, MAKELPARAM(client.right / 2, client.bottom / 2));
}

int TransferDriver::StatusTextLength() const
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(statusBar, SB_GETTEXTLENGTHA, 0, 0, SMTO_ABORTIFHUNG, QueryMilliseconds, &result))
        return -1;
    return LOWORD(result);
}
