#include "WRichTextBox.h"

WRichTextBox::WRichTextBox()
{
    EnsureLibraryLoaded();
}

bool WRichTextBox::EnsureLibraryLoaded()
{
    // Kept for the life of the process: windows of its class may exist until the end.
    static const HMODULE library = LoadLibraryA("RICHED32.DLL");
    return library != nullptr;
}
