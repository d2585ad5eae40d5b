#pragma once
// The name of a resource: either a 16-bit number or a string, as the host's
// resource functions take it.

#include "WString.h"

class WResourceID : public WObject {
    W_DECLARE_CLASS(WResourceID, WObject)
public:
    WResourceID(uint16_t number = 0);
    WResourceID(const char* name);
    WResourceID(const WResourceID& other);
    WResourceID& operator=(const WResourceID& other);
    ~WResourceID() override;

    bool IsNumber() const { return name.IsNull(); }
    uint16_t GetNumber() const { return number; }
    // The form the host's resource functions take (MAKEINTRESOURCE for numbers).
    LPCSTR GetResourceName() const;

private:
    uint16_t number = 0;
    WString name;
};
