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
//
// A designer form comes as a pair: a generated base class that holds the
// control objects, describes them in a table of rows (WControlRow) and keeps
// its generated routines attached (WGeneratedRoutines), and the form class
// derived from it, which adds the program's part through the virtuals below.
// The generated creation routine runs, in this order: KeepInsideWorkArea;
// CreateControls (every row's object, the form's font and name; around it the
// main form makes its status bar and tool bar and sets its icon and menu);
// BindControls (the rows bound to their items, and named); the designer's
// settings of single controls; AttachFormTables; FinishCreation (the tab
// order, the form class's own initialisation, then the form is shown).

#include "WControlRow.h"
#include "WWindow.h"

#include <span>
#include <vector>

class WControl;

class WForm : public WWindow {
    W_DECLARE_CLASS(WForm, WWindow)
public:
    // The window-position flags of the tab order batch: only the order
    // changes; nothing is moved, sized or activated, and owners stay where
    // they are.
    static constexpr UINT TabOrderFlags =
        SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOCOPYBITS | SWP_NOOWNERZORDER;
    static_assert(TabOrderFlags == 0x0333);

    WForm();
    ~WForm() override;

    // Puts the listed child windows, in the given order, behind the other
    // children in tab and stacking order, in one deferred window-position batch;
    // false when the batch cannot be started.
    virtual bool SetTabOrder(int32_t count, WWindow* const windows[]);
    // The generated tab-order routine: the table's windows in designer order.
    virtual bool SetTabOrder();
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

    // The generated close routine: destroys the form and, when it is the
    // program's main form, ends the program with exit code 0. Claims the close.
    bool OnGeneratedClose(WObject* source, WEventData* data);
    // The generated clean-up: the form class's part, then DeleteControls.
    bool OnGeneratedCleanUp(WObject* source, WEventData* data);

protected:
    // The steps of the generated creation routine (see above). The table is
    // the base's static one; the form keeps it for the tab order and the clean-up.
    void CreateControls(std::span<const WControlRow> rows, const char* formName);
    // Rows with an item are bound in ascending item order; every row is named.
    void BindControls();
    // Returns the result of FormCreated.
    bool FinishCreation();
    // Deletes every row's object and clears its member.
    void DeleteControls();

    // The form class's part of a designer form. Its handler tables on the
    // controls, attached once the controls exist and detached in its part of
    // the clean-up, which runs before the controls go; its own initialisation,
    // run before the form is shown, whose result the creation routine returns.
    virtual void AttachFormTables() {}
    virtual void FormDestroying() {}
    virtual bool FormCreated() { return false; }

    // A handler table on one of the form's objects, with the form as target.
    struct HandlerTable {
        WEventGenerator* generator;     // passed over when null
        const WEventTableEntry* table;
    };
    void AttachTables(std::span<const HandlerTable> tables);
    void DetachTables(std::span<const HandlerTable> tables);

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
    std::span<const WControlRow> controlRows;
    RECT clientRectangle{};
    bool trailByteExpected = false;     // the last WM_CHAR carried a double-byte lead byte
};
