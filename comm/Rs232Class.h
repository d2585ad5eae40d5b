#pragma once
// One serial communication port of the host. Open configures the line and
// starts a reader thread, which hands received bytes to the owner in portions
// of at most ReceiveBufferSize bytes: it fills the receive buffer, tells the
// notify target with a UserEvent, and reads again only after the owner has
// taken the portion (GetReceivedCount, TakeReceivedData). A slow owner thus
// throttles the reader, and the driver's input queue keeps the rest. The
// reader waits for as long as the port is open: a wait that fails (a line
// error on a driver that aborts on errors, an adapter pulled) has its error
// cleared and is armed again after a short pause. The class knows nothing of
// what the bytes mean.
//
// Threads: Open, Close, Write, GetReceivedCount and TakeReceivedData belong to
// the owner's thread; DataReceived runs on the reader thread. The receive
// buffer belongs to whoever holds bufferToken: the reader from before it reads
// until the owner has taken the portion.
//
// Each Open gives its reader a context of its own (Rs232Class.cpp) that holds
// the port, the read records and the reader's stop signal. Close and the
// destructor detach that context under its lock and never wait for the
// thread; the reader sees the detach, ends by itself and frees the context. So
// a reader that outlives its Close, or its object, never touches a closed
// handle, a deleted object, or the port of the next Open.

#include "LineSettings.h"
#include "SerialCalls.h"
#include "WSemaphore.h"

#include <atomic>

class WWindow;
struct ReaderContext;

class Rs232Class : public WObject {
    W_DECLARE_CLASS(Rs232Class, WObject)
public:
    static constexpr int32_t ReceiveBufferSize = 80;
    static constexpr DWORD QueueSize = 4096;

    // The step of Open that failed.
    enum class OpenStep : uint8_t {
        None,    // Open has not failed since the last attempt
        Device,  // opening the device, or the object is open already
        EventMask,
        Timeouts,
        ReadLineSettings,
        LineSettings,
        Reader,  // the reader's thread or events
    };
    // Why the last Open failed: the step and the host's error code, taken
    // right after the failing call.
    struct OpenFailure {
        OpenStep step = OpenStep::None;
        DWORD error = ERROR_SUCCESS;
    };

    Rs232Class();
    // Closes the port when it is open. A derived class that overrides
    // DataReceived closes it in its own destructor already, so that no
    // notification reaches a half-destroyed object.
    ~Rs232Class() override;
    Rs232Class(const Rs232Class&) = delete;
    Rs232Class& operator=(const Rs232Class&) = delete;

    // Reader thread: a portion waits in the receive buffer. Posts a UserEvent
    // with notifyCode to the notify target, if there is one.
    virtual void DataReceived();

    // Port COM(index + 1). Always true.
    bool SetPortNumber(int32_t index);
    // False for a rate that is not listed (LineSettings.h); the rate then stays.
    bool SetBaudRate(uint32_t rate);
    // 7 or 8; anything else gives 8.
    void SetByteSize(uint8_t size);
    // 2 gives two stop bits; anything else one.
    void SetStopBits(uint8_t count);
    // The window told of received data; not owned. Needed before Open, or the
    // first portion is never taken.
    void SetNotifyTarget(WWindow* target);

    // Opens and configures the port, starts the reader and raises DTR. False,
    // with the port closed again, when it cannot be opened or refuses any of
    // the settings it cannot receive without (event mask, time-outs, line
    // settings), when the reader cannot be given its thread and events (an
    // open port that could never receive would pass for a working one), and
    // when the object is open already (the open port stays as it was). The
    // queue sizes are only a recommendation, which drivers of virtual and USB
    // ports refuse for sizes they do not support: such a port still works.
    // GetOpenFailure then tells why.
    bool Open();
    const OpenFailure& GetOpenFailure() const { return openFailure; }
    // Stops the reader, drops DTR, purges and closes the port. Never waits
    // for the reader thread. Nothing happens when the port is closed.
    void Close();
    // Writes and waits until the write is over. False whenever not all bytes
    // went out: the port refused the write, it failed on the way, the write
    // time-out cut it short, or the port is closed.
    bool Write(const void* bytes, uint32_t count);

    // Bytes in the portion waiting to be taken; 0 when none waits.
    int32_t GetReceivedCount() const;
    // Copies the waiting portion (destination: ReceiveBufferSize bytes) and
    // gives the buffer back to the reader. Returns the number of bytes copied;
    // 0, and nothing handed back, when no portion was waiting.
    int32_t TakeReceivedData(void* destination);

    bool IsOpen() const { return running != 0; }
    const char* GetDeviceName() const { return deviceName; }
    const LineSettings& GetLineSettings() const { return lineSettings; }

protected:
    // The host calls on the device. A derived class may bind them to a model
    // of a driver before Open; each Open's reader keeps the table it began with.
    SerialCalls serialCalls;

    HANDLE GetPortHandle() const { return portHandle; }
    // Id of the reader thread of the open port; 0 when closed.
    DWORD GetReaderThreadId() const { return readerThreadId; }

private:
    friend struct ReaderContext;

    HANDLE portHandle = INVALID_HANDLE_VALUE;
    char deviceName[15] = "COM1";
    int32_t running = 0;
    LineSettings lineSettings;
    HANDLE readerThread = nullptr;
    DWORD readerThreadId = 0;
    OVERLAPPED writeRecord{};
    char receiveBuffer[ReceiveBufferSize] = {};
    std::atomic<int32_t> receivedCount{0};
    WCountSemaphore bufferToken;
    int32_t notifyCode = 0;
    std::atomic<WWindow*> notifyTarget{nullptr};
    ReaderContext* readerContext = nullptr;
    OpenFailure openFailure;

    static DWORD WINAPI ReaderThread(void* argument);
    // Keeps the step and the host's error code of the call that just failed; false.
    bool FailOpen(OpenStep step);
    bool ConfigurePort(HANDLE port);
    bool StartReader(HANDLE port);
    // Reader thread, under its context's lock: a new portion for the owner.
    void ReceivePortion(const char* bytes, int32_t count);
};
