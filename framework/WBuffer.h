#pragma once
// A shared byte buffer: copies share the storage (counted with interlocked
// operations); Lock gives a writable pointer, cloning shared storage first.

#include "WObject.h"

struct WBufferReference;

class WBuffer : public WObject {
    W_DECLARE_CLASS(WBuffer, WObject)
public:
    WBuffer();
    WBuffer(const WBuffer& other, bool deepCopy = false);
    WBuffer& operator=(const WBuffer& other);
    ~WBuffer() override;

    // size 0 empties the buffer. copy: own storage of that size, filled from
    // source when given (and source freed afterwards with takeOwnership),
    // zero-filled otherwise; without copy the given memory is wrapped (owned
    // with takeOwnership). Memory handed over with takeOwnership must come
    // from malloc: the buffer gives it back with free. False when memory
    // runs out or there is nothing to wrap; the buffer is unchanged then.
    bool SetSize(uint32_t size, void* source = nullptr, bool copy = true, bool takeOwnership = false);
    void* Lock();
    void Unlock();
    uint32_t GetSize() const;
    const void* GetData() const;

private:
    WBufferReference* reference = nullptr;
    void Release();
    bool Clone();
};
