#pragma once
// A form loaded from its dialog template and shown without a modal loop: the
// program's main form and its tab pages.

#include "WForm.h"

class WModelessDialog : public WForm {
    W_DECLARE_CLASS(WModelessDialog, WForm)
public:
    // Fails with WErrorWindowAlreadyCreated when the form has a window already.
    bool LoadWindow(WWindow* parent, const WResourceID& id, const WModuleHandle& module) override;
};
