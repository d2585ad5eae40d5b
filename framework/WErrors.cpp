#include "WErrors.h"

namespace {

const char* const ErrorTexts[] = {
    "The window could not successfully be created.",
    "The window has already been created.",
    "The user event could not be posted.",
    "The window has not been created or has already been destroyed.",
    "The target window specified was invalid.",
    "The drag-and-drop operation could not be started.",
    "The registry query was unsuccessful.",
};

constexpr DWORD FirstError = WErrorWindowNotCreated;
constexpr DWORD ErrorCount = sizeof(ErrorTexts) / sizeof(ErrorTexts[0]);

}  // namespace

const char* WErrorText(DWORD code)
{
    if (code < FirstError || code - FirstError >= ErrorCount)
        return "";
    return ErrorTexts[code - FirstError];
}

void WSetLastError(WFrameworkError code)
{
    SetLastError(code);
}
