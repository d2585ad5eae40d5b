#include "Screenshot.h"

#include "TestArtifacts.h"

// A window that has just appeared may not have painted yet (a message box
// found by a watcher thread the moment it is visible). Only what a person
// looks at depends on the picture, no test result does.
bool SaveWindowScreenshot(HWND window, const char* fileName)
{
    return SaveWindowPicture(window, TestArtifactPath(fileName));
}
