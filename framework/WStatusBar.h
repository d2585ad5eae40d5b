#pragma once
// A status bar at the bottom of its form; it follows the form's size.

#include "WControl.h"

class WStatusBar : public WControl {
    W_DECLARE_CLASS(WStatusBar, WControl)
public:
    // style: the host's drawing flags of the part (0: sunken).
    bool SetStatusText(int32_t part, const char* text, int32_t style = 0);
    // Takes the size grip away from the bar's right end.
    bool RemoveSizeGrip();

protected:
    const char* GetWindowClass() const override;
    void ParentResized() override;
};
