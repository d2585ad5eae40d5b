#pragma once
// The module whose resources a form, menu or icon is loaded from. A default
// module handle stands for the running program's own executable.

#include "WObject.h"

class WModuleHandle : public WObject {
    W_DECLARE_CLASS(WModuleHandle, WObject)
public:
    WModuleHandle(HINSTANCE instance = nullptr);
    WModuleHandle(const WModuleHandle& other);
    WModuleHandle& operator=(const WModuleHandle& other);
    ~WModuleHandle() override;

    // The instance handle; the executable's own when none was given.
    HINSTANCE GetHandle() const;

    // The application's module (the instance WinMain was given), else the executable.
    static WModuleHandle Application();

private:
    HINSTANCE instance = nullptr;
};
