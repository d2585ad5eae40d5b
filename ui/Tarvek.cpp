#include "Tarvek.h"

#include "ConfigurationExchange.h"
#include "ConfigurationOpening.h"
#include "ConfigurationRecord.h"
#include "ConfigurationTransfer.h"
#include "LoadSavePrint.h"
#include "PortNumbers.h"
#include "RegistrySettings.h"
#include "TarvekBoxes.h"
#include "TarvekComm.h"
#include "WApplication.h"
#include "WModuleHandle.h"
#include "WindowLook.h"
#include "resource.h"

#include <commctrl.h>
#include <commdlg.h>

#include <utility>

using namespace WindowLook;

namespace {

constexpr DWORD FileDialogFlags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
static_assert(FileDialogFlags == 0x8002C);
constexpr int32_t TabWidth = 96;

}  // namespace

// ---------------------------------------------------------------------------
// The designer part.

// Made before the form has its font, so that the status bar keeps the font
// the host gives it.
void __Tarvek_Base::CreateStatusBar()
{
    statusb_1 = new WStatusBar;
    statusb_1->Create(this, RECT{0, 0, 0, 0}, "", StatusBarStyle);
    SetStatusBar(statusb_1);
}

void __Tarvek_Base::CreateMembers()
{
    filedlg_1 = new WFileDialog;
    toolb_1_data = new WVentraToolbarData(toolb_1, IDB_TOOLBAR_IMAGES);
    brasselwald_1 = new Brasselwald;
}

void __Tarvek_Base::LoadMenu()
{
    menu_1 = new WMenu("ID_Tarvek_menu_1", WModuleHandle::Application());
    popup_file = menu_1->GetPopup(0);
    popup_help = menu_1->GetPopup(1);
    item_open = popup_file ? popup_file->FindItem(IDM_OPEN_FILE, false) : nullptr;
    item_save = popup_file ? popup_file->FindItem(IDM_SAVE_FILE, false) : nullptr;
    item_exit = popup_file ? popup_file->FindItem(IDM_EXIT, false) : nullptr;
    item_about = popup_help ? popup_help->FindItem(IDM_ABOUT, false) : nullptr;
    SetMenu(menu_1);
}

void __Tarvek_Base::CreatePages()
{
    const WModuleHandle module = WModuleHandle::Application();
    interfacePage = new TabForm1;
    comparatorPage = new TabForm2;
    offsetPage = new TabForm3(GetDeviceExchange());
    errorPage = new TabForm4(GetDeviceExchange());
    WForm* const pages[] = {interfacePage, comparatorPage, offsetPage, errorPage};
    for (int32_t index = 0; index < PageCount; ++index) {
        pages[index]->LoadWindow(this, PageTabs[index].templateName, module);
        tabctrl_1->InsertItem(index, PageTabs[index].caption);
    }
    for (int32_t index = 0; index < PageCount; ++index)
        tabctrl_1->SetItemPage(index, pages[index], true, true, true);
}

bool __Tarvek_Base::OnCreate(WObject*, WEventData*)
{
    const WModuleHandle module = WModuleHandle::Application();
    KeepInsideWorkArea();
    CreateStatusBar();
    CreateControls(ControlRows, "Tarvek");
    CreateMembers();
    SetIcon(true, IDI_TARVEK, module);
    SetText("Tarvek");
    LoadMenu();
    toolb_1->Create(this, RECT{0, 0, 1, 1}, "", ToolbarStyle);
    toolb_1_data->Load("ID_Tarvek_toolb_1_data", module);
    BindControls();

    filedlg_1->SetParent(this);
    filedlg_1->SetFlags(FileDialogFlags);
    filedlg_1->SetInitialDirectory("C:\\");
    WIcon apart;
    apart.Load(IDI_PLUG_APART, module, ConnectIconSize, ConnectIconSize);
    tarvek_connect->SetIcon(apart);
    tarvek_connect->Update(true);
    tarvek_connect->SetState(false);
    tabctrl_1->SetItemSize(TabWidth, 0);

    CreatePages();
    return FinishCreation();
}

// The tab control deletes the pages it carries.
void __Tarvek_Base::DeleteMembers()
{
    SetMenu(nullptr);
    SetStatusBar(nullptr);
    delete std::exchange(menu_1, nullptr);
    popup_file = popup_help = nullptr;
    item_open = item_save = item_exit = item_about = nullptr;
    delete std::exchange(filedlg_1, nullptr);
    delete std::exchange(toolb_1_data, nullptr);
    delete std::exchange(brasselwald_1, nullptr);
    DeleteControls();
    interfacePage = nullptr;
    comparatorPage = nullptr;
    offsetPage = nullptr;
    errorPage = nullptr;
    delete std::exchange(statusb_1, nullptr);
}

// ---------------------------------------------------------------------------
// The form.

// A menu item the menu does not hold stays null, and its row is passed over.
const std::vector<WHandlerRow> Tarvek::handlerRows = {
    WHandlerRowOf<&Tarvek::OnCloseRequest>(CloseEvent),
    WHandlerRowOf<&Tarvek::OnUserEvent>(UserEvent),
    WHandlerRowOf<&Tarvek::OnEndSession>(EndSessionEvent),
    WHandlerRowOf<&Tarvek::OnDestroy>(DestroyEvent),
    WHandlerRowOf<&Tarvek::OnToolbarClick, &Tarvek::toolb_1>(ClickEvent),
    WHandlerRowOf<&Tarvek::OnTransferClick, &Tarvek::tarvek_connect>(ClickEvent),
    WHandlerRowOf<&Tarvek::OnTransferPress, &Tarvek::tarvek_connect>(LeftButtonDownEvent),
    WHandlerRowOf<&Tarvek::OnOpenFile, &Tarvek::item_open>(ClickEvent),
    WHandlerRowOf<&Tarvek::OnSaveFile, &Tarvek::item_save>(ClickEvent),
    WHandlerRowOf<&Tarvek::OnExit, &Tarvek::item_exit>(ClickEvent),
    WHandlerRowOf<&Tarvek::OnAbout, &Tarvek::item_about>(ClickEvent),
};

Tarvek::Tarvek() : deviceExchange([this] { return GetPortNumber(); }) {}

bool Tarvek::FormCreated()
{
    registrySettings = new RegistrySettings;
    statusBar = GetStatusBar();
    if (statusBar)
        statusBar->RemoveSizeGrip();
    const int32_t portNumber = registrySettings->GetComPort();
    interfacePage->SelectPort(portNumber);
    errorPage->SelectCycle("-");
    tarvekComm = new TarvekComm(DeviceExchange::LinkPortIndex(portNumber));
    tarvekComm->SetNotifyTarget(this);
    CenterInWorkArea();
    return false;
}

bool Tarvek::OnDestroy(WObject*, WEventData*)
{
    deviceExchange.Reset();
    if (registrySettings)
        registrySettings->SetComPort(GetPortNumber());
    delete tarvekComm;
    tarvekComm = nullptr;
    delete registrySettings;
    registrySettings = nullptr;
    statusBar = nullptr;
    return false;
}

int32_t Tarvek::GetPortNumber() const
{
    return interfacePage ? interfacePage->GetPortNumber() : PortNumbers::NoPort;
}

PageValues Tarvek::GatherPageValues() const
{
    PageValues values;
    for (int32_t index = 0; index < DeviceCommands::ThresholdCount; ++index)
        values.thresholdTexts[index] = comparatorPage->GetThresholdText(index);
    values.errorHandlingEnabled = errorPage->IsErrorHandlingEnabled();
    values.errorMemoryEnabled = errorPage->IsErrorMemoryEnabled();
    values.cycleText = errorPage->GetCycleText();
    values.receiverCalibration = offsetPage->GetCalibration(DeviceCommands::ReceiverChannel);
    values.transmitterCalibration = offsetPage->GetCalibration(DeviceCommands::TransmitterChannel);
    return values;
}

void Tarvek::ShowOnPages(const ConfigurationRecord& record)
{
    const PageTexts texts = ConfigurationExchange::FormatRecordForPages(record);
    for (int32_t index = 0; index < DeviceCommands::ThresholdCount; ++index)
        comparatorPage->SetThresholdText(index, texts.thresholdTexts[index]);
    offsetPage->SetCalibration(texts.receiverText, texts.transmitterText);
    errorPage->SetErrorHandlingEnabled(texts.errorHandlingEnabled);
    errorPage->SetErrorMemoryEnabled(texts.errorMemoryEnabled);
    errorPage->SelectCycle(texts.cycleText);
}

// The values are taken once: what the user edits while the lines go out
// cannot reach the device unvalidated.
void Tarvek::Transfer()
{
    const ConfigurationTransfer transfer(GatherPageValues());
    if (!transfer.IsValid()) {
        TarvekBoxes::ShowError(transfer.GetValidationMessage());
        SetStatusText("");
        return;
    }
    // A step's progress is shown once the next step's line has gone out, as
    // painting it first would hold that line back.
    WString progress;
    const auto showProgress = [&] {
        if (!progress.IsEmpty())
            SetStatusText(progress.GetText());
    };
    for (int32_t step = 0; step < ConfigurationTransfer::StepCount; ++step) {
        if (!tarvekComm || tarvekComm->SendCommand(transfer.GetCommandLine(step), showProgress).IsEmpty())
            break;
        progress = ConfigurationTransfer::GetStatusText(step);
    }
    SetStatusText("");
}

// A close asked for while the device is being talked to, or inside a loop
// that a handler of this thread runs (a message box, the about box, a file
// dialog, the wait for an answer), waits: that handler goes on with the
// window's controls once its loop ends. The close is carried out afterwards.
bool Tarvek::OnCloseRequest(WObject*, WEventData*)
{
    if (deviceExchange.DeferClose(this))
        return true;
    if (IsHandlerRunningBelow())
        return CloseWhenHandlersEnd();
    return false;
}

bool Tarvek::OnUserEvent(WObject*, WEventData* data)
{
    if (static_cast<WUserEventData*>(data)->value == OpenFileRequest) {
        if (!RefuseWhilePortHeld())
            LoadConfigurationFile(fileToOpen);
        return false;
    }
    if (tarvekComm)
        tarvekComm->OnDataReceived();
    return false;
}

// When the session ends, Windows ends the process without destroying the
// window: the settings are written here, as a normal close writes them.
bool Tarvek::OnEndSession(WObject*, WEventData* data)
{
    if (static_cast<WMessageEventData*>(data)->wParam)
        StoreComPort();
    return false;
}

bool Tarvek::OnToolbarClick(WObject*, WEventData* data)
{
    WMenuItem* item = nullptr;
    switch (static_cast<WToolbarEventData*>(data)->commandId) {
    case IDT_LOAD:
        item = item_open;
        break;
    case IDT_SAVE:
        item = item_save;
        break;
    case IDT_EXIT:
        item = item_exit;
        break;
    default:
        break;
    }
    if (item)
        item->ProcessEvent(ClickEvent, item);
    return false;
}

bool Tarvek::OnTransferPress(WObject*, WEventData*)
{
    if (deviceExchange.Press(tarvek_connect, [this] { ShowIdleLook(); }))
        return true;
    ShowConnectedLook();
    return false;
}

// A click from the keyboard comes without the press; the exchange then opens
// the port itself and the window shows the connection from here on.
bool Tarvek::OnTransferClick(WObject*, WEventData*)
{
    // After a press the window shows the connection already.
    const bool pressed = deviceExchange.IsBusy();
    if (!deviceExchange.BeginExchange(tarvek_connect))
        return false;
    if (!pressed)
        ShowConnectedLook();
    StoreComPort();
    Transfer();
    SetConnectIcon(IDI_PLUG_APART);
    deviceExchange.EndExchange();
    interfacePage->EnablePortChoice(true);
    SetStatusText("");
    return false;
}

bool Tarvek::RefuseWhilePortHeld() const
{
    if (!deviceExchange.IsBusy())
        return false;
    DeviceExchange::SignalRefusal();
    return true;
}

bool Tarvek::OnOpenFile(WObject*, WEventData*)
{
    WFilePath path;
    if (ChooseConfigurationFile(false, path))
        LoadConfigurationFile(path);
    return false;
}

// Opened from the window's own message handling, as the menu command is, so
// that a close asked for while one of its boxes is up waits for the box too.
void Tarvek::OpenConfigurationFile(const WFilePath& path)
{
    fileToOpen = path;
    PostUserEvent(OpenFileRequest);
}

// A file that is refused leaves the pages as they were.
void Tarvek::LoadConfigurationFile(const WFilePath& path)
{
    const ConfigurationOpening opening =
        ConfigurationOpening::Open(path, ConfigurationOpening::Need::AnySection, configurationRecord);
    if (opening.GetOutcome() == ConfigurationOpening::Outcome::Missing)
        TarvekBoxes::ShowInfo(opening.GetMessage());
    else if (!opening.IsLoaded())
        TarvekBoxes::ShowError(opening.GetMessage());
    else
        ShowOnPages(configurationRecord);
}

// An existing file is written over without a question. A file the host
// refuses to write is reported: the user must not believe it saved.
bool Tarvek::OnSaveFile(WObject*, WEventData*)
{
    WFilePath path;
    if (!ChooseConfigurationFile(true, path))
        return false;
    ConfigurationExchange::CopyPagesToRecord(GatherPageValues(), configurationRecord);
    if (!LoadSavePrint::Save(path)) {
        WString message;
        message.Sprintf("Die Datei \"%s\" konnte nicht gespeichert werden.", path.GetText());
        TarvekBoxes::ShowError(message);
    }
    return false;
}

// The dialog starts in the program's folder with the pattern of the
// configuration files; a name typed without extension gets the pattern's.
// While an exchange holds the port the choice is refused with the sign.
bool Tarvek::ChooseConfigurationFile(bool save, WFilePath& path)
{
    if (RefuseWhilePortHeld())
        return false;
    const WFilePath initial(WFilePath::GetProgramDirectory() + "*.tci");
    const WString pattern = initial.GetFileName() + initial.GetExtension();
    WString description;
    description.Sprintf("Tarvek-Konfiguration (%s)", pattern.GetText());
    const char* const filters[] = {description, pattern, "Alle Dateien (*.*)", "*.*", nullptr, nullptr};
    filedlg_1->SetFilePath(initial);
    filedlg_1->SetFilters(filters);
    if (!(save ? filedlg_1->Save() : filedlg_1->Open()))
        return false;
    filedlg_1->GetFilePath(path);
    if (path.GetExtension().IsEmpty())
        path.SetExtension(initial.GetExtension());
    return true;
}

bool Tarvek::OnExit(WObject*, WEventData*)
{
    Close();
    return false;
}

bool Tarvek::OnAbout(WObject*, WEventData*)
{
    if (RefuseWhilePortHeld())
        return false;
    brasselwald_1->LoadWindow(this, "ID_Brasselwald", WModuleHandle::Application());
    return false;
}

void Tarvek::ShowConnectedLook()
{
    interfacePage->EnablePortChoice(false);
    SetConnectIcon(IDI_PLUG_CONNECTED);
    SetStatusText(ConnectingText);
}

void Tarvek::ShowIdleLook()
{
    SetConnectIcon(IDI_PLUG_APART);
    interfacePage->EnablePortChoice(true);
    SetStatusText("");
}

void Tarvek::SetConnectIcon(uint16_t iconId)
{
    WIcon& icon = iconId == IDI_PLUG_CONNECTED ? connectedIcon : apartIcon;
    if (icon.IsEmpty())
        icon.Load(iconId, WModuleHandle::Application(), ConnectIconSize, ConnectIconSize);
    tarvek_connect->SetIcon(icon);
}

void Tarvek::SetStatusText(const char* text)
{
    if (statusBar)
        statusBar->SetStatusText(0, text);
}

// Written at once and read back, so that the choice survives whatever
// happens to the program during the transfer.
void Tarvek::StoreComPort()
{
    if (registrySettings)
        registrySettings->SetComPort(GetPortNumber());
    delete registrySettings;
    registrySettings = new RegistrySettings;
}
