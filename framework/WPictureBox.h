#pragma once
// A static control that shows a bitmap. It keeps a copy of the bitmap, so the
// bitmap lives as long as it is shown.

#include "WBitmap.h"
#include "WControl.h"

class WPictureBox : public WControl {
    W_DECLARE_CLASS(WPictureBox, WControl)
public:
    bool SetBitmap(const WBitmap& bitmap);

protected:
    const char* GetWindowClass() const override { return "STATIC"; }

private:
    WBitmap bitmap;
};
