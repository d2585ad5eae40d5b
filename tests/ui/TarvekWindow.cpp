#include "TarvekWindow.h"

#include "ApplicationClass.h"
#include "RegistrySettings.h"
#include "TarvekComm.h"
#include "WindowDriver.h"
#include "resource.h"

#include <commctrl.h>
#include <sddl.h>

#include <vector>

namespace {

struct NamedSearch {
    const char* name;
    HWND found;
};

BOOL CALLBACK MatchName(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<NamedSearch*>(parameter);
    WWindow* object = WWindow::FromHandle(window);
    if (object && object->GetName() == search->name) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

std::vector<uint32_t> BitsOf(HBITMAP bitmap)
{
    BITMAP header{};
    if (!bitmap || !GetObjectA(bitmap, sizeof header, &header))
        return {};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = header.bmWidth;
    info.bmiHeader.biHeight = -header.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> bits(static_cast<size_t>(header.bmWidth) * header.bmHeight);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, header.bmHeight, bits.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bits;
}

// The colour and mask pictures of an icon, to tell icons apart by what they show.
std::vector<uint32_t> PictureOf(HICON icon)
{
    ICONINFO parts{};
    if (!icon || !GetIconInfo(icon, &parts))
        return {};
    std::vector<uint32_t> picture = BitsOf(parts.hbmColor);
    const std::vector<uint32_t> mask = BitsOf(parts.hbmMask);
    picture.insert(picture.end(), mask.begin(), mask.end());
    DeleteObject(parts.hbmColor);
    DeleteObject(parts.hbmMask);
    return picture;
}

HKEY OpenKeyInView(HKEY root, REGSAM accessAndView)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, RegistrySettings::KeyPath, 0, accessAndView, &key) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

}  // namespace

// The machine's settings key, where 32-bit programs see it.
HKEY OpenSettingsKey(HKEY root, REGSAM access)
{
    return OpenKeyInView(root, access | (root == HKEY_LOCAL_MACHINE ? KEY_WOW64_32KEY : 0));
}

bool MachineKeyExists(REGSAM view)
{
    HKEY key = OpenKeyInView(HKEY_LOCAL_MACHINE, KEY_READ | view);
    if (!key)
        return false;
    RegCloseKey(key);
    return true;
}

void SetSettingsKeyReadOnly(bool readOnly)
{
    HKEY key = OpenSettingsKey(HKEY_LOCAL_MACHINE, WRITE_DAC);
    if (!key)
        return;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (ConvertStringSecurityDescriptorToSecurityDescriptorA(readOnly ? "D:(A;;KR;;;WD)" : "D:(A;;KA;;;WD)",
                                                             SDDL_REVISION_1, &descriptor, nullptr)) {
        RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
        LocalFree(descriptor);
    }
    RegCloseKey(key);
}

// Both views of the machine's key go, so that no earlier run's key in the
// other view can pass for one the program wrote.
void RemoveSettingsKey()
{
    SetSettingsKeyReadOnly(false);
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, RegistrySettings::KeyPath, 0, KEY_ALL_ACCESS | view, &key)
            == ERROR_SUCCESS) {
            RegDeleteTreeA(key, nullptr);
            RegCloseKey(key);
        }
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, RegistrySettings::KeyPath, view, 0);
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, RegistrySettings::KeyPath);
    RegDeleteKeyA(HKEY_CURRENT_USER, RegistrySettings::KeyPath);
}

int StoredComPort(HKEY root)
{
    HKEY key = OpenSettingsKey(root, KEY_QUERY_VALUE);
    DWORD value = 0;
    DWORD size = sizeof value;
    const bool found =
        key && RegGetValueA(key, nullptr, "COM", RRF_RT_REG_DWORD, nullptr, &value, &size) == ERROR_SUCCESS;
    if (key)
        RegCloseKey(key);
    return found ? static_cast<int>(value) : -1;
}

std::string StoredActiveFlag()
{
    HKEY key = OpenSettingsKey(HKEY_LOCAL_MACHINE, KEY_QUERY_VALUE);
    char text[32] = "";
    DWORD size = sizeof text;
    const bool found =
        key && RegGetValueA(key, nullptr, "KVLActive", RRF_RT_REG_SZ, nullptr, text, &size) == ERROR_SUCCESS;
    if (key)
        RegCloseKey(key);
    return found ? text : "<none>";
}

void StoreComPort(int port)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, RegistrySettings::KeyPath, 0, nullptr, 0,
                        KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        return;
    const DWORD value = static_cast<DWORD>(port);
    RegSetValueExA(key, "COM", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

HWND FindNamed(HWND root, const char* name)
{
    NamedSearch search{name, nullptr};
    if (root)
        EnumChildWindows(root, &MatchName, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool ShowsIcon(HWND button, uint16_t iconId)
{
    auto shown = reinterpret_cast<HICON>(SendMessageA(button, BM_GETIMAGE, IMAGE_ICON, 0));
    auto expected = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId), IMAGE_ICON, 48, 48, 0));
    const bool same = shown && PictureOf(shown) == PictureOf(expected);
    DestroyIcon(expected);
    return same;
}

void TarvekWindow::SetUp()
{
    RemoveSettingsKey();
    OpenWindow();
}

void TarvekWindow::TearDown()
{
    CloseWindow();
    RemoveSettingsKey();
}

void TarvekWindow::OpenWindow()
{
    form = ApplicationClass::CreateMainForm();
    ASSERT_NE(form, nullptr);
    PumpWaitingMessages();
}

void TarvekWindow::CloseWindow()
{
    if (!form)
        return;
    if (IsOpen()) {
        PostMessageA(Main(), WM_CLOSE, 0, 0);
        EXPECT_TRUE(PumpMessagesUntil([&] { return !IsOpen(); }));
    }
    delete form;
    form = nullptr;
}

bool TarvekWindow::IsOpen() const
{
    return form && form->GetHandle() && IsWindow(form->GetHandle());
}

HWND TarvekWindow::Main() const
{
    return form ? form->GetHandle() : nullptr;
}

std::string TarvekWindow::StatusText() const
{
    HWND bar = FindWindowExA(Main(), nullptr, STATUSCLASSNAMEA, nullptr);
    DWORD_PTR length = 0;
    if (!bar || !SendMessageTimeoutA(bar, SB_GETTEXTLENGTHA, 0, 0, SMTO_NORMAL, 5000, &length))
        return "<no status bar>";
    std::vector<char> text(LOWORD(length) + 1, '\0');
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL, 5000,
                        &ignored);
    return text.data();
}

std::string TarvekWindow::TextOf(const char* name) const
{
    char text[256] = "";
    GetWindowTextA(Control(name), text, sizeof text);
    return text;
}

void TarvekWindow::SetTextOf(const char* name, const char* text) const
{
    SetWindowTextA(Control(name), text);
}

void TarvekWindow::SelectEntry(const char* name, int index) const
{
    SendMessageA(Control(name), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TarvekWindow::ShowPage(int index) const
{
    FindNamedObject<WTabControl>(Main(), "tabctrl_1")->SetSelected(index);
    PumpWaitingMessages();
}

void TarvekWindow::Click(const char* name) const
{
    HWND control = Control(name);
    ASSERT_NE(control, nullptr) << name;
    ClickWindow(control);
}

void TarvekWindow::FocusControl(HWND control) const
{
    SendMessageA(GetParent(control), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    PumpWaitingMessages();
}

void TarvekWindow::PressKey(const char* name, WPARAM key, UINT scanCode) const
{
    HWND control = Control(name);
    ASSERT_NE(control, nullptr) << name;
    FocusControl(control);
    PostMessageA(control, WM_KEYDOWN, key, static_cast<LPARAM>(scanCode << 16 | 1));
    PumpWaitingMessages();
    PostMessageA(control, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u | scanCode << 16));
    PumpWaitingMessages();
}

void TarvekWindow::PressSpace(const char* name) const
{
    PressKey(name, VK_SPACE, 0x39);
}

void TarvekWindow::PressEnter(const char* name) const
{
    PressKey(name, VK_RETURN, 0x1C);
}

bool TarvekWindow::PortIsClosed() const
{
    return !tarvekComm || !tarvekComm->IsOpen();
}

void TarvekWindow::ExpectIdleLook() const
{
    EXPECT_TRUE(ShowsIcon(Control("tarvek_connect"), IDI_PLUG_APART));
    EXPECT_TRUE(IsWindowEnabled(Control("combo_com")));
    EXPECT_EQ(StatusText(), "");
    EXPECT_TRUE(PortIsClosed());
}
