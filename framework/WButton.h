#pragma once
// Push buttons and their kin. A button raises its own ClickEvent when it is
// clicked (released over itself after a press, or pressed from the keyboard).

#include "WControl.h"

class WButton : public WControl {
    W_DECLARE_CLASS(WButton, WControl)
public:
    // Shows the button pushed (true) or released.
    void SetState(bool pushed);
    bool GetState() const;

protected:
    const char* GetWindowClass() const override { return "BUTTON"; }
    bool ReflectCommand(WORD code, WORD id, LRESULT& result) override;
};
