#include "WWindowDirectory.h"

#include <unordered_map>

namespace {

struct Directory {
    SRWLOCK lock = SRWLOCK_INIT;
    std::unordered_map<HWND, WWindow*> objects;
};

// Never destroyed: windows may be let go by objects that outlive the other
// globals of the program.
Directory& TheDirectory()
{
    static Directory* const directory = new Directory;
    return *directory;
}

}  // namespace

namespace WWindowDirectory {

WWindow* Find(HWND window)
{
    Directory& directory = TheDirectory();
    AcquireSRWLockShared(&directory.lock);
    const auto found = directory.objects.find(window);
    WWindow* object = found == directory.objects.end() ? nullptr : found->second;
    ReleaseSRWLockShared(&directory.lock);
    return object;
}

void Enter(HWND window, WWindow* object)
{
    Directory& directory = TheDirectory();
    AcquireSRWLockExclusive(&directory.lock);
    directory.objects[window] = object;
    ReleaseSRWLockExclusive(&directory.lock);
}

void Remove(HWND window)
{
    Directory& directory = TheDirectory();
    AcquireSRWLockExclusive(&directory.lock);
    directory.objects.erase(window);
    ReleaseSRWLockExclusive(&directory.lock);
}

}  // namespace WWindowDirectory
