#pragma once
// A rich edit field. Its window class comes from a host library that is loaded
// once per process, before the first form is made from a template (a template
// may hold rich edit items) or the first rich edit field is created.

#include "WTextBox.h"

class WRichTextBox : public WTextBox {
    W_DECLARE_CLASS(WRichTextBox, WTextBox)
public:
    WRichTextBox();
    // Loads the library that registers the "RICHEDIT" class; true when it is loaded.
    static bool EnsureLibraryLoaded();

protected:
    const char* GetWindowClass() const override { return "RICHEDIT"; }
};
