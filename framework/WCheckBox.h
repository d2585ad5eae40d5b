#pragma once
// A two-state check box.

#include "WButton.h"

class WCheckBox : public WButton {
    W_DECLARE_CLASS(WCheckBox, WButton)
public:
    bool GetChecked() const;
    // True when the box shows the wanted state afterwards.
    bool SetChecked(bool checked);
    // Changes the text and has the parent repaint behind the box.
    bool SetText(const WString& text) override;
};
