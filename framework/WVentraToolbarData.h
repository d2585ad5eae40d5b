#pragma once
// A tool bar description read from the resources and applied to its tool bar.

#include "WResourceID.h"
#include "WToolbar.h"

class WVentraToolbarData : public WObject {
    W_DECLARE_CLASS(WVentraToolbarData, WObject)
public:
    // The bitmap resource with the program's own tool bar pictures (open, save, exit).
    static constexpr uint16_t PictureStripResource = 110;

    explicit WVentraToolbarData(WToolbar* toolbar);
    // Reads the description (binary resource data), checks and parses it and
    // applies it to the tool bar. False, tool bar left empty, when the resource
    // is missing, shorter than its header or malformed.
    bool Load(const WResourceID& id, const WModuleHandle& module = WModuleHandle());
    const WToolbarDescription& GetDescription() const { return description; }

private:
    WToolbar* toolbar;
    WToolbarDescription description;
};
