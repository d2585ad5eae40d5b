#pragma once
// A form loaded from its dialog template and run modally: LoadWindow returns
// only when the dialog has ended. For the duration every other enabled
// top-level window of the thread is disabled; they are enabled again before
// the dialog's window goes, so that the activation returns to them. A dialog
// deleted while it runs, by one of its own handlers or through its base,
// ends its run as Destroy would; its modal loop then touches nothing of it.

#include "WForm.h"
#include "WLifeWatch.h"

#include <vector>

class WDialog : public WForm {
    W_DECLARE_CLASS(WDialog, WForm)
public:
    ~WDialog() override;

    // Runs the dialog; true when it could be created (and has ended since).
    bool LoadWindow(WWindow* parent, const WResourceID& id, const WModuleHandle& module) override;
    // Ends the modal run with the result and destroys the dialog's window.
    bool EndDialog(int32_t result);
    // The same as EndDialog(0).
    bool Destroy() override;
    int32_t GetResult() const { return result; }
    bool IsRunning() const { return running; }

protected:
    void WindowDestroyed() override;

private:
    void RunModalLoop();
    void DisableOtherWindows();
    void EnableOtherWindows();

    std::vector<HWND> disabledWindows;
    bool running = false;
    int32_t result = 0;
    WLifeAnchor lifeAnchor;
};
