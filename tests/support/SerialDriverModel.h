#pragma once
// A model of a serial port driver as the host's serial API documents it, for
// what the host's emulation on pseudo-terminals never does: drivers of USB
// adapters and built-in ports that do not remember events, abort on line
// errors, refuse a call, hand bytes over in bursts, or vanish with the
// adapter. Nothing in it runs by itself: bytes arrive, errors happen and the
// device goes away when the test says so, from its own thread or from a hook
// at the moment a call is made. A port is bound to it through Calls().
//
// What it keeps of the contract:
// - One handle at a time (exclusive open); a removed device fails every call
//   on its handle with ERROR_BAD_COMMAND, only closing it works, and an open
//   of its name fails with ERROR_FILE_NOT_FOUND until it is back.
// - Overlapped operations reset their event when they start and set it when
//   they end; the result lies in the record until GetOverlappedResult.
// - A wait ends with the events that came and are in the mask. With events
//   latched, events that came while no wait was pending are kept (for the
//   mask then set) and end the next wait at once; unlatched, they are lost.
//   Setting the mask ends a pending wait with no events.
// - With abort-on-error in the line settings, a line error ends every pending
//   wait and write, and every read, write and wait fails with
//   ERROR_OPERATION_ABORTED until ClearCommError.
// - DSR stays low (a three-wire cable): with DSR sensitivity every byte is
//   dropped; with NUL stripping, NUL bytes are.
// - Purging aborts pending writes; closing and removal end everything
//   pending with ERROR_OPERATION_ABORTED.
// - Reads take what is queued at once, as the port's time-outs let a read
//   that finds bytes return with them.
//
// The host calls are plain functions, so one model is reachable at a time:
// the latest one made, until it goes.

#include "SerialCalls.h"

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

class SerialDriverModel {
public:
    enum class Call {
        OpenDevice,
        SetEventMask,
        SetQueueSizes,
        SetTimeouts,
        GetLineSettings,
        SetLineSettings,
        WaitForEvent,
        ClearErrors,
        Read,
        Write,
        GetResult,
        Purge,
        Escape,
        CloseDevice,
    };

    // The device COMn, as a port names it.
    explicit SerialDriverModel(const char* deviceName);
    ~SerialDriverModel();
    SerialDriverModel(const SerialDriverModel&) = delete;
    SerialDriverModel& operator=(const SerialDriverModel&) = delete;

    // The host calls, played by this model.
    static SerialCalls Calls();

    // Switches.
    void LatchEvents(bool latch);  // true at first, as the host's own driver does
    // The next `times` calls of the kind fail with the error; -1: every one from now on.
    void Refuse(Call call, DWORD error, int times = -1);
    void DeliverInBursts(size_t size);            // 0 (at first): bytes land as they come
    void HoldWrites(bool hold);                   // writes pend until the device is gone or purged
    void LeaveLineSettings(const DCB& settings);  // what the driver holds before anyone sets it

    // Runs once, on the calling thread, when the call is next made, before
    // it takes effect.
    void BeforeNextCall(Call call, std::function<void()> hook);
    // Told of every write the port takes, on the writer's thread.
    void OnWrite(std::function<void(const std::string& bytes)> device);

    // The device's side.
    void Receive(const std::string& bytes);
    void InjectLineError(DWORD error = CE_FRAME);
    void Remove();
    void PlugIn();

    // What a test looks at.
    size_t HandlesOpen();
    DCB LineSettingsInUse();

private:
    struct Refusal {
        DWORD error;
        int times;
    };
    struct PendingWrite {
        OVERLAPPED* record;
        DWORD count;
    };

    std::mutex mutex;
    const std::string path;  // "\\.\COMn"
    DCB settings{};
    DCB leftSettings{};
    COMMTIMEOUTS timeouts{};
    bool latchEvents = true;
    bool holdWrites = false;
    size_t burstSize = 0;
    bool present = true;
    HANDLE live = INVALID_HANDLE_VALUE;  // the handle of the present device, while open
    std::set<HANDLE> handles;            // not closed yet, live or stale
    uintptr_t nextHandle = 0x5E0000;
    DWORD eventMask = 0;
    DWORD latchedEvents = 0;
    DWORD lineErrors = 0;
    std::string inputQueue;
    std::string inFlight;  // arrived at the adapter, not yet handed to the driver
    OVERLAPPED* pendingWait = nullptr;
    DWORD* waitEvents = nullptr;
    std::vector<PendingWrite> pendingWrites;
    std::map<Call, Refusal> refusals;
    std::map<Call, std::function<void()>> hooks;
    std::function<void(const std::string&)> device;

    static SerialDriverModel* installed;

    // One host call on a handle: runs the call's hook, then holds the lock
    // while the call takes effect; false, with the last error set, when the
    // call must fail.
    class CallOnHandle {
    public:
        CallOnHandle(Call call, HANDLE handle);
        explicit operator bool() const { return admitted; }
        // Lets go of the lock before the call's end runs outside it.
        void Leave() { lock.unlock(); }

        SerialDriverModel& model;

    private:
        std::unique_lock<std::mutex> lock;
        bool admitted;
    };

    // The checks every call on a handle makes, under the lock: false with the
    // last error set when the call must fail.
    bool Admit(Call call, HANDLE handle);
    // The error of a refused call, ERROR_SUCCESS when it is not refused.
    DWORD Refused(Call call);
    void RunHook(Call call);
    bool Aborting() const { return settings.fAbortOnError && lineErrors != 0; }
    void Raise(DWORD events);
    void LandBurst();
    void EndPendingWait(DWORD error, DWORD events);
    void EndPendingWrites(DWORD error);
    void EndEverythingPending();
    void ResetDriver();

    static void Begin(OVERLAPPED* record);
    static void End(OVERLAPPED* record, DWORD error, DWORD count);

    // The host calls.
    static HANDLE WINAPI OpenDevice(LPCSTR name, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);
    static BOOL WINAPI SetEventMask(HANDLE handle, DWORD mask);
    static BOOL WINAPI SetQueueSizes(HANDLE handle, DWORD, DWORD);
    static BOOL WINAPI SetTimeouts(HANDLE handle, LPCOMMTIMEOUTS given);
    static BOOL WINAPI GetLineSettings(HANDLE handle, LPDCB record);
    static BOOL WINAPI SetLineSettings(HANDLE handle, LPDCB record);
    static BOOL WINAPI WaitForEvent(HANDLE handle, LPDWORD events, LPOVERLAPPED record);
    static BOOL WINAPI ClearErrors(HANDLE handle, LPDWORD errors, LPCOMSTAT status);
    static BOOL WINAPI Read(HANDLE handle, LPVOID bytes, DWORD count, LPDWORD read, LPOVERLAPPED record);
    static BOOL WINAPI Write(HANDLE handle, LPCVOID bytes, DWORD count, LPDWORD written, LPOVERLAPPED record);
    static BOOL WINAPI GetResult(HANDLE handle, LPOVERLAPPED record, LPDWORD count, BOOL wait);
    static BOOL WINAPI Purge(HANDLE handle, DWORD flags);
    static BOOL WINAPI Escape(HANDLE handle, DWORD function);
    static BOOL WINAPI CloseDevice(HANDLE handle);
};
