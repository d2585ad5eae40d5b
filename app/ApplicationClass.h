#pragma once
// The program's application object: on StartEvent it creates the main window,
// on RunEvent it loads the configuration file named on the command line, if
// any, and runs the message loop, on EndEvent it destroys the main window.
// The process exit code is 0 after a normal close and -1 when the main window
// cannot be created, in which case no window is shown and the loop never runs.

#include "WApplication.h"
#include "WModuleHandle.h"

class Tarvek;

class ApplicationClass : public WExeApplication {
    W_DECLARE_CLASS(ApplicationClass, WExeApplication)
public:
    // Makes the main window and registers it as the program's main form; null
    // when it cannot be made (nothing is left behind then).
    using MainFormFactory = Tarvek* (*)();

    explicit ApplicationClass(MainFormFactory createMainForm = &CreateMainForm);

    // The main window from the dialog template "ID_Tarvek" of the program.
    static Tarvek* CreateMainForm();
    // The same from the resources of another module.
    static Tarvek* CreateMainFormFrom(const WModuleHandle& module);

private:
    MainFormFactory createMainForm;

    bool StartHandler(WObject* source, WEventData* data);
    bool RunHandler(WObject* source, WEventData* data);
    bool EndHandler(WObject* source, WEventData* data);
    void OpenFileFromCommandLine();
    bool DefaultStartHandler(WObject* source, WEventData* data);
    bool DefaultHandler(WObject* source, WEventData* data);
};

// The main window while it exists; null before StartEvent and after EndEvent.
extern Tarvek* mainWindow;
