// Objects deleted while their window or a modal loop is still on its way. A
// form deleted through a base pointer loses its window while the whole object
// still exists; a modal dialog deleted by its own handler, and a file or print
// dialog deleted while the host shows it, are not touched again by the loop
// that showed them. Deleted memory is filled as a debugging heap fills a freed
// block, so that a loop that reads it goes wrong at once instead of by chance.

#include "DialogWatchers.h"
#include "EventProbe.h"
#include "WCommandButton.h"
#include "WDialog.h"
#include "WFileDialog.h"
#include "WGeneratedRoutines.h"
#include "WModelessDialog.h"
#include "WModuleHandle.h"
#include "WPrintDialog.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>

namespace {

constexpr unsigned char Poison = 0xDD;

template <size_t Size>
bool IsPoisoned(const unsigned char (&memory)[Size])
{
    return std::all_of(memory, memory + Size, [](unsigned char byte) { return byte == Poison; });
}

// A member that fills itself when it is destroyed: the form class's part of
// the object as it looks once that part has ended.
struct Sentinel {
    static constexpr uint32_t Alive = 0x600D600D;
    uint32_t word = Alive;
    ~Sentinel() { std::memset(&word, Poison, sizeof word); }
};

class LifetimeFormBase : public WModelessDialog {
protected:
    WCommandButton* okButton = nullptr;

private:
    bool OnCreate(WObject*, WEventData*);

    static const WControlRow ControlRows[];
    WGeneratedRoutines<&LifetimeFormBase::OnCreate> generatedRoutines{this};
};

const WControlRow LifetimeFormBase::ControlRows[] = {
    WControlRowOf<&LifetimeFormBase::okButton>(IDC_BRASSELWALD_CB_1, "cb_1"),
};

bool LifetimeFormBase::OnCreate(WObject*, WEventData*)
{
    CreateControls(ControlRows, "Lifetime");
    BindControls();
    return FinishCreation();
}

// Handlers of its own and no destructor: nothing in the class asks for its
// window to go first.
class FormWithHandlers : public LifetimeFormBase {
    W_DECLARE_HANDLER_ROWS()
public:
    static inline int destroyedWhole = 0;
    static inline int destroyedBroken = 0;

private:
    bool OnDestroy(WObject*, WEventData*)
    {
        ++(sentinel.word == Sentinel::Alive ? destroyedWhole : destroyedBroken);
        return false;
    }

    Sentinel sentinel;
};

const std::vector<WHandlerRow> FormWithHandlers::handlerRows = {
    WHandlerRowOf<&FormWithHandlers::OnDestroy>(DestroyEvent),
};

TEST(FormDeletedThroughABasePointer, LosesItsWindowWhileTheWholeObjectExists)
{
    WForm* form = new FormWithHandlers;
    ASSERT_TRUE(form->LoadWindow(nullptr, "ID_Brasselwald", WModuleHandle()));
    HWND window = form->GetHandle();
    delete form;
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(FormWithHandlers::destroyedWhole, 1);
    EXPECT_EQ(FormWithHandlers::destroyedBroken, 0);
}

// An object whose deallocation fills its memory and leaves it where it was.
template <class Object>
class Poisoned : public Object {
public:
    static void* operator new(size_t) { return memory; }
    static void operator delete(void* block, size_t size) { std::memset(block, Poison, size); }

    alignas(Object) static inline unsigned char memory[sizeof(Object)];
};

// A modal dialog that deletes itself on its first command.
class SelfDeletingDialog : public WDialog {
public:
    SelfDeletingDialog()
    {
        AddHandler(CreateEvent, this, &SelfDeletingDialog::OnCreate);
        AddHandler(CommandEvent, this, &SelfDeletingDialog::OnCommand);
    }

private:
    bool OnCreate(WObject*, WEventData*)
    {
        PostMessageA(GetHandle(), WM_COMMAND, IDCANCEL, 0);
        return false;
    }
    bool OnCommand(WObject*, WEventData*)
    {
        delete this;
        return true;
    }
};

TEST(ModalDialogDeletedByItsOwnHandler, EndsItsLoopUntouchedAndEnablesItsOwnerAgain)
{
    WWindow owner;
    ASSERT_TRUE(
        owner.Create(nullptr, RECT{100, 100, 400, 300}, "Besitzer", WS_POPUP | WS_CAPTION | WS_VISIBLE));
    auto* dialog = new Poisoned<SelfDeletingDialog>;
    EXPECT_TRUE(dialog->LoadWindow(&owner, "ID_Brasselwald", WModuleHandle()));
    EXPECT_TRUE(IsPoisoned(Poisoned<SelfDeletingDialog>::memory));
    EXPECT_TRUE(IsWindowEnabled(owner.GetHandle()));
}

// The owner deletes the common dialog on a user event, which arrives while
// the host's dialog (or, for the print dialog without a printer, the host's
// notice) is up.
template <class Dialog, class Show>
void DeleteWhileTheHostShows(Show show)
{
    WWindow owner;
    ASSERT_TRUE(
        owner.Create(nullptr, RECT{100, 100, 400, 300}, "Besitzer", WS_POPUP | WS_CAPTION | WS_VISIBLE));
    auto* dialog = new Poisoned<Dialog>;
    dialog->SetParent(&owner);
    std::atomic<bool> deleted{false};
    EventProbe deleter([&](WObject*, WEventData*) {
        delete dialog;
        deleted = true;
        return true;
    });
    deleter.Listen(owner, UserEvent);
    HostDialogInterrupter interrupter([&] { owner.PostUserEvent(1); }, [&] { return deleted.load(); });
    EXPECT_FALSE(show(*dialog));
    ASSERT_TRUE(interrupter.Finish());
    ASSERT_TRUE(deleted);
    EXPECT_TRUE(IsPoisoned(Poisoned<Dialog>::memory));
}

TEST(FileDialogDeletedWhileShowing, IsNotTouchedWhenTheHostReturns)
{
    DeleteWhileTheHostShows<WFileDialog>([](WFileDialog& dialog) { return dialog.Open(); });
}

TEST(PrintDialogDeletedWhileShowing, IsNotTouchedWhenTheHostReturns)
{
    DeleteWhileTheHostShows<WPrintDialog>([](WPrintDialog& dialog) { return dialog.Show(); });
}

}  // namespace
