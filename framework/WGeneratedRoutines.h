#pragma once
// The handler table of a designer form's generated base class: CreateEvent
// runs the base's creation routine, CloseEvent the generated close and
// DestroyEvent the generated clean-up. The base holds one as its last member,
// so that the table is attached while the base is constructed and detached
// while it is destroyed. A window still there at that point (the form was not
// deleted with delete) goes before the table, without the handler rows of the
// form class, whose part is gone already; the clean-up still runs and finds
// every member of the base there.

#include "WForm.h"

template <auto OnCreate>
class WGeneratedRoutines {
public:
    explicit WGeneratedRoutines(WForm* form) : form(form) { AttachEventTable(form, Table(), form); }

    ~WGeneratedRoutines()
    {
        form->DestroyLeftoverWindow();
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
            {DestroyEvent, W_HANDLER(&WForm::OnGeneratedCleanUp), nullptr, 0},
            {NullEvent, nullptr, nullptr, 0},
        };
        return table;
    }

    WForm* form;
};
