#pragma once
// An edit field.

#include "WControl.h"

class WTextBox : public WControl {
    W_DECLARE_CLASS(WTextBox, WControl)
public:
    bool SetReadOnly(bool readOnly);
    // The most characters the user may type; 0 lifts the limit.
    void SetLimit(int32_t characters);

protected:
    const char* GetWindowClass() const override { return "EDIT"; }
};
