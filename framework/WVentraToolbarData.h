#pragma once
// A tool bar description read from the resources and applied to its tool bar.

#include "WResourceID.h"
#include "WToolbar.h"

class WVentraToolbarData : public WObject {
    W_DECLARE_CLASS(WVentraToolbarData, WObject)
public:
    // The pictures the description's images point into beside the host's
    // standard set come from the bitmap resource pictureStrip of the module
    // the description is loaded from.
    WVentraToolbarData(WToolbar* toolbar, uint16_t pictureStrip);
    // Reads the description (binary resource data), checks and parses it and
    // applies it to the tool bar. False, tool bar left empty, when the resource
    // is missing, shorter than its header or malformed.
    bool Load(const WResourceID& id, const WModuleHandle& module = WModuleHandle());
    const WToolbarDescription& GetDescription() const { return description; }

private:
    WToolbar* toolbar;
    uint16_t pictureStrip;
    WToolbarDescription description;
};
