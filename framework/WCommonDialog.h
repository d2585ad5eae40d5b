#pragma once
// Base of the host's common dialogs (open and save file, print): the owner
// window and the option flags, which cannot change while the dialog is showing.
// The object may be deleted while the host shows its dialog (by a handler the
// host's loop dispatched to); the showing routine then touches nothing of it
// once the host returns.

#include "WLifeWatch.h"
#include "WWindow.h"

class WCommonDialog : public WEventGenerator {
    W_DECLARE_CLASS(WCommonDialog, WEventGenerator)
public:
    // False while the dialog is showing.
    bool SetParent(WWindow* owner);
    WWindow* GetParent() const { return parent; }
    virtual void SetFlags(DWORD newFlags) { flags = newFlags; }
    DWORD GetFlags() const { return flags; }
    bool IsShowing() const { return showing; }

protected:
    HWND GetOwnerHandle() const { return parent ? parent->GetHandle() : nullptr; }
    // A function of the host's common dialog library, which is loaded the first
    // time a dialog is shown: linked at start it brings its library and its
    // dependencies into every run, which costs start-up time and several
    // megabytes for dialogs most runs never open. Null when it is missing.
    static FARPROC HostFunction(const char* name);
    void SetShowing(bool isShowing) { showing = isShowing; }

    // Watched by the showing routine while the host's dialog is up.
    WLifeAnchor lifeAnchor;

private:
    WWindow* parent = nullptr;
    DWORD flags = 0;
    bool showing = false;
};
