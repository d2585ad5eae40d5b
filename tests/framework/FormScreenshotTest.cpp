// Shows every form of the program's resources as a plain framework form, checks
// that it was drawn whole, and keeps a picture of each in the artifacts folder
// for a person to look at.

#include "EventProbe.h"
#include "MainFormAssembly.h"
#include "Screenshot.h"
#include "WDialog.h"
#include "WModelessDialog.h"
#include "WModuleHandle.h"
#include "WindowDriver.h"

#include <gtest/gtest.h>

#include <string>

namespace {

bool IsPainted(HWND window)
{
    // Once the window has been painted its update region is empty.
    return !GetUpdateRect(window, nullptr, FALSE);
}

void SaveWhenPainted(HWND window, const std::string& fileName)
{
    UpdateWindow(window);
    ASSERT_TRUE(PumpMessagesUntil([&] { return IsPainted(window); }));
    EXPECT_TRUE(PhotographsPaintedWindow(window, fileName.c_str()));
}

TEST(FormScreenshot, MainFormFromItsTemplate)
{
    WModelessDialog form;
    ASSERT_TRUE(form.LoadWindow(nullptr, "ID_Tarvek", WModuleHandle()));
    SaveWhenPainted(form.GetHandle(), "form-ID_Tarvek.png");
}

TEST(FormScreenshot, MainFormAssembledWithEachPageSelected)
{
    MainFormAssembly main;
    ASSERT_TRUE(main.Build());
    main.statusBar->SetStatusText(0, "Verbindung zu Tarvek wird hergestellt.");
    for (int32_t index = 0; index < 4; ++index) {
        main.tabControl->SetSelected(index);
        SaveWhenPainted(main.form.GetHandle(), "main-form-page" + std::to_string(index + 1) + ".png");
    }
}

TEST(FormScreenshot, EachPageInsideTheMainForm)
{
    WModelessDialog form;
    ASSERT_TRUE(form.LoadWindow(nullptr, "ID_Tarvek", WModuleHandle()));
    for (const char* name : {"ID_TabForm1", "ID_TabForm2", "ID_TabForm3", "ID_TabForm4"}) {
        WModelessDialog page;
        ASSERT_TRUE(page.LoadWindow(&form, name, WModuleHandle())) << name;
        page.Show();
        SetWindowPos(page.GetHandle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SaveWhenPainted(page.GetHandle(), std::string("form-") + name + ".png");
    }
}

TEST(FormScreenshot, AboutBoxAsModalDialog)
{
    WDialog dialog;
    EventProbe snapshot([&](WObject*, WEventData*) {
        SaveWhenPainted(dialog.GetHandle(), "form-ID_Brasselwald.png");
        dialog.EndDialog(0);
        return true;
    });
    snapshot.Listen(dialog, UserEvent);
    EventProbe postOnCreate([&](WObject*, WEventData*) {
        dialog.Show();
        dialog.PostUserEvent(1);
        return false;
    });
    postOnCreate.Listen(dialog, CreateEvent);
    EXPECT_TRUE(dialog.LoadWindow(nullptr, "ID_Brasselwald", WModuleHandle()));
    EXPECT_EQ(dialog.GetHandle(), nullptr);
}

}  // namespace
