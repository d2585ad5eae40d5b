#pragma once
// Controls: child windows of a form. A control object is usually bound to an
// item of its form's dialog template with LoadWindow; the item's window
// procedure is then replaced by the framework's, and given back when the object
// is deleted. Controls that are not in the template (tool bar, status bar) are
// made with Create.

#include "WWindow.h"

class WForm;

class WControl : public WWindow {
    W_DECLARE_CLASS(WControl, WWindow)
public:
    WControl();
    ~WControl() override;

    // Binds the object to the parent's item with that id, gives it the
    // parent's font and raises CreateEvent. False when the parent has no such
    // item (the control stays without window).
    bool LoadWindow(WWindow* parent, const WResourceID& id, const WModuleHandle& module) override;
    // Binds to the item with the control's id in its parent, as LoadWindow does.
    bool BindToItem();
    // The form that listed the control is going away.
    void FormGone() { form = nullptr; }

private:
    WForm* form = nullptr;
};
