#include "ApplicationClass.h"

#include "Tarvek.h"
#include "WRichTextBox.h"

Tarvek* mainWindow = nullptr;

// Each real handler is followed by a default one; the later registration runs
// first, so the defaults prepare the event data and the real handler always
// runs after them.
ApplicationClass::ApplicationClass(MainFormFactory createMainForm) : createMainForm(createMainForm)
{
    AddHandler(StartEvent, this, &ApplicationClass::StartHandler);
    AddHandler(StartEvent, this, &ApplicationClass::DefaultStartHandler);
    AddHandler(RunEvent, this, &ApplicationClass::RunHandler);
    AddHandler(RunEvent, this, &ApplicationClass::DefaultHandler);
    AddHandler(EndEvent, this, &ApplicationClass::EndHandler);
    AddHandler(EndEvent, this, &ApplicationClass::DefaultHandler);
}

Tarvek* ApplicationClass::CreateMainForm()
{
    return CreateMainFormFrom(WModuleHandle::Application());
}

Tarvek* ApplicationClass::CreateMainFormFrom(const WModuleHandle& module)
{
    auto* form = new Tarvek;
    WForm::SetMainForm(form);
    if (form->LoadWindow(nullptr, "ID_Tarvek", module))
        return form;
    WForm::SetMainForm(nullptr);
    delete form;
    return nullptr;
}

bool ApplicationClass::DefaultStartHandler(WObject*, WEventData* data)
{
    auto* application = static_cast<WApplicationEventData*>(data);
    application->exitCode = 0;
    application->abort = false;
    return false;
}

bool ApplicationClass::DefaultHandler(WObject*, WEventData*)
{
    return false;
}

// The main window's template holds a rich edit item, whose window class the
// host's library registers: it is loaded before the window is made.
bool ApplicationClass::StartHandler(WObject*, WEventData* data)
{
    auto* application = static_cast<WApplicationEventData*>(data);
    WRichTextBox::EnsureLibraryLoaded();
    mainWindow = createMainForm ? createMainForm() : nullptr;
    if (!mainWindow) {
        application->exitCode = -1;
        application->abort = true;
    }
    return true;
}

bool ApplicationClass::RunHandler(WObject*, WEventData* data)
{
    OpenFileFromCommandLine();
    MSG last{};
    RunMessageLoop(&last);
    static_cast<WApplicationEventData*>(data)->exitCode = static_cast<int32_t>(last.wParam);
    return true;
}

// The shell names the file a user opened as the one argument. The window is
// shown by now, so a message about the file appears in front of it, and the
// start is over whatever the file holds. Only the first argument is taken: the
// program shows one configuration at a time.
void ApplicationClass::OpenFileFromCommandLine()
{
    const WStringArray arguments = GetArguments();
    if (mainWindow && arguments.GetCount() > 0 && !arguments[0].IsEmpty())
        mainWindow->OpenConfigurationFile(WFilePath(arguments[0]));
}

bool ApplicationClass::EndHandler(WObject*, WEventData*)
{
    delete mainWindow;
    mainWindow = nullptr;
    return true;
}
