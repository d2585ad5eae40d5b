#pragma once
// Static texts: WStatic, and WLabel, the designer's text label.

#include "WControl.h"

class WStatic : public WControl {
    W_DECLARE_CLASS(WStatic, WControl)

protected:
    const char* GetWindowClass() const override { return "STATIC"; }
};

class WLabel : public WStatic {
    W_DECLARE_CLASS(WLabel, WStatic)
};
