#pragma once
// The handler table of a designer form's generated base class: CreateEvent
// runs the base's creation routine, CloseEvent the generated close and
// DestroyEvent the generated clean-up (or the base's own, where it has more to
// delete than its table of rows). The base holds one as its last member, so
// that the table is attached while the base is constructed and detached while
// it is destroyed. The window goes before the table, so that the clean-up
// still runs and finds every member there.

#include "WForm.h"

template <auto OnCreate, auto OnDestroy = &WForm::OnGeneratedCleanUp>
class WGeneratedRoutines {
public:
    explicit WGeneratedRoutines(WForm* form) : form(form) { AttachEventTable(form, Table(), form); }

    ~WGeneratedRoutines()
    {
        if (form->GetHandle())
            form->Destroy();
        DetachEventTable(form, Table(), form);
    }

    WGeneratedRoutines(const WGeneratedRoutines&) = delete;
    WGeneratedRoutines& operator=(const WGeneratedRoutines&) = delete;

private:
    static const WEventTableEntry* Table()
    {
        static const WEventTableEntry table[] = {
            {CreateEvent, W_HANDLER(OnCreate), nullptr, 0},
            {CloseEvent, W_HANDLER(&WForm::OnGeneratedClose), nullptr, 0},
            {DestroyEvent, W_HANDLER(OnDestroy), nullptr, 0},
            {NullEvent, nullptr, nullptr, 0},
        };
        return table;
    }

    WForm* form;
};
