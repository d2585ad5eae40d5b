#pragma once
// The root of every framework class. An object carries a validity word, which
// tells a live object from a destroyed one when a stale pointer is followed, and
// knows its class by name and by global atom, so that code can ask what an
// object is without the compiler's type information.
//
// <windows.h> comes in here, once for the whole framework: several framework
// operations share their names with the host's A/W macros (GetClassName,
// GetMessage, FormatMessage, ...), and including it everywhere keeps the
// renaming those macros do the same in every file.

#include <windows.h>

#include <cstdint>

using WBool = bool;

class WObject {
public:
    static constexpr uint32_t ValidWord = 0xC0DEAB1E;
    static constexpr uint32_t DeadWord = 0xDEADBEEF;

    WObject() noexcept;
    WObject(const WObject&) noexcept;
    WObject& operator=(const WObject&) noexcept;

    virtual const char* GetClassName() const;
    virtual ATOM GetClassAtom() const;
    virtual bool IsClass(ATOM atom) const;
    virtual bool IsClass(const char* name) const;
    virtual bool IsKindOf(ATOM atom) const;
    virtual bool IsKindOf(const char* name) const;
    virtual ~WObject();
    virtual WObject* Self();

    // True while the object is alive (its validity word is intact).
    bool IsValid() const { return validity == ValidWord; }

    // The global atom of a class name, added to the host's atom table on first use.
    static ATOM AtomOf(const char* className);

private:
    volatile uint32_t validity;
};

// Gives a framework class its name and atom and chains IsKindOf to its base.
// Every framework class names itself with this at the top of its body.
#define W_DECLARE_CLASS(ClassName, BaseName)                                  \
public:                                                                       \
    const char* GetClassName() const override                                 \
    {                                                                         \
        return #ClassName;                                                    \
    }                                                                         \
    ATOM GetClassAtom() const override                                        \
    {                                                                         \
        static const ATOM atom = WObject::AtomOf(#ClassName);                 \
        return atom;                                                          \
    }                                                                         \
    bool IsClass(ATOM atom) const override                                    \
    {                                                                         \
        return atom == ClassName::GetClassAtom();                             \
    }                                                                         \
    bool IsClass(const char* name) const override                             \
    {                                                                         \
        return ClassName::IsClass(WObject::AtomOf(name));                     \
    }                                                                         \
    bool IsKindOf(ATOM atom) const override                                   \
    {                                                                         \
        return atom == ClassName::GetClassAtom() || BaseName::IsKindOf(atom); \
    }                                                                         \
    bool IsKindOf(const char* name) const override                            \
    {                                                                         \
        return ClassName::IsKindOf(WObject::AtomOf(name));                    \
    }                                                                         \
                                                                              \
private:
