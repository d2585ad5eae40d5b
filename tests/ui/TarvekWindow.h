#pragma once
// The main window as the tests meet it: created the way the application's
// start does it, with a clean registry key, and driven through its real
// windows. Controls are found by the names the creation routines give them.

#include "Tarvek.h"

#include <gtest/gtest.h>

#include <string>

// The registry key of the settings, under both roots, removed.
void RemoveSettingsKey();
// The stored "COM" value, the machine's in the 32-bit view; -1 when there is none.
int StoredComPort(HKEY root = HKEY_LOCAL_MACHINE);
void StoreComPort(int port);
// The stored "KVLActive" text; "<none>" when there is none.
std::string StoredActiveFlag();
// The machine's settings key exists in the registry view (KEY_WOW64_32KEY or
// KEY_WOW64_64KEY).
bool MachineKeyExists(REGSAM view);
// Lets everyone only read the machine's settings key (or everything again).
void SetSettingsKeyReadOnly(bool readOnly);

// A descendant window of the root whose framework object carries the name.
HWND FindNamed(HWND root, const char* name);
// The framework object of a named descendant, as the class it is.
template <class T>
T* FindNamedObject(HWND root, const char* name)
{
    return static_cast<T*>(WWindow::FromHandle(FindNamed(root, name)));
}

// Whether the button shows the program's icon of that id (48 x 48).
bool ShowsIcon(HWND button, uint16_t iconId);

class TarvekWindow : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Makes the main window (after SetUp made none, or after CloseWindow).
    void OpenWindow();
    // Asks the window to close and waits until it is gone.
    void CloseWindow();
    bool IsOpen() const;

    HWND Main() const;
    HWND Control(const char* name) const { return FindNamed(Main(), name); }
    std::string StatusText() const;
    std::string TextOf(const char* name) const;
    void SetTextOf(const char* name, const char* text) const;
    // Chooses the entry of a combo box as the user does (the selection only).
    void SelectEntry(const char* name, int index) const;
    void ShowPage(int index) const;

    // A press and a release of the left button over the control's middle.
    void Click(const char* name) const;
    // The keyboard's clicks: Space pressed and let go on the control, and
    // Enter on it, each after the focus went there as the dialog moves it.
    void PressSpace(const char* name) const;
    void PressEnter(const char* name) const;
    // The exchange has ended: the port is closed again.
    bool PortIsClosed() const;
    // The window as it is between exchanges.
    void ExpectIdleLook() const;

    void FocusControl(HWND control) const;
    void PressKey(const char* name, WPARAM key, UINT scanCode) const;

    TabForm1& InterfacePage() const { return *FindNamedObject<TabForm1>(Main(), "TabForm1"); }
    TabForm2& ComparatorPage() const { return *FindNamedObject<TabForm2>(Main(), "TabForm2"); }
    TabForm3& OffsetPage() const { return *FindNamedObject<TabForm3>(Main(), "TabForm3"); }
    TabForm4& ErrorPage() const { return *FindNamedObject<TabForm4>(Main(), "TabForm4"); }

    Tarvek* form = nullptr;
};
