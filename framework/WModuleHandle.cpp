#include "WModuleHandle.h"

#include "WApplication.h"

WModuleHandle::WModuleHandle(HINSTANCE instance) : instance(instance) {}

WModuleHandle::WModuleHandle(const WModuleHandle& other) = default;

WModuleHandle& WModuleHandle::operator=(const WModuleHandle& other) = default;

WModuleHandle::~WModuleHandle() = default;

HINSTANCE WModuleHandle::GetHandle() const
{
    return instance ? instance : GetModuleHandleA(nullptr);
}

WModuleHandle WModuleHandle::Application()
{
    WApplication* application = GetApplication();
    return WModuleHandle(application ? application->GetInstance() : nullptr);
}
