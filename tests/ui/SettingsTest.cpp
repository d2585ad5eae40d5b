// The interface chosen survives from one run to the next in the registry:
// read when the main window is made, stored at every transfer and at exit.

#include "DevicePartner.h"
#include "DialogWatchers.h"
#include "RegistrySettings.h"
#include "TarvekWindow.h"

namespace {

using Settings = TarvekWindow;

// The key is shared with 32-bit programs, which see only the 32-bit view.
TEST_F(Settings, WithoutAKeyCom2IsChosenAndTheDefaultsAreWrittenOnExit)
{
    EXPECT_TRUE(MachineKeyExists(KEY_WOW64_32KEY));
    EXPECT_FALSE(MachineKeyExists(KEY_WOW64_64KEY));
    EXPECT_EQ(TextOf("combo_com"), "COM2");
    CloseWindow();
    EXPECT_EQ(StoredComPort(), 2);
    EXPECT_EQ(StoredActiveFlag(), "FALSE");
}

TEST_F(Settings, TheStoredInterfaceIsChosenAtStart)
{
    CloseWindow();
    StoreComPort(5);
    OpenWindow();
    EXPECT_EQ(TextOf("combo_com"), "COM5");
}

TEST_F(Settings, TheInterfaceIsStoredAtOnceWhenATransferStarts)
{
    DevicePartner device(2);  // COM3
    ASSERT_TRUE(device.IsOpen());
    SelectEntry("combo_com", 2);
    Click("tarvek_connect");
    EXPECT_EQ(device.LineCount(), 7u);
    EXPECT_TRUE(IsOpen());
    EXPECT_EQ(StoredComPort(), 3);
}

TEST_F(Settings, TheInterfaceIsStoredAtExit)
{
    SelectEntry("combo_com", 4);
    CloseWindow();
    EXPECT_EQ(StoredComPort(), 5);
}

// At log-off Windows ends the process after these two messages; the window
// is never destroyed.
TEST_F(Settings, TheInterfaceIsStoredWhenTheSessionEnds)
{
    SelectEntry("combo_com", 4);
    EXPECT_NE(SendMessageA(Main(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), 0);
    SendMessageA(Main(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_EQ(StoredComPort(), 5);
}

TEST_F(Settings, AMachineKeyThatRefusesWritingIsReplacedByTheUsersSilently)
{
    CloseWindow();
    StoreComPort(4);
    SetSettingsKeyReadOnly(true);
    MessageBoxCollector anyError("Tarvek Fehler");
    OpenWindow();
    SelectEntry("combo_com", 5);
    CloseWindow();
    EXPECT_TRUE(anyError.Stop().empty());
    EXPECT_EQ(StoredComPort(HKEY_CURRENT_USER), 6);
    EXPECT_EQ(StoredComPort(), 4);
    OpenWindow();
    EXPECT_EQ(TextOf("combo_com"), "COM6");
}

}  // namespace
