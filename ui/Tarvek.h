#pragma once
// The main window: menu, tool bar, the tab control with the four pages, the
// large transfer button and the status bar. Closing it ends the program. It
// carries the file commands (a configuration file to and from the pages), the
// about box and the configuration transfer, and it owns the persistent
// settings and the device link while it exists.

#include "Brasselwald.h"
#include "DeviceExchange.h"
#include "PageValues.h"
#include "TabForm1.h"
#include "TabForm2.h"
#include "TabForm3.h"
#include "TabForm4.h"
#include "WFileDialog.h"
#include "WFilePath.h"
#include "WGeneratedRoutines.h"
#include "WMenu.h"
#include "WModelessDialog.h"
#include "WPictureButtonEx.h"
#include "WRichTextBox.h"
#include "WStatusBar.h"
#include "WTabControl.h"
#include "WToolbar.h"
#include "WVentraToolbarData.h"
#include "resource.h"

struct ConfigurationRecord;

// The designer part: the window's controls, menu, tool bar and pages, their
// creation from "ID_Tarvek" and their clean-up.
class __Tarvek_Base : public WModelessDialog {
    W_DECLARE_CLASS(__Tarvek_Base, WModelessDialog)
protected:
    WMenu* menu_1 = nullptr;
    WPopupMenu* popup_file = nullptr;  // "&Datei"
    WMenuItem* item_open = nullptr;    // 1001
    WMenuItem* item_save = nullptr;    // 1002
    WMenuItem* item_exit = nullptr;    // 1004
    WPopupMenu* popup_help = nullptr;  // "&?"
    WMenuItem* item_about = nullptr;   // 1006
    // The template's rich edit item, placed below the client area and not
    // visible: nothing shows, reads or writes it. It is a leftover of the
    // window's design that the template keeps, bound like every item so that
    // its window has its object and goes with the form. Its one effect is that
    // the host's rich edit library must be loaded before the template can
    // become a window, which the framework sees to.
    WRichTextBox* rtb_1 = nullptr;
    WFileDialog* filedlg_1 = nullptr;
    WToolbar* toolb_1 = nullptr;
    WVentraToolbarData* toolb_1_data = nullptr;
    WPictureButtonEx* tarvek_connect = nullptr;
    Brasselwald* brasselwald_1 = nullptr;
    TabForm1* interfacePage = nullptr;
    TabForm2* comparatorPage = nullptr;
    TabForm3* offsetPage = nullptr;
    TabForm4* errorPage = nullptr;
    WTabControl* tabctrl_1 = nullptr;
    WStatusBar* statusb_1 = nullptr;

    // The exchange the pages' device controls share with the transfer button.
    virtual DeviceExchange& GetDeviceExchange() = 0;

private:
    static const WControlRow ControlRows[];

    void CreateStatusBar();
    void CreateMembers();
    void LoadMenu();
    void CreatePages();
    void DeleteMembers() override;

    bool OnCreate(WObject* source, WEventData* data);
    WGeneratedRoutines<&__Tarvek_Base::OnCreate> generatedRoutines{this};
};

// The controls in designer order.
inline const WControlRow __Tarvek_Base::ControlRows[] = {
    WControlRowOf<&__Tarvek_Base::rtb_1>(IDC_TARVEK_RTB_1, "rtb_1"),
    WControlRowOf<&__Tarvek_Base::toolb_1>(0, "toolb_1"),
    WControlRowOf<&__Tarvek_Base::tarvek_connect>(IDC_TARVEK_CONNECT, "tarvek_connect"),
    WControlRowOf<&__Tarvek_Base::tabctrl_1>(IDC_TARVEK_TABCTRL_1, "tabctrl_1"),
};

class Tarvek : public __Tarvek_Base {
    W_DECLARE_CLASS(Tarvek, __Tarvek_Base)
    W_DECLARE_HANDLER_ROWS()
public:
    static constexpr const char* ConnectingText = "Verbindung zu Tarvek wird hergestellt.";

    Tarvek();

    // The interface chosen on the interface page: 1 for COM1,
    // PortNumbers::NoPort for none.
    int32_t GetPortNumber() const;
    // Validates the thresholds and sends the configuration, step by step.
    void Transfer();
    // Loads the file into the pages as the open command does, with the same
    // messages for a file that is missing or cannot be read, as soon as the
    // window handles its messages.
    void OpenConfigurationFile(const WFilePath& path);

protected:
    DeviceExchange& GetDeviceExchange() override { return deviceExchange; }
    bool FormCreated() override;

private:
    // The user event that opens fileToOpen; the reader's notifications carry 0.
    static constexpr uint32_t OpenFileRequest = 0x7E1F;

    DeviceExchange deviceExchange;
    WStatusBar* statusBar = nullptr;
    WFilePath fileToOpen;
    // The two pictures of the transfer button, loaded when first shown.
    WIcon connectedIcon;
    WIcon apartIcon;

    // Stores the settings and lets go of the device link while the pages
    // still hold what they show.
    bool OnDestroy(WObject* source, WEventData* data);
    bool OnCloseRequest(WObject* source, WEventData* data);
    bool OnUserEvent(WObject* source, WEventData* data);
    bool OnEndSession(WObject* source, WEventData* data);
    bool OnToolbarClick(WObject* source, WEventData* data);
    bool OnTransferPress(WObject* source, WEventData* data);
    bool OnTransferClick(WObject* source, WEventData* data);
    bool OnOpenFile(WObject* source, WEventData* data);
    bool OnSaveFile(WObject* source, WEventData* data);
    bool OnExit(WObject* source, WEventData* data);
    bool OnAbout(WObject* source, WEventData* data);

    // What the pages hold now, exactly as their controls hold it.
    PageValues GatherPageValues() const;
    // Shows a configuration on the pages; nothing is sent.
    void ShowOnPages(const ConfigurationRecord& record);
    bool RefuseWhilePortHeld() const;
    bool ChooseConfigurationFile(bool save, WFilePath& path);
    void LoadConfigurationFile(const WFilePath& path);
    void ShowConnectedLook();
    void ShowIdleLook();
    void SetConnectIcon(uint16_t icon);
    void SetStatusText(const char* text);
    void StoreComPort();
};
