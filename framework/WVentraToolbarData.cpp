#include "WVentraToolbarData.h"

WVentraToolbarData::WVentraToolbarData(WToolbar* toolbar) : toolbar(toolbar) {}

bool WVentraToolbarData::Load(const WResourceID& id, const WModuleHandle& module)
{
    HMODULE instance = module.GetHandle();
    HRSRC resource = FindResourceA(instance, id.GetResourceName(), MAKEINTRESOURCEA(10));
    HGLOBAL loaded = resource ? LoadResource(instance, resource) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data || !ParseToolbarDescription(data, SizeofResource(instance, resource), description))
        return false;
    return toolbar && toolbar->Apply(description, module, PictureStripResource);
}
