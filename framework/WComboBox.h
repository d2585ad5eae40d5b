#pragma once
// A combo box; the program's are drop-down lists the user can only pick from.

#include "WControl.h"

class WComboBox : public WControl {
    W_DECLARE_CLASS(WComboBox, WControl)
public:
    // The selected entry's index, -1 when none is selected.
    int32_t GetSelected() const;
    // True when the entry with that index is selected afterwards (-1 clears the selection).
    bool SetSelected(int32_t index);
    // Appends the entry, or inserts it at index when one is given; the entry's index or -1.
    int32_t AddString(const char* text, int32_t index = -1);
    // Selects the first entry, from index 0 on, that begins with the text
    // (letter case ignored) and returns its index; -1 and no change when none does.
    int32_t SelectString(const char* text);
    int32_t GetCount() const;
    // The text of the selected entry; empty when none is selected.
    WString GetText() const override;
    // A drop-down list selects the entry with exactly that text (letter case
    // ignored) and is false, keeping its selection, when it has none; a combo
    // box with an edit field takes the text into the field.
    bool SetText(const WString& text) override;
    // The height of the control with its drop-down list, in pixels.
    bool SetHeight(int32_t height);

protected:
    const char* GetWindowClass() const override { return "COMBOBOX"; }
};
