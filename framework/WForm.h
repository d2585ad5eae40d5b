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
// A form given an accelerator table turns its keys into commands there too.
//
// A designer form comes as a pair: a generated base class that holds the
// control objects, describes them in a table of rows (WControlRow) and keeps
// its generated routines attached (WGeneratedRoutines), and the form class
// derived from it, which adds the program's part through the virtuals below.
// The generated creation routine runs, in this order: KeepInsideWorkArea;
// CreateControls (every row's object, the form's font and name; around it the
// main form makes its status bar and tool bar and sets its icon and menu);
// BindControls (the rows bound to their items, and named, then the form
// class's handler rows attached); the designer's settings of single controls;
// FinishCreation (the tab order, the form class's own initialisation, then the
// form is shown). The form's clean-up on DestroyEvent detaches the handler rows
// and then deletes the members. The form class's own handlers of DestroyEvent
// run before it, since they were attached later.
//
// A form deleted with delete loses its window before any part of the object
// is destroyed, whatever its classes declare, so that every handler the
// window's destruction runs finds the whole object. A form that is not deleted
// that way (one on the stack, or a member) has its handler rows detached
// before its window goes late in its destruction, so that none of them runs on
// a part already gone.

#include "WControlRow.h"
#include "WHandlerRow.h"
#include "WWindow.h"

#include <new>
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

    // The window is destroyed before the destructors run (see above).
    static void operator delete(WForm* form, std::destroying_delete_t);

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

    // The accelerator keys the form's message filter turns into commands of
    // the form; the table stays the caller's. Null (the default): none.
    void SetAccelerators(HACCEL table) { accelerators = table; }

    // Controls bound to the form's template items; listed controls without a
    // window are bound again whenever the form's dialog is initialised.
    void AddControl(WControl* control);
    void RemoveControl(WControl* control);

    // The generated close routine: destroys the form and, when it is the
    // program's main form, ends the program with exit code 0. Claims the close.
    bool OnGeneratedClose(WObject* source, WEventData* data);
    // The generated clean-up: the handler rows detached, then DeleteMembers.
    bool OnGeneratedCleanUp(WObject* source, WEventData* data);

protected:
    // The steps of the generated creation routine (see above). The table is
    // the base's static one; the form keeps it for the tab order and the clean-up.
    void CreateControls(std::span<const WControlRow> rows, const char* formName);
    // Rows with an item are bound in ascending item order; every row is
    // named. Then the handler rows are attached.
    void BindControls();
    // Returns the result of FormCreated.
    bool FinishCreation();
    // Deletes every row's object and clears its member.
    void DeleteControls();
    // The members the generated clean-up deletes; a generated base with more
    // than its table of rows (a menu, pages, dialogs) deletes those too.
    virtual void DeleteMembers() { DeleteControls(); }

    // The form class's part of a designer form: its handler rows (declared
    // with W_DECLARE_HANDLER_ROWS) and its own initialisation, run before the
    // form is shown, whose result the creation routine returns.
    virtual std::span<const WHandlerRow> HandlerRows() const { return {}; }
    virtual bool FormCreated() { return false; }

    // Creates the window from the dialog template as a modeless dialog owned
    // by (or, for child-style templates, inside) the parent.
    bool CreateFromTemplate(WWindow* parent, const WResourceID& id, const WModuleHandle& module);
    bool InitializeDialog(Message& message) override;

private:
    template <auto OnCreate>
    friend class WGeneratedRoutines;

    static INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool FilterDialogMessage(MSG* message, uint32_t userData);
    bool IsInsideOtherForm() const;
    bool IsInTabOrder(int32_t count, WWindow* const windows[]) const;
    void AttachHandlerRows();
    void DetachHandlerRows();
    // Destroys a window that outlived the form's most derived part, without
    // the handlers of the parts already gone.
    void DestroyLeftoverWindow();

    std::vector<WControl*> controls;
    std::span<const WControlRow> controlRows;
    std::span<const WHandlerRow> attachedRows;  // empty while none are attached
    RECT clientRectangle{};
    HACCEL accelerators = nullptr;
    bool trailByteExpected = false;  // the last WM_CHAR carried a double-byte lead byte
};

// Declares a form class's handler rows. The table, defined in the form's
// source file, is kept as a vector: an array of unknown bound could not be
// handed over from the class body.
#define W_DECLARE_HANDLER_ROWS()                              \
protected:                                                    \
    std::span<const WHandlerRow> HandlerRows() const override \
    {                                                         \
        return handlerRows;                                   \
    }                                                         \
                                                              \
private:                                                      \
    static const std::vector<WHandlerRow> handlerRows;
