#pragma once
// A designer form's controls as data. Each row names the member of the form's
// generated base class that holds one control object, the template item the
// control is bound to (0 for a window the form makes itself with Create, such
// as a tool bar) and the control's name. A form's table of rows, in designer
// order, is what the framework works through to create, bind, name, order and
// delete the controls (WForm).
//
// A row is made from the member itself: WControlRowOf<&__TabForm2_Base::label_2>
// (IDC_TABFORM2_LABEL_2, "label_2") news a WLabel into label_2, reads it, and
// deletes and clears it again.

#include "WWindow.h"

#include <cstdint>

class WForm;

struct WControlRow {
    WWindow* (*create)(WForm& form);
    WWindow* (*get)(const WForm& form);
    void (*forget)(WForm& form);  // deletes the object and clears the member
    uint16_t itemId;
    const char* name;
};

namespace WRowDetail {

// The class that holds a row's member, and the class of the object the
// member points to.
template <class MemberPointer>
struct MemberOf;

template <class Holder, class Object>
struct MemberOf<Object * Holder::*> {
    using HolderClass = Holder;
    using ObjectClass = Object;
};

}  // namespace WRowDetail

template <auto Member>
constexpr WControlRow WControlRowOf(uint16_t itemId, const char* name)
{
    using Form = typename WRowDetail::MemberOf<decltype(Member)>::HolderClass;
    using Control = typename WRowDetail::MemberOf<decltype(Member)>::ObjectClass;
    return WControlRow{
        [](WForm& form) -> WWindow* { return static_cast<Form&>(form).*Member = new Control; },
        [](const WForm& form) -> WWindow* { return static_cast<const Form&>(form).*Member; },
        [](WForm& form) {
            Control*& control = static_cast<Form&>(form).*Member;
            delete control;
            control = nullptr;
        },
        itemId,
        name,
    };
}
