#pragma once
// A group box framing related controls.

#include "WControl.h"

class WGroupBox : public WControl {
    W_DECLARE_CLASS(WGroupBox, WControl)

protected:
    const char* GetWindowClass() const override { return "BUTTON"; }
};
