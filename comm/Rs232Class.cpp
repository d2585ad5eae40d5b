#include "Rs232Class.h"

#include "WWindow.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr DWORD PurgeAll = PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR;

// Reads return at once with what is queued; writes give up after a second.
constexpr COMMTIMEOUTS PortTimeouts = {MAXDWORD, 0, 1000, 0, 1000};

// How long a detached reader waits for the host to finish an operation that
// Close cancelled, before it gives its context up for lost rather than free
// memory the host might still write to.
constexpr DWORD CancelledOperationWait = 5000;

// How long the reader lets a port rest whose wait failed before it waits
// again: long enough not to spin on a port that is gone, short against the
// second a command may take.
constexpr DWORD FailedWaitPause = 20;

HANDLE CreateManualResetEvent()
{
    return CreateEventA(nullptr, TRUE, FALSE, nullptr);
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
    const SerialCalls calls;
    HANDLE port;
    HANDLE token = nullptr;  // the owner's bufferToken, duplicated
    HANDLE stopEvent;        // set when the context is detached
    OVERLAPPED waitRecord{};
    DWORD waitEvents = 0;
    OVERLAPPED readRecord{};
    char readBuffer[Rs232Class::ReceiveBufferSize] = {};
    bool operationLost = false;  // the host may still write into this context

    enum class PortEvent { Characters, Other, Failed, Ended };

    ReaderContext(Rs232Class* owner, HANDLE port)
        : owner(owner), calls(owner->serialCalls), port(port), stopEvent(CreateManualResetEvent())
    {
        readRecord.hEvent = CreateManualResetEvent();
        waitRecord.hEvent = CreateManualResetEvent();
        DuplicateHandle(GetCurrentProcess(), owner->bufferToken.GetHandle(), GetCurrentProcess(), &token, 0,
                        FALSE, DUPLICATE_SAME_ACCESS);
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

    void WatchCharacters()
    {
        WSemaphoreLock lock(&guard);
        if (IsAttached())
            calls.setEventMask(port, EV_RXCHAR);
    }

    // Under guard, attached: clears the port's error state, which a driver
    // that aborts on line errors needs before it works again, and tells how
    // many bytes wait in its input queue.
    DWORD ClearErrorsAndCountQueued()
    {
        DWORD errors = 0;
        COMSTAT status{};
        if (!calls.clearErrors(port, &errors, &status))
            return 0;
        return status.cbInQue;
    }

    // Waits until the port reports an event.
    PortEvent WaitForPortEvent()
    {
        bool bytesWaiting = false;
        {
            WSemaphoreLock lock(&guard);
            if (!IsAttached())
                return PortEvent::Ended;
            waitEvents = 0;
            if (calls.waitForEvent(port, &waitEvents, &waitRecord))
                return EventOf(waitEvents);
            if (GetLastError() != ERROR_IO_PENDING)
                return PortEvent::Failed;
            // A driver that does not remember events while no wait is pending
            // wakes nobody for bytes that landed after the last look at the
            // queue and before the wait was armed: look once more. If bytes
            // wait, the wait is ended, so that the next round arms a fresh
            // one; a wait kept across rounds could miss the bytes that come
            // once the queue has been read. An empty mask ends it on every
            // driver, as Close relies on; what comes before the mask is set
            // again is read with the bytes that wait.
            bytesWaiting = ClearErrorsAndCountQueued() > 0;
            if (bytesWaiting) {
                calls.setEventMask(port, 0);
                calls.setEventMask(port, EV_RXCHAR);
            }
        }
        const PortEvent event = FinishWait();
        return bytesWaiting && event != PortEvent::Ended ? PortEvent::Characters : event;
    }

    static PortEvent EventOf(DWORD events)
    {
        return (events & EV_RXCHAR) ? PortEvent::Characters : PortEvent::Other;
    }

    PortEvent FinishWait()
    {
        if (!FinishPending(waitRecord))
            return PortEvent::Ended;
        WSemaphoreLock lock(&guard);
        if (!IsAttached())
            return PortEvent::Ended;
        DWORD unused = 0;
        // A wait that a change of the mask ended reports no events; one that
        // ended in an error (a line error with abort-on-error, the host's
        // emulation giving up a wait) has the error cleared and is armed
        // again at once.
        if (!calls.getResult(port, &waitRecord, &unused, FALSE)) {
            ClearErrorsAndCountQueued();
            return PortEvent::Other;
        }
        return EventOf(waitEvents);
    }

    // After a wait that could not be armed: a line error with
    // abort-on-error, a driver still finishing the wait before, a device that
    // is gone. Clears the error, and when the wait before failed as well,
    // rests briefly, so that the reader keeps waiting for as long as the port
    // is open without spinning on a port that is gone. False when the context
    // was detached meanwhile.
    bool RecoverFromFailedWait(bool rest)
    {
        {
            WSemaphoreLock lock(&guard);
            if (!IsAttached())
                return false;
            ClearErrorsAndCountQueued();
        }
        return !rest || WaitForSingleObject(stopEvent, FailedWaitPause) == WAIT_TIMEOUT;
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
            const DWORD queued = ClearErrorsAndCountQueued();
            count = queued < sizeof readBuffer ? queued : sizeof readBuffer;
            if (count == 0)
                return 0;
            if (calls.read(port, readBuffer, count, &count, &readRecord))
                return static_cast<int32_t>(count);
            if (GetLastError() != ERROR_IO_PENDING) {
                ClearErrorsAndCountQueued();
                return 0;
            }
        }
        if (!FinishPending(readRecord))
            return 0;
        WSemaphoreLock lock(&guard);
        if (!IsAttached())
            return 0;
        count = 0;
        if (!calls.getResult(port, &readRecord, &count, FALSE))
            ClearErrorsAndCountQueued();
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
        if (WaitForSingleObject(record.hEvent, CancelledOperationWait) != WAIT_OBJECT_0)
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
    openFailure = {};
    if (IsOpen()) {
        SetLastError(ERROR_BUSY);
        return FailOpen(OpenStep::Device);
    }
    if (!writeRecord.hEvent || !bufferToken.GetHandle()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FailOpen(OpenStep::Reader);
    }
    // The "\\.\" form is the only one that reaches COM10 and above.
    char path[sizeof deviceName + 4];
    std::snprintf(path, sizeof path, "\\\\.\\%s", deviceName);
    HANDLE port = serialCalls.openDevice(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                         FILE_FLAG_OVERLAPPED | FILE_ATTRIBUTE_NORMAL, nullptr);
    if (port == INVALID_HANDLE_VALUE)
        return FailOpen(OpenStep::Device);
    if (!ConfigurePort(port) || !StartReader(port)) {
        serialCalls.closeDevice(port);
        return false;
    }
    portHandle = port;
    serialCalls.escape(port, SETDTR);
    return true;
}

bool Rs232Class::FailOpen(OpenStep step)
{
    openFailure = {step, GetLastError()};
    return false;
}

// The queue sizes are advisory: a refusal leaves the driver's own.
bool Rs232Class::ConfigurePort(HANDLE port)
{
    COMMTIMEOUTS timeouts = PortTimeouts;
    if (!serialCalls.setEventMask(port, EV_RXCHAR))
        return FailOpen(OpenStep::EventMask);
    serialCalls.setQueueSizes(port, QueueSize, QueueSize);
    serialCalls.purge(port, PurgeAll);
    if (!serialCalls.setTimeouts(port, &timeouts))
        return FailOpen(OpenStep::Timeouts);
    DCB current{};
    current.DCBlength = sizeof current;
    if (!serialCalls.getLineSettings(port, &current))
        return FailOpen(OpenStep::ReadLineSettings);
    DCB wanted = ApplyLineSettings(current, lineSettings);
    if (!serialCalls.setLineSettings(port, &wanted))
        return FailOpen(OpenStep::LineSettings);
    return true;
}

bool Rs232Class::StartReader(HANDLE port)
{
    auto* context = new ReaderContext(this, port);
    if (!context->IsComplete()) {
        FailOpen(OpenStep::Reader);
        ReaderContext::Release(context);
        return false;
    }
    running = 1;
    context->AddReference();
    readerThread = CreateThread(nullptr, 0, ReaderThread, context, 0, &readerThreadId);
    if (!readerThread) {
        FailOpen(OpenStep::Reader);
        running = 0;
        readerThreadId = 0;
        ReaderContext::Release(context);  // the reference meant for the thread
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
        serialCalls.setEventMask(portHandle, 0);
        serialCalls.escape(portHandle, CLRDTR);
        serialCalls.purge(portHandle, PurgeAll);
        serialCalls.closeDevice(portHandle);
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
    if (!serialCalls.write(portHandle, bytes, count, &written, &writeRecord)) {
        if (GetLastError() != ERROR_IO_PENDING
            || !serialCalls.getResult(portHandle, &writeRecord, &written, TRUE)) {
            DWORD errors = 0;
            serialCalls.clearErrors(portHandle, &errors, nullptr);
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
    using PortEvent = ReaderContext::PortEvent;
    auto* context = static_cast<ReaderContext*>(argument);
    context->WatchCharacters();
    int32_t failedWaits = 0;
    for (;;) {
        const PortEvent event = context->WaitForPortEvent();
        if (event == PortEvent::Ended)
            break;
        if (event == PortEvent::Failed) {
            if (!context->RecoverFromFailedWait(++failedWaits > 1))
                break;
            continue;
        }
        failedWaits = 0;
        if (event == PortEvent::Characters) {
            while (context->HandOverPortion()) {
            }
        }
    }
    ReaderContext::Release(context);
    return 1;
}
