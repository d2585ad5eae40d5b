// bench-same-windows: the configuration tool's windows made with bare Win32
// calls from the program's own templates, menu, pictures, manifest and list
// of interfaces offered, and nothing else: the main window with its menu, tool bar, status bar, rich
// edit box, transfer button and tab control, and the four pages, showing at
// start what the program's show: the interfaces offered and the stored one
// chosen, the clearing periods, the checked boxes, the buttons' pictures and
// captions. What these windows cost on the host is the floor under the
// program's start-up time and memory; the program's framework and logic come
// on top.

#include "DeviceCommands.h"
#include "FileDialog.h"
#include "FloorDialog.h"
#include "PortNumbers.h"
#include "RegistrySettings.h"
#include "WindowLook.h"
#include "resource.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using namespace WindowLook;

// The program's status bar loses its size grip at once; here it is made without.
constexpr DWORD GriplessStatusBarStyle = StatusBarStyle & ~SBARS_SIZEGRIP;

struct PageIcon {
    int page;
    int control;
    int icon;
};

constexpr PageIcon PageIcons[] = {
    {2, IDC_TABFORM3_PICTBTTN_RCVUP, IDI_ARROW_UP}, {2, IDC_TABFORM3_PICTBTTN_RCVDWN, IDI_ARROW_DOWN},
    {2, IDC_TABFORM3_PICTBTTN_TRMUP, IDI_ARROW_UP}, {2, IDC_TABFORM3_PICTBTTN_TRMDWN, IDI_ARROW_DOWN},
    {3, IDC_TABFORM4_PBX_ERROR, IDI_ERROR_CROSS},
};

HINSTANCE instance;
HWND pages[PageCount];

INT_PTR CALLBACK PageProcedure(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

HANDLE LoadPicture(int id, UINT type, int size)
{
    return LoadImageA(instance, MAKEINTRESOURCEA(id), type, size, size, 0);
}

// A button with a picture and a caption: without a picture style the host
// draws both, the picture before the caption.
void SetButtonPicture(HWND button, HANDLE picture)
{
    if (GetWindowTextLengthA(button) > 0)
        SetWindowLongPtrA(button, GWL_STYLE, GetWindowLongPtrA(button, GWL_STYLE) & ~(BS_BITMAP | BS_ICON));
    SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(picture));
}

// Where the program keeps it: the machine's key in the 32-bit view, else the user's.
int StoredPort()
{
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        HKEY key = nullptr;
        const REGSAM view = root == HKEY_LOCAL_MACHINE ? KEY_WOW64_32KEY : 0;
        if (RegOpenKeyExA(root, RegistrySettings::KeyPath, 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS)
            continue;
        DWORD port = 0;
        DWORD size = sizeof port;
        const LONG result = RegGetValueA(key, nullptr, "COM", RRF_RT_REG_DWORD, nullptr, &port, &size);
        RegCloseKey(key);
        if (result == ERROR_SUCCESS)
            return static_cast<int>(port);
    }
    return 2;
}

// The height of a drop-down list's box, its list included.
void SetListHeight(HWND list)
{
    RECT box{};
    GetWindowRect(list, &box);
    SetWindowPos(list, nullptr, 0, 0, box.right - box.left, DropDownHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FillInterfaces(HWND page)
{
    HWND list = GetDlgItem(page, IDC_TABFORM1_COMBO_COM);
    const int stored = StoredPort();
    const std::vector<int32_t> numbers = PortNumbers::Offered(PortNumbers::ReadPresentNames(), stored);
    for (int number : numbers) {
        char name[16];
        std::snprintf(name, sizeof name, "COM%d", number);
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    }
    SetListHeight(list);
    const auto chosen = std::find(numbers.begin(), numbers.end(), stored);
    if (chosen != numbers.end())
        SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(chosen - numbers.begin()), 0);
}

void FillErrorHandling(HWND page)
{
    CheckDlgButton(page, IDC_TABFORM4_CHECKBOX_ERRHNDL, BST_CHECKED);
    CheckDlgButton(page, IDC_TABFORM4_CHECKBOX_ERRMEM, BST_CHECKED);
    HWND list = GetDlgItem(page, IDC_TABFORM4_COMBO_CYCLE);
    for (const char* entry : DeviceCommands::ClearCycleEntries)
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    SetListHeight(list);
    SendMessageA(list, CB_SETCURSEL, 0, 0);
}

// The host's standard pictures give the bar its open and save buttons, the
// program's strip its exit button.
void AddToolbar(HWND dialog)
{
    HWND toolbar =
        CreateWindowExA(0, TOOLBARCLASSNAMEA, "", ToolbarStyle, 0, 0, 1, 1, dialog, nullptr, instance, nullptr);
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 16));
    TBADDBITMAP standard{HINST_COMMCTRL, IDB_STD_SMALL_COLOR};
    const auto standardBase = static_cast<int>(
        SendMessageA(toolbar, TB_ADDBITMAP, STD_PRINT + 1, reinterpret_cast<LPARAM>(&standard)));
    TBADDBITMAP strip{instance, IDB_TOOLBAR_IMAGES};
    const auto stripBase =
        static_cast<int>(SendMessageA(toolbar, TB_ADDBITMAP, 3, reinterpret_cast<LPARAM>(&strip)));
    TBBUTTON buttons[] = {
        {standardBase + STD_FILEOPEN, IDT_LOAD, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
        {standardBase + STD_FILESAVE, IDT_SAVE, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
        {0, IDT_SEPARATOR, 0, BTNS_SEP, {}, 0, 0},
        {stripBase + IDB_TOOLBAR_IMAGE_EXIT, IDT_EXIT, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
    };
    SendMessageA(toolbar, TB_ADDBUTTONSA, 4, reinterpret_cast<LPARAM>(buttons));
    SendMessageA(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(23, 22));
    SendMessageA(toolbar, TB_AUTOSIZE, 0, 0);
}

void AddPages(HWND dialog)
{
    HWND tabs = GetDlgItem(dialog, IDC_TARVEK_TABCTRL_1);
    for (int index = 0; index < PageCount; ++index) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(PageTabs[index].caption);
        SendMessageA(tabs, TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item));
    }
    RECT area{};
    GetWindowRect(tabs, &area);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&area), 2);
    SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    for (int index = 0; index < PageCount; ++index) {
        pages[index] = CreateDialogParamA(instance, PageTabs[index].templateName, dialog, PageProcedure, 0);
        SetWindowPos(pages[index], HWND_TOP, area.left, area.top, area.right - area.left,
                     area.bottom - area.top, index == 0 ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    }
    FillInterfaces(pages[0]);
    FillErrorHandling(pages[3]);
    for (const PageIcon& picture : PageIcons)
        SetButtonPicture(GetDlgItem(pages[picture.page], picture.control),
                         LoadPicture(picture.icon, IMAGE_ICON, 0));
}

void Build(HWND dialog)
{
    SetMenu(dialog, LoadMenuA(instance, "ID_Tarvek_menu_1"));
    SendMessageA(dialog, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadPicture(IDI_TARVEK, IMAGE_ICON, 32)));
    SendMessageA(dialog, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(LoadPicture(IDI_TARVEK, IMAGE_ICON, 16)));
    AddToolbar(dialog);
    CreateWindowExA(0, STATUSCLASSNAMEA, "", GriplessStatusBarStyle, 0, 0, 0, 0, dialog, nullptr, instance,
                    nullptr);
    SetButtonPicture(GetDlgItem(dialog, IDC_TARVEK_CONNECT),
                     LoadPicture(IDI_PLUG_APART, IMAGE_ICON, ConnectIconSize));
    AddPages(dialog);
}

void OpenFile(HWND dialog)
{
    char path[MAX_PATH] = "";
    OPENFILENAMEA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = dialog;
    request.lpstrFilter = "*.tci\0*.tci\0";
    request.lpstrFile = path;
    request.nMaxFile = sizeof path;
    ShowOpenDialog(request);
}

void ShowPage(HWND dialog)
{
    const auto selected = SendDlgItemMessageA(dialog, IDC_TARVEK_TABCTRL_1, TCM_GETCURSEL, 0, 0);
    for (int index = 0; index < PageCount; ++index)
        ShowWindow(pages[index], index == selected ? SW_SHOW : SW_HIDE);
}

INT_PTR CALLBACK MainProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        Build(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDM_OPEN_FILE || LOWORD(wParam) == IDT_LOAD)
            OpenFile(dialog);
        else if (LOWORD(wParam) == IDM_EXIT || LOWORD(wParam) == IDT_EXIT)
            DestroyWindow(dialog);
        else
            HandleClosing(dialog, message, wParam);
        return TRUE;
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR*>(lParam)->code == TCN_SELCHANGE)
            ShowPage(dialog);
        return TRUE;
    default:
        return HandleClosing(dialog, message, wParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE thisInstance, HINSTANCE, LPSTR, int)
{
    instance = thisInstance;
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    // The template's "RICHEDIT" box comes from the rich edit library.
    LoadLibraryA("riched32.dll");
    return RunDialogLoop(CreateDialogParamA(instance, "ID_Tarvek", nullptr, MainProcedure, 0));
}
