#pragma once
// Windows. A WWindow object stands for one host window: it is created first and
// gets its window later, by Create (a new window), by LoadWindow (a form from
// its dialog template, or a control bound to an item of its form's template) or
// by Attach. From then on every message of the window runs through one
// dispatcher, which turns the message into the framework event of the same
// meaning, raised on the window object; only when no handler claims the event
// does the message go on to the window's previous window procedure (or the
// host's default procedure).
//
// Commands and notifications are reflected: the control that sent them raises
// the event itself (a button its ClickEvent, a tab control its SelectEvent), and
// a menu command makes the chosen WMenuItem raise its ClickEvent.
//
// All operations except PostUserEvent belong to the thread that created the
// window. PostUserEvent may be called from any thread: it posts a message, so
// that UserEvent is raised later on the window's own thread.

#include "WEventGenerator.h"
#include "WFont.h"
#include "WIcon.h"

#include <atomic>

class WMenu;
struct WMessageFrame;
class WModuleHandle;
class WResourceID;
class WStatusBar;

class WWindow : public WEventGenerator {
    W_DECLARE_CLASS(WWindow, WEventGenerator)
public:
    WWindow();
    ~WWindow() override;

    HWND GetHandle() const { return handle.load(std::memory_order_acquire); }
    // The framework object of a window, or null when the window has none.
    static WWindow* FromHandle(HWND window);
    // Loads and initialises the host's common controls once; false when the
    // library cannot be had.
    static bool EnsureCommonControls();

    // A new child (or top-level) window of the class's own window class.
    virtual bool Create(WWindow* parent, const RECT& rectangle, const char* text, DWORD style,
                        DWORD extendedStyle = 0, int32_t controlId = 0);
    // Forms: creates the window from the dialog template. Controls: binds the
    // object to the parent's template item with that id.
    virtual bool LoadWindow(WWindow* parent, const WResourceID& id, const WModuleHandle& module);
    // Takes over an existing window: its messages run through this object
    // until it is destroyed or the object is deleted.
    bool Attach(HWND window);
    // Gives the window back to its previous window procedure. When another
    // subclass was put on top of the framework's procedure meanwhile (a tool
    // tip's, for instance), the framework's procedure stays in that chain and
    // passes every message on to the previous procedure.
    void Detach();
    virtual bool Destroy();
    // Posts the host's close request, so that the close runs later through
    // QueryCloseEvent and CloseEvent.
    virtual bool Close();
    // True when the message now being handled came through a message loop
    // that runs inside an event handler of this thread (a message box, a modal
    // dialog, a wait that dispatches messages): that handler still works with
    // its windows once the loop has ended.
    static bool IsHandlerRunningBelow();
    // Posts the close request once no event handler of this thread runs any
    // more (at once when none runs below the message now being handled), so
    // that a close asked for inside such a loop waits for it to end.
    bool CloseWhenHandlersEnd();
    virtual bool Show(int32_t showCommand = SW_SHOW);

    virtual WWindow* GetParent() const { return parent; }
    int32_t GetControlId() const { return controlId; }
    virtual bool SetName(const WString& name);
    WString GetName() const { return name; }
    virtual bool SetFont(const WFont& font, bool redraw = true);
    const WFont& GetFont() const { return font; }
    virtual bool SetText(const WString& text);
    virtual WString GetText() const;
    // Before the window exists these change the style the window is created with.
    virtual bool SetEnabled(bool enabled);
    virtual bool GetEnabled() const;
    virtual bool SetVisible(bool visible);
    virtual bool GetVisible() const;
    virtual DWORD GetStyle() const;
    // Changes the style of the existing window and repaints it; false without window.
    virtual bool SetStyle(DWORD newStyle);
    // Invalidates the whole window and repaints it at once.
    virtual bool Update(bool erase = true);
    virtual bool Invalidate(bool erase = true);
    // Loads the icon in the system's large and small sizes for the window;
    // classIcon also makes the default-size icon the window class's icon.
    virtual bool SetIcon(bool classIcon, const WResourceID& icon, const WModuleHandle& module);
    // The window shows the menu; null takes it away. The menu stays the caller's.
    virtual bool SetMenu(WMenu* newMenu);
    WMenu* GetMenu() const { return menu; }
    virtual bool SetStatusBar(WStatusBar* newStatusBar);
    WStatusBar* GetStatusBar() const { return statusBar; }

    // Raises UserEvent (WUserEventData.value = value) on the window's thread.
    // Any thread. False, with last error WErrorUserEventNotPosted, when the
    // window has no handle or the message cannot be posted.
    bool PostUserEvent(uint32_t value);

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // The registered message that carries user events and framework notifications.
    static UINT PrivateMessage();
    static constexpr WPARAM PrivateUserEvent = 2;
    // The registered messages of the host's find dialog and drag lists.
    static UINT FindReplaceMessage();
    static UINT DragListMessage();
    // The window property through which a find dialog's owner passes the
    // dialog's notifications on: its name holds the dialog's handle, its value
    // is the window that gets them.
    static WString FindReplaceTargetProperty(HWND findDialog);

protected:
    // One message on its way through the dispatcher.
    struct Message {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        LRESULT result;
        const WMessageFrame* frame;

        // False once a handler has deleted the window object: the dispatcher
        // must not touch it any more.
        bool WindowAlive() const;
    };

    // The host window class Create uses; the framework's own class by default.
    virtual const char* GetWindowClass() const;
    // Default processing of a message: the previous window procedure, else the host's.
    LRESULT DefaultProcessing(UINT message, WPARAM wParam, LPARAM lParam);
    // Runs after the window's own processing of every message.
    virtual void MessageProcessed(const Message& message);
    // A command or notification this control sent to its parent, handed back to
    // it. True claims the message; result is what the parent answers.
    virtual bool ReflectCommand(WORD code, WORD id, LRESULT& result);
    virtual bool ReflectNotify(NMHDR* header, LRESULT& result);
    // Tool tip text for a tool of this window; true when the text was given.
    virtual bool SupplyToolTipText(NMHDR* header);
    // Called when the window has been attached (after Attach or creation).
    virtual void WindowAttached();
    // Called when the window is gone (WM_NCDESTROY), after the handle was cleared.
    virtual void WindowDestroyed();
    // Forms initialise their controls on WM_INITDIALOG; true when it was handled.
    virtual bool InitializeDialog(Message& message);
    // Called on the child windows after the parent's client area changed size
    // (status bars and tool bars keep themselves in place).
    virtual void ParentResized();
    // Dispatches a message the way the window procedure does.
    LRESULT RouteMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Raises an event with a message record; true when a handler claimed it.
    bool RaiseMessageEvent(WEventID event, const Message& message, int32_t* returnValue = nullptr);
    bool WantsEvent(WEventID event) const { return (GetEventMask() >> (event & 31)) & 1u; }

    // The style a window is created with: the given one with the changes that
    // SetEnabled and SetVisible made before the window existed.
    DWORD CreationStyle(DWORD style) const { return (style | styleSet) & ~styleCleared; }
    // The window exists now: the changes made before take effect on it, once.
    void ApplyEarlyState();
    // The changes made before went into the creation style; they are done.
    void ForgetEarlyState() { styleSet = styleCleared = 0; }

    void SetParentWindow(WWindow* newParent) { parent = newParent; }
    void SetControlId(int32_t id) { controlId = id; }
    // Whether deleting the object destroys the window (windows it created itself).
    void SetOwnsWindow(bool owns) { ownsWindow = owns; }

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The previous procedure of a window, or the host's default procedure.
    static LRESULT CallPrevious(WNDPROC previous, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    using MessageHandler = bool (WWindow::*)(Message& message, WEventID event);
    struct MessageRow {
        MessageHandler handler = nullptr;
        WEventID event = NullEvent;  // NullEvent: the handler runs without a mask test
    };
    struct MessageBinding {
        UINT message;
        MessageHandler handler;
        WEventID event;
    };
    template <UINT First, UINT Last>
    static constexpr auto MessageRows(std::initializer_list<MessageBinding> bindings);
    static const MessageRow* FindMessageRow(UINT message);
    static const MessageRow* FindOutsideRow(UINT message);

    // Message handlers, one per kind of message (WWindowMessages.cpp).
    bool OnEventMessage(Message& message, WEventID event);
    bool OnRecordResultMessage(Message& message, WEventID event);
    bool OnMouseMessage(Message& message, WEventID event);
    bool OnNonClientDestroyMessage(Message& message, WEventID event);
    bool OnCloseMessage(Message& message, WEventID event);
    bool OnSizeMessage(Message& message, WEventID event);
    bool OnActivateMessage(Message& message, WEventID event);
    bool OnShowWindowMessage(Message& message, WEventID event);
    bool OnInitDialogMessage(Message& message, WEventID event);
    bool OnContextMenuMessage(Message& message, WEventID event);
    bool OnNonClientMouseMessage(Message& message, WEventID event);
    bool OnDialogCodeMessage(Message& message, WEventID event);
    bool OnFindReplaceMessage(Message& message, WEventID event);
    bool OnDragListMessage(Message& message, WEventID event);

    // Default handlers every window attaches when it is constructed.
    bool OnDefaultContextMenu(WObject* source, WEventData* data);
    bool OnDefaultMenuSelect(WObject* source, WEventData* data);
    bool OnDefaultInitPopupMenu(WObject* source, WEventData* data);
    bool OnDefaultPrivateMessage(WObject* source, WEventData* data);
    bool OnDefaultControlColor(WObject* source, WEventData* data);
    bool OnDefaultCommand(WObject* source, WEventData* data);
    bool OnDefaultNotify(WObject* source, WEventData* data);
    bool OnDefaultNeedToolTipText(WObject* source, WEventData* data);
    bool OnDefaultDrag(WObject* source, WEventData* data);
    bool OnDefaultDestroy(WObject* source, WEventData* data);
    bool OnDefaultScroll(WObject* source, WEventData* data);
    static const WEventTableEntry DefaultHandlers[];

    bool ChooseMenuItem(WORD id);
    // Raises the event with the same record on the framework object of
    // another window; false when that window has none or is this one.
    bool PassEventTo(HWND window, WEventID event, WEventData* data);
    // Forgets the window: property, handle and previous procedure.
    void ReleaseHandle();

private:
    std::atomic<HWND> handle{nullptr};
    WNDPROC previousProcedure = nullptr;
    bool ownsWindow = false;
    WWindow* parent = nullptr;
    int32_t controlId = 0;
    WString name;
    WFont font;
    WMenu* menu = nullptr;
    WStatusBar* statusBar = nullptr;
    DWORD styleSet = 0;  // style bits changed before the window exists
    DWORD styleCleared = 0;
    WIcon bigIcon;
    WIcon smallIcon;
};
