#include "WErrors.h"

namespace {

const char* const errorTexts[] = {
    "The window could not successfully be created.",
    "The window has already been created.",
    "The user event could not be posted.",
    "The window has not been created or has already been destroyed.",
    "The target window specified was invalid.",
    "The drag-and-drop operation could not be started.",
    "The registry query was unsuccessful.",
};

constexpr DWORD firstError = WErrorWindowNotCreated;
constexpr DWORD errorCount = sizeof(errorTexts) / sizeof(errorTexts[0]);

} // namespace

const char* WErrorText(DWORD code)
{
    if (code < firstError || code - firstError >= errorCount)
        return "";
    return errorTexts[code - firstError];
}

void WSetLastError(WFrameworkError code)
{
    SetLastError(code);
}
