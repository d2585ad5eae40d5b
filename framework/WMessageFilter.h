#pragma once
// The routine of a message filter, which sees a message before it is
// dispatched (WApplication keeps the filters of each thread). Kept apart from
// the application object, so that the per-thread record, which stores the
// filters, needs nothing above it.

#include "WObject.h"

// A message filter: returns true when it consumed the message. It is a plain
// routine that gets its owner, or a member routine of the owner.
using WMessageFilterFn = bool (*)(WObject* owner, MSG* message, uint32_t userData);
using WMessageFilterMember = bool (WObject::*)(MSG* message, uint32_t userData);

#define W_FILTER(memberFunction) static_cast<WMessageFilterMember>(memberFunction)

// Either kind of filter routine; together with its owner it names a filter.
class WMessageFilterRoutine {
public:
    WMessageFilterRoutine() = default;
    WMessageFilterRoutine(WMessageFilterFn routine) : plain(routine) {}
    WMessageFilterRoutine(WMessageFilterMember routine) : member(routine) {}

    bool IsEmpty() const { return plain == nullptr && member == nullptr; }
    bool IsPlain() const { return plain != nullptr; }
    bool Call(WObject* owner, MSG* message, uint32_t userData) const
    {
        return plain ? plain(owner, message, userData) : (owner->*member)(message, userData);
    }
    bool operator==(const WMessageFilterRoutine& other) const = default;

private:
    WMessageFilterFn plain = nullptr;
    WMessageFilterMember member = nullptr;
};
