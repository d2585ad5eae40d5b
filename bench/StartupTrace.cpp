// The start-up trace: linked only into the trace builds of the program and of
// the floor program (bench-trace-program, bench-trace-floor), never into
// Tarvek.exe. Before the program's own globals are made it points the
// program's imports of the calls that build windows, load pictures, fonts and
// libraries, read the registry and place windows at wrappers that stamp each
// call's begin and end with the performance counter; it stamps the process's
// entry point and the start of its global objects too. When the process ends
// the stamps go, one call a line, to the file the environment variable
// TARVEK_STARTUP_TRACE names; tarvek-bench sets them against its own clock (the
// counter is the same in every process). Only the first thread is traced, and
// only until its message loop first finds nothing to do: the start-up and
// nothing after it.

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>

namespace {

// Every traced call; their imports are rerouted when the program takes them
// from a system library.
#define TRACED_CALLS(X)           \
    X(LoadLibraryA)               \
    X(InitCommonControlsEx)       \
    X(CreateDialogIndirectParamA) \
    X(CreateDialogParamA)         \
    X(CreateWindowExA)            \
    X(RegisterClassExA)           \
    X(LoadImageA)                 \
    X(GetIconInfo)                \
    X(LoadMenuA)                  \
    X(SetMenu)                    \
    X(DrawMenuBar)                \
    X(CreateFontIndirectA)        \
    X(GetDC)                      \
    X(SendMessageA)               \
    X(SendDlgItemMessageA)        \
    X(SetWindowPos)               \
    X(EndDeferWindowPos)          \
    X(ShowWindow)                 \
    X(UpdateWindow)               \
    X(InvalidateRect)             \
    X(SetWindowLongPtrA)          \
    X(SetClassLongPtrA)           \
    X(SetPropA)                   \
    X(GetPropA)                   \
    X(RemovePropA)                \
    X(CallWindowProcA)            \
    X(DefWindowProcA)             \
    X(GetDlgItem)                 \
    X(SetWindowsHookExA)          \
    X(SetWindowTextA)             \
    X(SystemParametersInfoA)      \
    X(GetWindowPlacement)         \
    X(RegCreateKeyExA)            \
    X(RegQueryValueExA)           \
    X(RegSetValueExA)             \
    X(RegCloseKey)                \
    X(FindResourceA)              \
    X(PeekMessageA)               \
    X(GetMessageA)

enum CallId {
#define TRACE_ID(name) Id_##name,
    TRACED_CALLS(TRACE_ID)
#undef TRACE_ID
        CallCount
};

struct Stamp {
    int call;
    int depth;
    LONGLONG begin;
    LONGLONG end;
    ULONG_PTR detail;
};

constexpr int StampCapacity = 100000;
Stamp stamps[StampCapacity];
int stampCount = 0;
int depth = 0;
bool tracing = false;
bool stopAfterNextStamp = false;
DWORD tracedThread = 0;
LONGLONG processEntry = 0;
LONGLONG runtimeStarted = 0;
void* originals[CallCount];

LONGLONG Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

// What tells one call of the same kind from another: the message sent or
// handled, the picture loaded.
template <int Call, typename... Arguments>
ULONG_PTR DetailOf(Arguments... arguments)
{
    const ULONG_PTR values[] = {(ULONG_PTR)(arguments)..., 0};
    if constexpr (Call == Id_SendMessageA || Call == Id_LoadImageA)
        return values[1];
    else if constexpr (Call == Id_SendDlgItemMessageA || Call == Id_CallWindowProcA
                       || Call == Id_DefWindowProcA)
        return values[2];
    else
        return 0;
}

class Scope {
public:
    Scope(int call, ULONG_PTR detail)
    {
        if (!tracing || GetCurrentThreadId() != tracedThread || stampCount >= StampCapacity)
            return;
        index = stampCount++;
        stamps[index] = Stamp{call, depth++, Now(), 0, detail};
        if (stopAfterNextStamp)
            tracing = false;
    }
    ~Scope()
    {
        if (index < 0)
            return;
        stamps[index].end = Now();
        --depth;
    }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

private:
    int index = -1;
};

// The call that found the queue empty is still stamped: its begin is the
// end of the start-up.
void StopWhenIdle()
{
    if (tracing && GetCurrentThreadId() == tracedThread && HIWORD(GetQueueStatus(QS_ALLINPUT)) == 0)
        stopAfterNextStamp = true;
}

template <typename Function>
struct Wrapper;

template <typename Result, typename... Arguments>
struct Wrapper<Result(WINAPI*)(Arguments...)> {
    template <int Call>
    static Result WINAPI Traced(Arguments... arguments)
    {
        // Start-up ends where the message loop first finds nothing to do: the
        // window is drawn then.
        if constexpr (Call == Id_GetMessageA)
            StopWhenIdle();
        const Scope scope(Call, DetailOf<Call>(arguments...));
        return reinterpret_cast<Result(WINAPI*)(Arguments...)>(originals[Call])(arguments...);
    }
};

struct TracedCall {
    const char* name;
    void* wrapper;
};

const TracedCall TracedCalls[CallCount] = {
#define TRACE_ENTRY(name) {#name, reinterpret_cast<void*>(&Wrapper<decltype(&::name)>::Traced<Id_##name>)},
    TRACED_CALLS(TRACE_ENTRY)
#undef TRACE_ENTRY
};

int CallByName(const char* name)
{
    for (int call = 0; call < CallCount; ++call) {
        if (std::strcmp(TracedCalls[call].name, name) == 0)
            return call;
    }
    return -1;
}

void Reroute(void** slot, int call)
{
    DWORD protection = 0;
    if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection))
        return;
    originals[call] = *slot;
    *slot = TracedCalls[call].wrapper;
    VirtualProtect(slot, sizeof *slot, protection, &protection);
}

// Walks the program's import table and reroutes every traced call it names.
void RerouteImports()
{
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    const auto* headers = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* library = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         library->Name; ++library) {
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            const int call = CallByName(reinterpret_cast<const char*>(byName->Name));
            if (call >= 0)
                Reroute(reinterpret_cast<void**>(&slots->u1.Function), call);
        }
    }
}

void WriteStamps()
{
    char path[MAX_PATH];
    if (!GetEnvironmentVariableA("TARVEK_STARTUP_TRACE", path, sizeof path))
        return;
    FILE* file = std::fopen(path, "w");
    if (!file)
        return;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::fprintf(file, "frequency %lld\nentry %lld\nconstructors %lld\n", frequency.QuadPart, processEntry,
                 runtimeStarted);
    for (int index = 0; index < stampCount; ++index) {
        const Stamp& stamp = stamps[index];
        std::fprintf(file, "call %s %d %lld %lld %llu\n", TracedCalls[stamp.call].name, stamp.depth,
                     stamp.begin, stamp.end, static_cast<unsigned long long>(stamp.detail));
    }
    std::fclose(file);
}

class StartupTrace {
public:
    StartupTrace()
    {
        runtimeStarted = Now();
        tracedThread = GetCurrentThreadId();
        RerouteImports();
        tracing = true;
    }
    ~StartupTrace() { WriteStamps(); }
};

// Made before every other global of the program, gone after all of them.
__attribute__((init_priority(101))) StartupTrace startupTrace;

}  // namespace

extern "C" int WinMainCRTStartup();

// The trace builds enter here (the linker's --entry), so that the C runtime's
// own start is told from the host's part of the process start.
extern "C" int TracedProcessEntry()
{
    processEntry = Now();
    return WinMainCRTStartup();
}
