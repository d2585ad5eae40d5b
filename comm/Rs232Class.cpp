#include "Rs232Class.h"

#include "WWindow.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr DWORD purgeAll = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;

// Reads return at once with what is queued; writes give up after a second.
constexpr COMMTIMEOUTS portTimeouts = {MAXDWORD, 0, 1000, 0, 1000};

// How long a detached reader waits for the host to finish an operation that
// Close cancelled, before it gives its context up for lost rather than free
// memory the host might still write to.
constexpr DWORD cancelledOperationWait = 5000;

HANDLE CreateManualResetEvent()
{
    return CreateEventA(nullptr, TRUE, FALSE, nullptr);
}

void ClearLineErrors(HANDLE port)
{
    DWORD errors = 0;
    ClearCommError(port, &errors, nullptr);
}

}  // namespace

// Everything the reader thread of one Open touches, apart from the hand-over
// of a portion to its owner. The owner and the thread each hold a reference;
// the last one to let go frees it. `owner` is set while the context is
// attached; the reader touches the port and its owner only under `guard` and
// only while attached, and Close detaches under the same lock.
struct ReaderContext {
    WCriticalSection guard;
    LONG references = 1;
    Rs232Class* owner;
    HANDLE port;
    HANDLE token = nullptr;         // the owner's bufferToken, duplicated
    HANDLE stopEvent;               // set when the context is detached
    OVERLAPPED waitRecord{};
    DWORD waitEvents = 0;
    OVERLAPPED readRecord{};
    char readBuffer[Rs232Class::ReceiveBufferSize] = {};
    bool operationLost = false;     // the host may still write into this context

    enum class PortEvent { Characters, Other, Ended };

    ReaderContext(Rs232Class* owner, HANDLE port)
        : owner(owner), port(port), stopEvent(CreateManualResetEvent())
    {
        readRecord.hEvent = CreateManualResetEvent();
        waitRecord.hEvent = CreateManualResetEvent();
        DuplicateHandle(GetCurrentProcess(), owner->bufferToken.GetHandle(), GetCurrentProcess(),
                        &token, 0, FALSE, DUPLICATE_SAME_ACCESS);
    }

    ~ReaderContext()
    {
        for (HANDLE handle : {token, stopEvent, readRecord.hEvent, waitRecord.hEvent}) {
            if (handle)
                CloseHandle(handle);
        }
    }

    ReaderContext(const ReaderContext&) = delete;
    ReaderContext& operator=(const ReaderContext&) = delete;

    bool IsComplete() const { return token && stopEvent && readRecord.hEvent && waitRecord.hEvent; }
    bool IsAttached() const { return owner != nullptr; }

    void AddReference() { InterlockedIncrement(&references); }

    static void Release(ReaderContext* context)
    {
        if (InterlockedDecrement(&context->references) == 0 && !context->operationLost)
            delete context;
    }

    // Owner thread, under guard.
    void Detach()
    {
        owner = nullptr;
        SetEvent(stopEvent);
    }

    bool WatchCharacters()
    {
        WSemaphoreLock lock(&guard);
        return IsAttached() && SetCommMask(port, EV_RXCHAR);
    }

    // Waits until the port reports an event. Ended when the context was
    // detached or the port cannot wait any more.
    PortEvent WaitForPortEvent()
    {
        bool pending = false;
        {
            WSemaphoreLock lock(&guard);
            if (!IsAttached())
                return PortEvent::Ended;
            waitEvents = 0;
            if (!WaitCommEvent(port, &waitEvents, &waitRecord)) {
                if (GetLastError() != ERROR_IO_PENDING)
                    return PortEvent::Ended;
                pending = true;
            }
        }
        if (pending && !FinishWait())
            return PortEvent::Other;
        return (waitEvents & EV_RXCHAR) ? PortEvent::Characters : PortEvent::Other;
    }

    // False when the wait ended without reporting events: cancelled because
    // the mask changed, or detached (which the next wait finds out).
    bool FinishWait()
    {
        if (!FinishPending(waitRecord))
            return false;
        WSemaphoreLock lock(&guard);
        DWORD unused = 0;
        return IsAttached() && GetOverlappedResult(port, &waitRecord, &unused, FALSE);
    }

    // Takes bufferToken, reads what is queued (at most one portion) and hands
    // it to the owner, keeping the token until the owner has taken it. False
    // when nothing was handed over; the token is then free again.
    bool HandOverPortion()
    {
        const HANDLE waits[2] = {stopEvent, token};
        if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1)
            return false;
        const int32_t count = ReadQueued();
        WSemaphoreLock lock(&guard);
        if (!IsAttached() || count <= 0) {
            ReleaseSemaphore(token, 1, nullptr);
            return false;
        }
        owner->ReceivePortion(readBuffer, count);
        return true;
    }

    int32_t ReadQueued()
    {
        DWORD count = 0;
        {
            WSemaphoreLock lock(&guard);
            if (!IsAttached())
                return 0;
            DWORD errors = 0;
            COMSTAT status{};
            ClearCommError(port, &errors, &status);
            count = status.cbInQue < sizeof readBuffer ? status.cbInQue : sizeof readBuffer;
            if (count == 0)
                return 0;
            if (ReadFile(port, readBuffer, count, &count, &readRecord))
                return static_cast<int32_t>(count);
            if (GetLastError() != ERROR_IO_PENDING) {
                ClearLineErrors(port);
                return 0;
            }
        }
        if (!FinishPending(readRecord))
            return 0;
        WSemaphoreLock lock(&guard);
        if (!IsAttached())
            return 0;
        count = 0;
        if (!GetOverlappedResult(port, &readRecord, &count, FALSE))
            ClearLineErrors(port);
        return static_cast<int32_t>(count);
    }

    // Waits, without the lock, until a pending operation is over. False when
    // the context was detached meanwhile; the operation is then over too, or
    // given up for lost, so that nothing of it outlives the context unseen.
    bool FinishPending(OVERLAPPED& record)
    {
        const HANDLE waits[2] = {stopEvent, record.hEvent};
        if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
            WSemaphoreLock lock(&guard);
            return IsAttached();
        }
        // Close purges and closes the port, which ends every pending operation.
        if (WaitForSingleObject(record.hEvent, cancelledOperationWait) != WAIT_OBJECT_0)
            operationLost = true;
        return false;
    }
};

Rs232Class::Rs232Class()
{
    writeRecord.hEvent = CreateManualResetEvent();
    bufferToken.Create(nullptr, 1, 1);
}

Rs232Class::~Rs232Class()
{
    Close();
    if (writeRecord.hEvent)
        CloseHandle(writeRecord.hEvent);
}

bool Rs232Class::SetPortNumber(int32_t index)
{
    std::snprintf(deviceName, sizeof deviceName, "COM%d", index + 1);
    return true;
}

bool Rs232Class::SetBaudRate(uint32_t rate)
{
    if (!IsListedBaudRate(rate))
        return false;
    lineSettings.baudRate = rate;
    return true;
}

void Rs232Class::SetByteSize(uint8_t size)
{
    lineSettings.byteSize = size == 7 ? 7 : 8;
}

void Rs232Class::SetStopBits(uint8_t count)
{
    lineSettings.stopBits = count == 2 ? TWOSTOPBITS : ONESTOPBIT;
}

void Rs232Class::SetNotifyTarget(WWindow* target)
{
    notifyTarget.store(target);
}

void Rs232Class::DataReceived()
{
    if (WWindow* target = notifyTarget.load())
        target->PostUserEvent(static_cast<uint32_t>(notifyCode));
}

bool Rs232Class::Open()
{
    if (!writeRecord.hEvent || !bufferToken.GetHandle() || IsOpen())
        return false;
    // The "\\.\" form is the only one that reaches COM10 and above.
    char path[sizeof deviceName + 4];
    std::snprintf(path, sizeof path, "\\\\.\\%s", deviceName);
    HANDLE port = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OVERLAPPED | FILE_ATTRIBUTE_NORMAL, nullptr);
    if (port == INVALID_HANDLE_VALUE)
        return false;
    if (!ConfigurePort(port) || !StartReader(port)) {
        CloseHandle(port);
        return false;
    }
    portHandle = port;
    EscapeCommFunction(port, SETDTR);
    return true;
}

bool Rs232Class::ConfigurePort(HANDLE port)
{
    COMMTIMEOUTS timeouts = portTimeouts;
    if (!settingCalls.setEventMask(port, EV_RXCHAR) || !settingCalls.setQueueSizes(port, QueueSize, QueueSize))
        return false;
    PurgeComm(port, purgeAll);
    if (!settingCalls.setTimeouts(port, &timeouts))
        return false;
    DCB current{};
    current.DCBlength = sizeof current;
    if (!GetCommState(port, &current))
        return false;
    DCB wanted = ApplyLineSettings(current, lineSettings);
    return SetCommState(port, &wanted);
}

bool Rs232Class::StartReader(HANDLE port)
{
    auto* context = new ReaderContext(this, port);
    if (!context->IsComplete()) {
        ReaderContext::Release(context);
        return false;
    }
    running = 1;
    context->AddReference();
    readerThread = CreateThread(nullptr, 0, ReaderThread, context, 0, &readerThreadId);
    if (!readerThread) {
        running = 0;
        readerThreadId = 0;
        ReaderContext::Release(context);   // the reference meant for the thread
        ReaderContext::Release(context);
        return false;
    }
    readerContext = context;
    return true;
}

void Rs232Class::Close()
{
    if (!IsOpen())
        return;
    running = 0;
    {
        WSemaphoreLock lock(&readerContext->guard);
        readerContext->Detach();
        // An empty mask ends the reader's pending event wait.
        SetCommMask(portHandle, 0);
        EscapeCommFunction(portHandle, CLRDTR);
        PurgeComm(portHandle, purgeAll);
        CloseHandle(portHandle);
        portHandle = INVALID_HANDLE_VALUE;
    }
    ReaderContext::Release(readerContext);
    readerContext = nullptr;
    CloseHandle(readerThread);
    readerThread = nullptr;
    readerThreadId = 0;
}

bool Rs232Class::Write(const void* bytes, uint32_t count)
{
    if (!IsOpen())
        return false;
    DWORD written = 0;
    if (!WriteFile(portHandle, bytes, count, &written, &writeRecord)) {
        if (GetLastError() != ERROR_IO_PENDING
            || !GetOverlappedResult(portHandle, &writeRecord, &written, TRUE)) {
            ClearLineErrors(portHandle);
            return false;
        }
    }
    return written == count;
}

int32_t Rs232Class::GetReceivedCount() const
{
    return receivedCount.load(std::memory_order_acquire);
}

int32_t Rs232Class::TakeReceivedData(void* destination)
{
    const int32_t count = receivedCount.load(std::memory_order_acquire);
    if (count <= 0)
        return 0;
    std::memcpy(destination, receiveBuffer, static_cast<size_t>(count));
    receivedCount.store(0, std::memory_order_release);
    bufferToken.Release();
    return count;
}

void Rs232Class::ReceivePortion(const char* bytes, int32_t count)
{
    std::memcpy(receiveBuffer, bytes, static_cast<size_t>(count));
    receivedCount.store(count, std::memory_order_release);
    DataReceived();
}

DWORD WINAPI Rs232Class::ReaderThread(void* argument)
{
    auto* context = static_cast<ReaderContext*>(argument);
    DWORD result = 0;
    if (context->WatchCharacters()) {
        for (;;) {
            const ReaderContext::PortEvent event = context->WaitForPortEvent();
            if (event == ReaderContext::PortEvent::Ended)
                break;
            if (event == ReaderContext::PortEvent::Characters) {
                while (context->HandOverPortion()) {
                }
            }
        }
        result = 1;
    }
    ReaderContext::Release(context);
    return result;
}
