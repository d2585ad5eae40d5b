#pragma once
// A tool tip for one control: the text shows when the mouse rests on the
// control. The framework's controls carry no tool tip of their own (only the
// tool bar does), so a page that wants one for a button keeps this beside it.
//
// The host's tool tip hooks itself into the control's window procedure, on top
// of the framework's. Removed (Remove, or the destructor) before the control
// object goes, it hands the procedures back in the order they were taken; a
// control object deleted first leaves the framework's procedure in the chain,
// passing the messages on.

#include "WWindow.h"

class ControlToolTip {
public:
    ControlToolTip() = default;
    ~ControlToolTip();
    ControlToolTip(const ControlToolTip&) = delete;
    ControlToolTip& operator=(const ControlToolTip&) = delete;

    // False when the control has no window or the tool tip cannot be made.
    bool Attach(const WWindow& control, const char* text);
    void Remove();

private:
    HWND toolTip = nullptr;
    HWND control = nullptr;
};
