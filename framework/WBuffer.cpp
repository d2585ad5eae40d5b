#include "WBuffer.h"

#include <cstdlib>
#include <cstring>
#include <new>

struct WBufferReference {
    volatile LONG references;
    uint32_t size;
    void* data;
    bool ownsData;
};

namespace {

WBufferReference* NewReference(uint32_t size, void* data, bool ownsData)
{
    return new (std::nothrow) WBufferReference{1, size, data, ownsData};
}

// Own storage of `size` bytes, filled from `source` or zero-filled.
WBufferReference* CopyOf(uint32_t size, const void* source)
{
    void* data = source != nullptr ? std::malloc(size) : std::calloc(size, 1);
    if (data == nullptr)
        return nullptr;
    if (source != nullptr)
        std::memcpy(data, source, size);
    WBufferReference* reference = NewReference(size, data, true);
    if (reference == nullptr)
        std::free(data);
    return reference;
}

}  // namespace

WBuffer::WBuffer() = default;

WBuffer::WBuffer(const WBuffer& other, bool deepCopy) : WObject(other)
{
    if (other.reference == nullptr)
        return;
    if (deepCopy)
        reference = CopyOf(other.reference->size, other.reference->data);
    else
        *this = other;
}

// The new reference is counted before the old one is released, so that
// assigning a buffer to itself keeps its storage.
WBuffer& WBuffer::operator=(const WBuffer& other)
{
    WBufferReference* shared = other.reference;
    if (shared != nullptr)
        InterlockedIncrement(&shared->references);
    Release();
    reference = shared;
    return *this;
}

WBuffer::~WBuffer()
{
    Release();
}

void WBuffer::Release()
{
    if (reference != nullptr && InterlockedDecrement(&reference->references) == 0) {
        if (reference->ownsData)
            std::free(reference->data);
        delete reference;
    }
    reference = nullptr;
}

bool WBuffer::SetSize(uint32_t size, void* source, bool copy, bool takeOwnership)
{
    WBufferReference* replacement = nullptr;
    if (size > 0) {
        if (copy)
            replacement = CopyOf(size, source);
        else if (source != nullptr)
            replacement = NewReference(size, source, takeOwnership);
        if (replacement == nullptr)
            return false;
    }
    if (takeOwnership && source != nullptr && (copy || size == 0))
        std::free(source);
    Release();
    reference = replacement;
    return true;
}

bool WBuffer::Clone()
{
    WBufferReference* own = CopyOf(reference->size, reference->data);
    if (own == nullptr)
        return false;
    Release();
    reference = own;
    return true;
}

void* WBuffer::Lock()
{
    if (reference == nullptr)
        return nullptr;
    if (InterlockedCompareExchange(&reference->references, 0, 0) > 1 && !Clone())
        return nullptr;
    return reference->data;
}

void WBuffer::Unlock() {}

uint32_t WBuffer::GetSize() const
{
    return reference != nullptr ? reference->size : 0;
}

const void* WBuffer::GetData() const
{
    return reference != nullptr ? reference->data : nullptr;
}
