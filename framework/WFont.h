#pragma once
// A host font made from a font description (see WFontDescription.h). Copies
// share the font handle; the font is deleted with the last copy, unless it is a
// stock font or was only borrowed from a window.

#include "WFontDescription.h"

#include <memory>

class WFont : public WObject {
    W_DECLARE_CLASS(WFont, WObject)
public:
    WFont();
    // Same as Create(description); an unreadable description gives an empty font.
    WFont(const char* description);
    WFont(const WFont& other);
    WFont& operator=(const WFont& other);
    ~WFont() override;

    bool Create(const char* description);
    bool Create(const WFontDescription& description);
    // Wraps a font the host or another window owns; it is never deleted here.
    static WFont FromHandle(HFONT font);

    HFONT GetHandle() const { return handle ? handle.get() : nullptr; }
    // True when `other` is this font, or a font made alike: the text looks
    // the same in either.
    bool IsAlike(HFONT other) const;
    bool IsEmpty() const { return !handle; }
    const WFontDescription& GetFontDescription() const { return description; }
    WString GetDescription() const { return FormatFontDescription(description); }

private:
    std::shared_ptr<HFONT__> handle;
    WFontDescription description;
};
