#include "WObject.h"

WObject::WObject() noexcept : validity(ValidWord) {}

// A copy is a new object: it gets its own validity word, not the source's.
WObject::WObject(const WObject&) noexcept : validity(ValidWord) {}

WObject& WObject::operator=(const WObject&) noexcept
{
    return *this;
}

WObject::~WObject()
{
    validity = DeadWord;
}

const char* WObject::GetClassName() const
{
    return "WObject";
}

ATOM WObject::GetClassAtom() const
{
    static const ATOM atom = AtomOf("WObject");
    return atom;
}

bool WObject::IsClass(ATOM atom) const
{
    return atom == WObject::GetClassAtom();
}

bool WObject::IsClass(const char* name) const
{
    return WObject::IsClass(AtomOf(name));
}

bool WObject::IsKindOf(ATOM atom) const
{
    return atom == WObject::GetClassAtom();
}

bool WObject::IsKindOf(const char* name) const
{
    return WObject::IsKindOf(AtomOf(name));
}

WObject* WObject::Self()
{
    return this;
}

// Looking the name up first keeps repeated class questions from raising the
// atom's reference count in the host's table on every call.
ATOM WObject::AtomOf(const char* className)
{
    if (className == nullptr || *className == '\0')
        return 0;
    ATOM atom = GlobalFindAtomA(className);
    return atom != 0 ? atom : GlobalAddAtomA(className);
}
