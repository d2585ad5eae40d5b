#pragma once
// The program's main form put together from the framework's parts the way the
// program's creation routine does it: tool bar and status bar made in code,
// menu, transfer button with icon and caption, tab control with its four pages.
// Tests of tab pages, tool bar and menu use it, and it is photographed.

#include "WMenu.h"
#include "WModelessDialog.h"
#include "WPictureButtonEx.h"
#include "WStatusBar.h"
#include "WTabControl.h"
#include "WToolbar.h"
#include "WVentraToolbarData.h"
#include "resource.h"

#include <array>

struct MainFormAssembly {
    MainFormAssembly();
    ~MainFormAssembly();
    // Builds everything; false at the first step that failed.
    bool Build();

    WModelessDialog form;
    WStatusBar* statusBar = new WStatusBar;
    WToolbar* toolbar = new WToolbar;
    WVentraToolbarData toolbarData{toolbar, IDB_TOOLBAR_IMAGES};
    WMenu menu;
    WPictureButtonEx transferButton;
    WTabControl* tabControl = new WTabControl;
    std::array<WModelessDialog*, 4> pages{};
};
