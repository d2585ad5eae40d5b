#include "MainFormAssembly.h"

#include "WModuleHandle.h"
#include "resource.h"

#include <commctrl.h>

namespace {

constexpr DWORD StatusBarStyle = WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | CCS_BOTTOM;
constexpr DWORD ToolbarStyle = WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_WRAPABLE | TBSTYLE_TOOLTIPS
                               | TBSTYLE_AUTOSIZE | CCS_ADJUSTABLE | CCS_TOP;

constexpr const char* PageTemplates[] = {"ID_TabForm1", "ID_TabForm2", "ID_TabForm3", "ID_TabForm4"};
constexpr const char* PageCaptions[] = {"Einstellungen", "Komparatoren", "Offsetabgleich", "Fehlerbehandlung"};

}  // namespace

MainFormAssembly::MainFormAssembly() = default;

MainFormAssembly::~MainFormAssembly()
{
    form.SetMenu(nullptr);
    delete tabControl;
    delete toolbar;
    delete statusBar;
}

bool MainFormAssembly::Build()
{
    const WModuleHandle module;
    if (!form.LoadWindow(nullptr, "ID_Tarvek", module))
        return false;
    form.SetFont(WFont("8.MS Sans Serif"), true);
    if (!statusBar->Create(&form, RECT{0, 0, 0, 0}, "", StatusBarStyle) || !form.SetStatusBar(statusBar))
        return false;
    if (!form.SetIcon(true, IDI_TARVEK, module) || !menu.Load("ID_Tarvek_menu_1", module)
        || !form.SetMenu(&menu))
        return false;
    if (!toolbar->Create(&form, RECT{0, 0, 1, 1}, "", ToolbarStyle)
        || !toolbarData.Load("ID_Tarvek_toolb_1_data", module))
        return false;
    if (!transferButton.LoadWindow(&form, IDC_TARVEK_CONNECT, module)
        || !tabControl->LoadWindow(&form, IDC_TARVEK_TABCTRL_1, module))
        return false;
    WIcon apart;
    if (!apart.Load(IDI_PLUG_APART, module, 48, 48) || !transferButton.SetIcon(apart))
        return false;
    transferButton.SetState(false);
    tabControl->SetItemSize(96, 0);
    for (size_t index = 0; index < pages.size(); ++index) {
        pages[index] = new WModelessDialog;
        if (!pages[index]->LoadWindow(&form, PageTemplates[index], module)
            || tabControl->InsertItem(static_cast<int32_t>(index), PageCaptions[index])
                   != static_cast<int32_t>(index))
            return false;
    }
    for (size_t index = 0; index < pages.size(); ++index) {
        if (!tabControl->SetItemPage(static_cast<int32_t>(index), pages[index], true, true, true))
            return false;
    }
    WWindow* const tabOrder[] = {nullptr, toolbar, &transferButton, tabControl};
    if (!form.SetTabOrder(4, tabOrder))
        return false;
    statusBar->RemoveSizeGrip();
    return form.CenterInWorkArea();
}
