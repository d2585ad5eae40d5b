#pragma once
// A shared, reference-counted array. Copies share the elements; a change to a
// shared array first gives the changing copy elements of its own. Element
// access out of range yields a dummy element instead of failing.
//
// The counts change with the host's interlocked operations, so copies of one
// array may live on different threads; each WArray object itself belongs to one
// thread at a time. An array without elements shares one empty instance per
// element type.

#include "WObject.h"

#include <new>
#include <vector>

template <class T>
class WArray : public WObject {
    W_DECLARE_CLASS(WArray, WObject)
public:
    WArray();
    WArray(const WArray& other);
    WArray& operator=(const WArray& other);
    ~WArray() override;

    bool SetCount(int32_t count);
    int32_t GetCount() const;
    T& operator[](int32_t index);
    const T& operator[](int32_t index) const;

private:
    struct Shared {
        volatile LONG references;
        std::vector<T> elements;
    };
    Shared* shared;
    bool MakeOwn();
    static Shared* Empty();
    static void Acquire(Shared* array);
    static void Release(Shared* array);
    static T& Dummy();
};

class WString;
using WStringArray = WArray<WString>;

// The empty instance holds a reference of its own that is never given back,
// so it is never freed.
template <class T>
typename WArray<T>::Shared* WArray<T>::Empty()
{
    static Shared* const empty = new Shared{1, {}};
    return empty;
}

template <class T>
void WArray<T>::Acquire(Shared* array)
{
    InterlockedIncrement(&array->references);
}

template <class T>
void WArray<T>::Release(Shared* array)
{
    if (InterlockedDecrement(&array->references) == 0)
        delete array;
}

// A fresh dummy for every out-of-range access, so that a write through one
// such access is never read back through another.
template <class T>
T& WArray<T>::Dummy()
{
    static thread_local T dummy;
    dummy = T();
    return dummy;
}

template <class T>
WArray<T>::WArray() : shared(Empty())
{
    Acquire(shared);
}

template <class T>
WArray<T>::WArray(const WArray& other) : WObject(other), shared(other.shared)
{
    Acquire(shared);
}

// The new elements are acquired before the old ones are released, which makes
// assigning an array to itself harmless.
template <class T>
WArray<T>& WArray<T>::operator=(const WArray& other)
{
    Shared* previous = shared;
    shared = other.shared;
    Acquire(shared);
    Release(previous);
    return *this;
}

template <class T>
WArray<T>::~WArray()
{
    Release(shared);
}

// Elements of their own for this array, unless it is the only holder already.
template <class T>
bool WArray<T>::MakeOwn()
{
    if (InterlockedCompareExchange(&shared->references, 0, 0) == 1 && shared != Empty())
        return true;
    Shared* own = nullptr;
    try {
        own = new Shared{1, shared->elements};
    } catch (...) {
        return false;
    }
    Release(shared);
    shared = own;
    return true;
}

template <class T>
bool WArray<T>::SetCount(int32_t count)
{
    if (count < 0)
        return false;
    if (count == GetCount())
        return true;
    if (!MakeOwn())
        return false;
    try {
        shared->elements.resize(static_cast<size_t>(count));
    } catch (...) {
        return false;
    }
    return true;
}

template <class T>
int32_t WArray<T>::GetCount() const
{
    return static_cast<int32_t>(shared->elements.size());
}

template <class T>
T& WArray<T>::operator[](int32_t index)
{
    if (index < 0 || index >= GetCount() || !MakeOwn())
        return Dummy();
    return shared->elements[static_cast<size_t>(index)];
}

template <class T>
const T& WArray<T>::operator[](int32_t index) const
{
    if (index < 0 || index >= GetCount())
        return Dummy();
    return shared->elements[static_cast<size_t>(index)];
}
