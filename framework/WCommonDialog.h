#pragma once
// Base of the host's common dialogs (open and save file): the owner window and
// the option flags, which cannot change while the dialog is showing.

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
    void SetShowing(bool isShowing) { showing = isShowing; }

private:
    WWindow* parent = nullptr;
    DWORD flags = 0;
    bool showing = false;
};
