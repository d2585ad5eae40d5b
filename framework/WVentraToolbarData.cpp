#include "WVentraToolbarData.h"

WVentraToolbarData::WVentraToolbarData(WToolbar* toolbar, uint16_t pictureStrip)
    : toolbar(toolbar), pictureStrip(pictureStrip)
{
}

bool WVentraToolbarData::Load(const WResourceID& id, const WModuleHandle& module)
{
    HMODULE instance = module.GetHandle();
    HRSRC resource = FindResourceA(instance, id.GetResourceName(), RT_RCDATA);
    HGLOBAL loaded = resource ? LoadResource(instance, resource) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data || !ParseToolbarDescription(data, SizeofResource(instance, resource), description))
        return false;
    return toolbar && toolbar->Apply(description, module, pictureStrip);
}
