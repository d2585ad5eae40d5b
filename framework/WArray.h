#pragma once
// A shared, reference-counted array. Copies share the elements; a change to a
// shared array first gives the changing copy elements of its own. Element
// access out of range yields a dummy element instead of failing.

#include "WObject.h"

template <class T>
class WArray : public WObject {
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
    struct Shared;
    Shared* shared;
    void MakeOwn();
};

class WString;
using WStringArray = WArray<WString>;
