#pragma once
// A tool tip for one control: the text shows when the mouse rests on the
// control. The framework's controls carry no tool tip of their own (only the
// tool bar does), so a page that wants one for a button keeps this beside it.
//
// The host's tool tip window is made when the mouse first comes over the
// control, not with the page: most starts never need it, and making it costs
// the start as much as a page's own controls do.
//
// The host's tool tip hooks itself into the control's window procedure, on top
// of the framework's. Removed (Remove, or the destructor) before the control
// object goes, it hands the procedures back in the order they were taken; a
// control object deleted first leaves the framework's procedure in the chain,
// passing the messages on.

#include "WWindow.h"

class ControlToolTip : public WObject {
public:
    ControlToolTip() = default;
    ~ControlToolTip() override;
    ControlToolTip(const ControlToolTip&) = delete;
    ControlToolTip& operator=(const ControlToolTip&) = delete;

    // False when the control has no window.
    bool Attach(WWindow& control, const char* text);
    void Remove();

private:
    WWindow* awaited = nullptr;  // the control, until the mouse first comes over it
    const char* text = nullptr;
    HWND control = nullptr;
    HWND toolTip = nullptr;

    bool OnFirstMouseMove(WObject* source, WEventData* data);
    bool MakeToolTip();
    void StopAwaiting();
};
