#pragma once
// Forms: windows built from a dialog template of the program's resources. A
// form object exists before its window; loading it creates the window, and when
// the host reports the dialog as initialised the form raises CreateEvent, whose
// handler (the form's generated creation routine) binds control objects to the
// template's items by id.
//
// Each form registers a message filter with the application when it is
// constructed, so that Tab, the arrow keys, Enter and Escape move between and
// press its controls however the message loop that takes the message is run.

#include "WWindow.h"

#include <vector>

class WControl;

class WForm : public WWindow {
    W_DECLARE_CLASS(WForm, WWindow)
public:
    // The host's window-position flags of the tab order batch: no move, no
    // size, no activation.
    static constexpr UINT TabOrderFlags = 0x0333;

    WForm();
    ~WForm() override;

    // Puts the listed child windows, in the given order, behind the other
    // children in tab and stacking order, in one deferred window-position batch;
    // false when the batch cannot be started.
    virtual bool SetTabOrder(int32_t count, WWindow* const windows[]);
    // Moves a top-level form that is neither minimized nor maximized into the
    // desktop's work area.
    bool KeepInsideWorkArea();
    bool CenterInWorkArea();

    // The window rectangle moved, without changing its size, to lie inside the
    // area as far as it fits (its top left corner wins when it is too large).
    static RECT FitIntoArea(const RECT& window, const RECT& area);
    static RECT CenterInArea(const RECT& window, const RECT& area);

    // The program's main form: closing it ends the program.
    static void SetMainForm(WForm* form);
    static WForm* GetMainForm();

    // Controls bound to the form's template items; listed controls without a
    // window are bound again whenever the form's dialog is initialised.
    void AddControl(WControl* control);
    void RemoveControl(WControl* control);

protected:
    // Creates the window from the dialog template as a modeless dialog owned
    // by (or, for child-style templates, inside) the parent.
    bool CreateFromTemplate(WWindow* parent, const WResourceID& id, const WModuleHandle& module);
    bool InitializeDialog(Message& message) override;

private:
    static INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool FilterDialogMessage(MSG* message, uint32_t userData);
    bool IsInsideOtherForm() const;
    bool IsInTabOrder(int32_t count, WWindow* const windows[]) const;

    std::vector<WControl*> controls;
    RECT clientRectangle{};
    bool trailByteExpected = false;     // the last WM_CHAR carried a double-byte lead byte
};
