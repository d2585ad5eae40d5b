// bench-same-windows: the configuration tool's windows made with bare Win32
// calls from the program's own templates, menu, pictures and manifest, and
// nothing else: the main window with its menu, tool bar, status bar, rich
// edit box, transfer button and tab control, and the four pages. What these
// windows cost on the host is the floor under the program's start-up time
// and memory; the program's framework and logic come on top.

#include "FileDialog.h"
#include "resource.h"

#include <commctrl.h>

#include <cstdio>

namespace {

constexpr DWORD toolbarStyle = 0x50000B31;
constexpr DWORD statusBarStyle = 0x50000103;
constexpr int pageCount = 4;
constexpr int transferIconSize = 48;
const char* const pageCaptions[pageCount] = {"Einstellungen", "Komparatoren", "Offsetabgleich", "Fehlerbehandlung"};

struct PageIcon {
    int page;
    int control;
    int icon;
};

constexpr PageIcon pageIcons[] = {
    {2, IDC_TABFORM3_PICTBTTN_RCVUP, IDI_ARROW_UP},   {2, IDC_TABFORM3_PICTBTTN_RCVDWN, IDI_ARROW_DOWN},
    {2, IDC_TABFORM3_PICTBTTN_TRMUP, IDI_ARROW_UP},   {2, IDC_TABFORM3_PICTBTTN_TRMDWN, IDI_ARROW_DOWN},
    {3, IDC_TABFORM4_PBX_ERROR, IDI_ERROR_CROSS},
};

HINSTANCE instance;
HWND pages[pageCount];

INT_PTR CALLBACK PageProcedure(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

HANDLE LoadPicture(int id, UINT type, int size)
{
    return LoadImageA(instance, MAKEINTRESOURCEA(id), type, size, size, 0);
}

void AddToolbar(HWND dialog)
{
    HWND toolbar = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", toolbarStyle, 0, 0, 1, 1, dialog, nullptr, instance,
                                   nullptr);
    SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBADDBITMAP strip{instance, IDB_TOOLBAR_IMAGES};
    SendMessageA(toolbar, TB_ADDBITMAP, 3, reinterpret_cast<LPARAM>(&strip));
    TBBUTTON buttons[] = {
        {IDB_TOOLBAR_IMAGE_OPEN, IDT_LOAD, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
        {IDB_TOOLBAR_IMAGE_SAVE, IDT_SAVE, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
        {0, IDT_SEPARATOR, 0, BTNS_SEP, {}, 0, 0},
        {IDB_TOOLBAR_IMAGE_EXIT, IDT_EXIT, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
    };
    SendMessageA(toolbar, TB_ADDBUTTONSA, 4, reinterpret_cast<LPARAM>(buttons));
    SendMessageA(toolbar, TB_AUTOSIZE, 0, 0);
}

void AddPages(HWND dialog)
{
    HWND tabs = GetDlgItem(dialog, IDC_TARVEK_TABCTRL_1);
    for (int index = 0; index < pageCount; ++index) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(pageCaptions[index]);
        SendMessageA(tabs, TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item));
    }
    RECT area{};
    GetWindowRect(tabs, &area);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&area), 2);
    SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    for (int index = 0; index < pageCount; ++index) {
        char name[16];
        std::snprintf(name, sizeof name, "ID_TabForm%d", index + 1);
        pages[index] = CreateDialogParamA(instance, name, dialog, PageProcedure, 0);
        SetWindowPos(pages[index], HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                     index == 0 ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    }
    for (const PageIcon& picture : pageIcons) {
        SendDlgItemMessageA(pages[picture.page], picture.control, BM_SETIMAGE, IMAGE_ICON,
                            reinterpret_cast<LPARAM>(LoadPicture(picture.icon, IMAGE_ICON, 0)));
    }
}

void Build(HWND dialog)
{
    SetMenu(dialog, LoadMenuA(instance, "ID_Tarvek_menu_1"));
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadPicture(IDI_TARVEK, IMAGE_ICON, 32)));
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(LoadPicture(IDI_TARVEK, IMAGE_ICON, 16)));
    AddToolbar(dialog);
    CreateWindowExA(0, STATUSCLASSNAMEA, "", statusBarStyle, 0, 0, 0, 0, dialog, nullptr, instance, nullptr);
    SendDlgItemMessageA(dialog, IDC_TARVEK_CONNECT, BM_SETIMAGE, IMAGE_ICON,
                        reinterpret_cast<LPARAM>(LoadPicture(IDI_PLUG_APART, IMAGE_ICON, transferIconSize)));
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
    for (int index = 0; index < pageCount; ++index)
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
        else if (LOWORD(wParam) == IDM_EXIT || LOWORD(wParam) == IDT_EXIT || LOWORD(wParam) == IDCANCEL)
            DestroyWindow(dialog);
        return TRUE;
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR*>(lParam)->code == TCN_SELCHANGE)
            ShowPage(dialog);
        return TRUE;
    case WM_CLOSE:
        DestroyWindow(dialog);
        return TRUE;
    case WM_DESTROY:
        PostQuitMessage(0);
        return TRUE;
    default:
        return FALSE;
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
    HWND dialog = CreateDialogParamA(instance, "ID_Tarvek", nullptr, MainProcedure, 0);
    if (!dialog)
        return 1;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return 0;
}
