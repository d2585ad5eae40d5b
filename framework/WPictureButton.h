#pragma once
// A push button that shows an icon or a bitmap. The button keeps a copy of the
// picture, so the picture lives as long as the button shows it.

#include "WBitmap.h"
#include "WButton.h"
#include "WIcon.h"

class WPictureButton : public WButton {
    W_DECLARE_CLASS(WPictureButton, WButton)
public:
    virtual bool SetIcon(const WIcon& icon);
    virtual bool SetBitmap(const WBitmap& bitmap);
    // Changes the text, which the host does not show beside the picture (it
    // names the button for the keyboard and for screen readers), and repaints
    // the button at once with its picture.
    bool SetText(const WString& text) override;
    const WIcon& GetIcon() const { return icon; }

    using WWindow::SetIcon;

private:
    WIcon icon;
    WBitmap bitmap;

    // Gives the window the picture, of the kind the style flag names.
    bool ShowPicture(DWORD kind, WPARAM imageType, HANDLE picture);
};
