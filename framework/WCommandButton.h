#pragma once
// A push button that can be its dialog's default button (pressed by Enter).

#include "WButton.h"

class WCommandButton : public WButton {
    W_DECLARE_CLASS(WCommandButton, WButton)
public:
    bool SetDefault(bool isDefault);
};
