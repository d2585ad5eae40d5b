#include "SerialDriverModel.h"

#include <algorithm>

namespace {

// The record's status while the operation runs, as the host marks it.
constexpr ULONG_PTR OperationPending = 0x103;

DCB DriverDefaults()
{
    DCB record{};
    record.DCBlength = sizeof record;
    record.BaudRate = 9600;
    record.ByteSize = 8;
    record.fBinary = TRUE;
    return record;
}

}  // namespace

SerialDriverModel* SerialDriverModel::installed = nullptr;

SerialDriverModel::SerialDriverModel(const char* deviceName)
    : path(std::string("\\\\.\\") + deviceName), settings(DriverDefaults()), leftSettings(DriverDefaults())
{
    installed = this;
}

SerialDriverModel::~SerialDriverModel()
{
    if (installed == this)
        installed = nullptr;
}

SerialCalls SerialDriverModel::Calls()
{
    SerialCalls calls;
    calls.openDevice = OpenDevice;
    calls.setEventMask = SetEventMask;
    calls.setQueueSizes = SetQueueSizes;
    calls.setTimeouts = SetTimeouts;
    calls.getLineSettings = GetLineSettings;
    calls.setLineSettings = SetLineSettings;
    calls.waitForEvent = WaitForEvent;
    calls.clearErrors = ClearErrors;
    calls.read = Read;
    calls.write = Write;
    calls.getResult = GetResult;
    calls.purge = Purge;
    calls.escape = Escape;
    calls.closeDevice = CloseDevice;
    return calls;
}

void SerialDriverModel::LatchEvents(bool latch)
{
    std::lock_guard<std::mutex> lock(mutex);
    latchEvents = latch;
}

void SerialDriverModel::Refuse(Call call, DWORD error, int times)
{
    std::lock_guard<std::mutex> lock(mutex);
    refusals[call] = {error, times};
}

void SerialDriverModel::DeliverInBursts(size_t size)
{
    std::lock_guard<std::mutex> lock(mutex);
    burstSize = size;
}

void SerialDriverModel::HoldWrites(bool hold)
{
    std::lock_guard<std::mutex> lock(mutex);
    holdWrites = hold;
}

void SerialDriverModel::LeaveLineSettings(const DCB& record)
{
    std::lock_guard<std::mutex> lock(mutex);
    leftSettings = record;
    settings = record;
}

void SerialDriverModel::BeforeNextCall(Call call, std::function<void()> hook)
{
    std::lock_guard<std::mutex> lock(mutex);
    hooks[call] = std::move(hook);
}

void SerialDriverModel::OnWrite(std::function<void(const std::string&)> newDevice)
{
    std::lock_guard<std::mutex> lock(mutex);
    device = std::move(newDevice);
}

// Bytes go through the adapter's bursts, when there are any, into the input
// queue, minus what the line settings make the driver drop.
void SerialDriverModel::Receive(const std::string& bytes)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (!present || live == INVALID_HANDLE_VALUE)
        return;
    for (char byte : bytes) {
        if (settings.fDsrSensitivity || (settings.fNull && byte == '\0'))
            continue;
        inFlight.push_back(byte);
    }
    if (burstSize == 0 || pendingWait)
        LandBurst();
}

void SerialDriverModel::LandBurst()
{
    if (inFlight.empty())
        return;
    const size_t count = burstSize == 0 ? inFlight.size() : std::min(burstSize, inFlight.size());
    inputQueue += inFlight.substr(0, count);
    inFlight.erase(0, count);
    Raise(EV_RXCHAR);
}

void SerialDriverModel::InjectLineError(DWORD error)
{
    std::lock_guard<std::mutex> lock(mutex);
    lineErrors |= error;
    if (Aborting()) {
        EndPendingWait(ERROR_OPERATION_ABORTED, 0);
        EndPendingWrites(ERROR_OPERATION_ABORTED);
    } else {
        Raise(EV_ERR);
    }
}

void SerialDriverModel::Remove()
{
    std::lock_guard<std::mutex> lock(mutex);
    present = false;
    EndEverythingPending();
    live = INVALID_HANDLE_VALUE;
}

void SerialDriverModel::PlugIn()
{
    std::lock_guard<std::mutex> lock(mutex);
    present = true;
}

size_t SerialDriverModel::HandlesOpen()
{
    std::lock_guard<std::mutex> lock(mutex);
    return handles.size();
}

DCB SerialDriverModel::LineSettingsInUse()
{
    std::lock_guard<std::mutex> lock(mutex);
    return settings;
}

bool SerialDriverModel::Admit(Call call, HANDLE handle)
{
    DWORD error = ERROR_SUCCESS;
    if (!handles.count(handle))
        error = ERROR_INVALID_HANDLE;
    else if (handle != live)
        error = ERROR_BAD_COMMAND;
    else
        error = Refused(call);
    const bool transfers = call == Call::WaitForEvent || call == Call::Read || call == Call::Write;
    if (error == ERROR_SUCCESS && transfers && Aborting())
        error = ERROR_OPERATION_ABORTED;
    if (error == ERROR_SUCCESS)
        return true;
    SetLastError(error);
    return false;
}

DWORD SerialDriverModel::Refused(Call call)
{
    auto found = refusals.find(call);
    if (found == refusals.end())
        return ERROR_SUCCESS;
    const DWORD error = found->second.error;
    if (found->second.times > 0 && --found->second.times == 0)
        refusals.erase(found);
    return error;
}

SerialDriverModel::CallOnHandle::CallOnHandle(Call call, HANDLE handle) : model(*installed)
{
    model.RunHook(call);
    lock = std::unique_lock<std::mutex>(model.mutex);
    admitted = model.Admit(call, handle);
}

void SerialDriverModel::RunHook(Call call)
{
    std::function<void()> hook;
    {
        std::lock_guard<std::mutex> lock(mutex);
        auto found = hooks.find(call);
        if (found == hooks.end())
            return;
        hook = std::move(found->second);
        hooks.erase(found);
    }
    hook();
}

void SerialDriverModel::Raise(DWORD events)
{
    const DWORD wanted = events & eventMask;
    if (wanted == 0)
        return;
    if (pendingWait)
        EndPendingWait(ERROR_SUCCESS, wanted);
    else if (latchEvents)
        latchedEvents |= wanted;
}

void SerialDriverModel::EndPendingWait(DWORD error, DWORD events)
{
    if (!pendingWait)
        return;
    *waitEvents = events;
    End(pendingWait, error, 0);
    pendingWait = nullptr;
    waitEvents = nullptr;
}

void SerialDriverModel::EndPendingWrites(DWORD error)
{
    for (const PendingWrite& write : pendingWrites)
        End(write.record, error, 0);
    pendingWrites.clear();
}

void SerialDriverModel::EndEverythingPending()
{
    EndPendingWait(ERROR_OPERATION_ABORTED, 0);
    EndPendingWrites(ERROR_OPERATION_ABORTED);
}

// A fresh open finds the driver as the last program left its settings, with
// nothing queued and nothing pending.
void SerialDriverModel::ResetDriver()
{
    settings = leftSettings;
    eventMask = 0;
    latchedEvents = 0;
    lineErrors = 0;
    inputQueue.clear();
    inFlight.clear();
}

void SerialDriverModel::Begin(OVERLAPPED* record)
{
    record->Internal = OperationPending;
    record->InternalHigh = 0;
    ResetEvent(record->hEvent);
}

void SerialDriverModel::End(OVERLAPPED* record, DWORD error, DWORD count)
{
    record->Internal = error;
    record->InternalHigh = count;
    SetEvent(record->hEvent);
}

HANDLE WINAPI SerialDriverModel::OpenDevice(LPCSTR name, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD,
                                            HANDLE)
{
    SerialDriverModel& model = *installed;
    model.RunHook(Call::OpenDevice);
    std::lock_guard<std::mutex> lock(model.mutex);
    DWORD error = ERROR_SUCCESS;
    if (model.path != name || !model.present)
        error = ERROR_FILE_NOT_FOUND;
    else if (model.live != INVALID_HANDLE_VALUE)
        error = ERROR_ACCESS_DENIED;
    else
        error = model.Refused(Call::OpenDevice);
    if (error != ERROR_SUCCESS) {
        SetLastError(error);
        return INVALID_HANDLE_VALUE;
    }
    model.live = reinterpret_cast<HANDLE>(model.nextHandle += 4);
    model.handles.insert(model.live);
    model.ResetDriver();
    return model.live;
}

BOOL WINAPI SerialDriverModel::SetEventMask(HANDLE handle, DWORD mask)
{
    CallOnHandle call(Call::SetEventMask, handle);
    if (!call)
        return FALSE;
    SerialDriverModel& model = call.model;
    model.eventMask = mask;
    model.latchedEvents &= mask;
    model.EndPendingWait(ERROR_SUCCESS, 0);
    return TRUE;
}

BOOL WINAPI SerialDriverModel::SetQueueSizes(HANDLE handle, DWORD, DWORD)
{
    return CallOnHandle(Call::SetQueueSizes, handle) ? TRUE : FALSE;
}

BOOL WINAPI SerialDriverModel::SetTimeouts(HANDLE handle, LPCOMMTIMEOUTS given)
{
    CallOnHandle call(Call::SetTimeouts, handle);
    if (!call)
        return FALSE;
    SerialDriverModel& model = call.model;
    model.timeouts = *given;
    return TRUE;
}

BOOL WINAPI SerialDriverModel::GetLineSettings(HANDLE handle, LPDCB record)
{
    CallOnHandle call(Call::GetLineSettings, handle);
    if (!call)
        return FALSE;
    SerialDriverModel& model = call.model;
    *record = model.settings;
    return TRUE;
}

BOOL WINAPI SerialDriverModel::SetLineSettings(HANDLE handle, LPDCB record)
{
    CallOnHandle call(Call::SetLineSettings, handle);
    if (!call)
        return FALSE;
    SerialDriverModel& model = call.model;
    model.settings = *record;
    return TRUE;
}

BOOL WINAPI SerialDriverModel::WaitForEvent(HANDLE handle, LPDWORD events, LPOVERLAPPED record)
{
    CallOnHandle call(Call::WaitForEvent, handle);
    if (!call)
        return FALSE;
    SerialDriverModel& model = call.model;
    if (model.pendingWait || model.eventMask == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    Begin(record);
    if (model.latchedEvents != 0) {
        *events = model.latchedEvents;
        model.latchedEvents = 0;
        End(record, ERROR_SUCCESS, 0);
        return TRUE;
    }
    model.pendingWait = record;
    model.waitEvents = events;
    // The port is quiet: the adapter's next burst comes now.
    model.LandBurst();
    if (!model.pendingWait && record->Internal == ERROR_SUCCESS)
        return TRUE;
    SetLastError(ERROR_IO_PENDING);
    return FALSE;
}

BOOL WINAPI SerialDriverModel::ClearErrors(HANDLE handle, LPDWORD errors, LPCOMSTAT status)
{
    CallOnHandle call(Call::ClearErrors, handle);
    if (!call)
        return FALSE;
    SerialDriverModel& model = call.model;
    if (errors)
        *errors = model.lineErrors;
    model.lineErrors = 0;
    if (status) {
        *status = COMSTAT{};
        status->cbInQue = static_cast<DWORD>(model.inputQueue.size());
        for (const PendingWrite& write : model.pendingWrites)
            status->cbOutQue += write.count;
    }
    // The reader found the queue empty: the adapter's next burst lands right
    // behind its look, before it can arm a wait.
    if (model.inputQueue.empty())
        model.LandBurst();
    return TRUE;
}

BOOL WINAPI SerialDriverModel::Read(HANDLE handle, LPVOID bytes, DWORD count, LPDWORD read, LPOVERLAPPED record)
{
    CallOnHandle call(Call::Read, handle);
    if (!call)
        return FALSE;
    SerialDriverModel& model = call.model;
    Begin(record);
    const DWORD taken = std::min<DWORD>(count, static_cast<DWORD>(model.inputQueue.size()));
    model.inputQueue.copy(static_cast<char*>(bytes), taken);
    model.inputQueue.erase(0, taken);
    *read = taken;
    End(record, ERROR_SUCCESS, taken);
    return TRUE;
}

BOOL WINAPI SerialDriverModel::Write(HANDLE handle, LPCVOID bytes, DWORD count, LPDWORD written,
                                     LPOVERLAPPED record)
{
    CallOnHandle call(Call::Write, handle);
    if (!call)
        return FALSE;
    SerialDriverModel& model = call.model;
    Begin(record);
    const bool pending = model.holdWrites;
    if (pending) {
        model.pendingWrites.push_back({record, count});
    } else {
        *written = count;
        End(record, ERROR_SUCCESS, count);
    }
    const std::function<void(const std::string&)> device = model.device;
    call.Leave();
    if (device)
        device(std::string(static_cast<const char*>(bytes), count));
    if (!pending)
        return TRUE;
    SetLastError(ERROR_IO_PENDING);
    return FALSE;
}

// Reads only the record, as the host does: it works on a handle whose device is gone.
BOOL WINAPI SerialDriverModel::GetResult(HANDLE, LPOVERLAPPED record, LPDWORD count, BOOL wait)
{
    installed->RunHook(Call::GetResult);
    if (record->Internal == OperationPending) {
        if (!wait) {
            SetLastError(ERROR_IO_INCOMPLETE);
            return FALSE;
        }
        WaitForSingleObject(record->hEvent, INFINITE);
    }
    *count = static_cast<DWORD>(record->InternalHigh);
    if (record->Internal != ERROR_SUCCESS) {
        SetLastError(static_cast<DWORD>(record->Internal));
        return FALSE;
    }
    return TRUE;
}

BOOL WINAPI SerialDriverModel::Purge(HANDLE handle, DWORD flags)
{
    CallOnHandle call(Call::Purge, handle);
    if (!call)
        return FALSE;
    SerialDriverModel& model = call.model;
    if (flags & PURGE_TXABORT)
        model.EndPendingWrites(ERROR_OPERATION_ABORTED);
    if (flags & PURGE_RXCLEAR)
        model.inputQueue.clear();
    return TRUE;
}

BOOL WINAPI SerialDriverModel::Escape(HANDLE handle, DWORD)
{
    return CallOnHandle(Call::Escape, handle) ? TRUE : FALSE;
}

BOOL WINAPI SerialDriverModel::CloseDevice(HANDLE handle)
{
    SerialDriverModel& model = *installed;
    model.RunHook(Call::CloseDevice);
    std::lock_guard<std::mutex> lock(model.mutex);
    if (!model.handles.erase(handle)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (handle == model.live) {
        model.EndEverythingPending();
        model.live = INVALID_HANDLE_VALUE;
    }
    return TRUE;
}
