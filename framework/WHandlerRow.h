#pragma once
// A designer form's handlers as data, beside its control rows (WControlRow).
// Each row names the handler (a member function of the form class), the
// event, the generator that raises it (a member of the form that holds a
// control or menu item, or the form itself) and the user data the handler
// finds in its event record. The framework attaches a form's rows once its
// controls are bound and detaches them in its own clean-up (WForm), so no
// form writes attach or detach code.
//
// A row is made from the handler and the member:
// WHandlerRowOf<&TabForm4::OnClearErrorsClick, &TabForm4::pbx_error>(ClickEvent)
// runs OnClearErrorsClick when pbx_error raises ClickEvent;
// WHandlerRowOf<&Tarvek::OnUserEvent>(UserEvent) when the form itself raises
// UserEvent. The compiler checks that the handler belongs to a form that
// holds the member and that the member holds an event generator.

#include "WControlRow.h"
#include "WEventGenerator.h"

#include <cstdint>
#include <type_traits>

class WForm;

struct WHandlerRow {
    WEventGenerator* (*generator)(WForm& form);  // null while the member holds none
    WEventID eventId;
    WEventHandlerFn handler;
    uint32_t userData;
};

namespace WRowDetail {

template <class HandlerPointer>
struct HandlerOf;

template <class Form>
struct HandlerOf<bool (Form::*)(WObject*, WEventData*)> {
    using FormClass = Form;
};

}  // namespace WRowDetail

template <auto Handler, auto Member = nullptr>
constexpr WHandlerRow WHandlerRowOf(WEventID eventId, uint32_t userData = 0)
{
    using Form = typename WRowDetail::HandlerOf<decltype(Handler)>::FormClass;
    static_assert(std::is_base_of_v<WForm, Form>, "a handler row's handler is a member of a form class");
    WEventGenerator* (*generator)(WForm&) = nullptr;
    if constexpr (Member == nullptr) {
        generator = [](WForm& form) -> WEventGenerator* { return &static_cast<Form&>(form); };
    } else {
        using Holder = typename WRowDetail::MemberOf<decltype(Member)>::HolderClass;
        using Generator = typename WRowDetail::MemberOf<decltype(Member)>::ObjectClass;
        static_assert(std::is_base_of_v<Holder, Form>, "the member belongs to the handler's form");
        static_assert(std::is_base_of_v<WEventGenerator, Generator>, "the member holds an event generator");
        generator = [](WForm& form) -> WEventGenerator* { return static_cast<Form&>(form).*Member; };
    }
    return WHandlerRow{generator, eventId, W_HANDLER(Handler), userData};
}
