#include "WResourceID.h"

WResourceID::WResourceID(uint16_t number) : number(number) {}

WResourceID::WResourceID(const char* name) : name(name) {}

WResourceID::WResourceID(const WResourceID& other) = default;

WResourceID& WResourceID::operator=(const WResourceID& other) = default;

WResourceID::~WResourceID() = default;

LPCSTR WResourceID::GetResourceName() const
{
    return IsNumber() ? MAKEINTRESOURCEA(number) : name.GetText();
}
