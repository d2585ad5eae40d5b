#include "PortNumbers.h"

#include <windows.h>

#include <algorithm>
#include <charconv>
#include <cstring>

namespace {

// Each value of the key is one present port: its name is the driver's device,
// its data the port's name, "COM12". Windows makes the key as ports appear.
const char* const SerialDeviceMap = "HARDWARE\\DEVICEMAP\\SERIALCOMM";

// The data of the key's text values.
std::vector<WString> PortNamesIn(HKEY key)
{
    std::vector<WString> names;
    DWORD count = 0;
    DWORD longestName = 0;
    DWORD longestData = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longestName,
                         &longestData, nullptr, nullptr)
        != ERROR_SUCCESS)
        return names;
    std::vector<char> name(longestName + 1);
    std::vector<char> data(longestData + 1);
    for (DWORD index = 0; index < count; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataSize = longestData;
        DWORD type = REG_NONE;
        if (RegEnumValueA(key, index, name.data(), &nameLength, nullptr, &type,
                          reinterpret_cast<BYTE*>(data.data()), &dataSize)
                != ERROR_SUCCESS
            || type != REG_SZ)
            continue;
        // The stored text need not end with a zero.
        names.emplace_back(data.data(), static_cast<int32_t>(strnlen(data.data(), dataSize)));
    }
    return names;
}

}  // namespace

namespace PortNumbers {

bool IsPortNumber(int32_t number)
{
    return number >= 1 && number <= HighestPortNumber;
}

int32_t FromName(const char* name)
{
    if (_strnicmp(name, "COM", 3) != 0)
        return NoPort;
    const char* digits = name + 3;
    const char* end = digits + std::strlen(digits);
    if (*digits < '1' || *digits > '9')
        return NoPort;
    int32_t number = NoPort;
    const auto [stop, error] = std::from_chars(digits, end, number);
    if (error != std::errc() || stop != end || !IsPortNumber(number))
        return NoPort;
    return number;
}

std::vector<int32_t> Offered(const std::vector<WString>& presentNames, int32_t storedNumber)
{
    std::vector<int32_t> above;
    for (const WString& name : presentNames)
        above.push_back(FromName(name.GetText()));
    above.push_back(storedNumber);
    std::erase_if(above, [](int32_t number) { return !IsPortNumber(number) || number <= StandardPortCount; });
    std::ranges::sort(above);
    above.erase(std::unique(above.begin(), above.end()), above.end());

    std::vector<int32_t> offered;
    for (int32_t number = 1; number <= StandardPortCount; ++number)
        offered.push_back(number);
    offered.insert(offered.end(), above.begin(), above.end());
    return offered;
}

// The key is only opened, never made: where the host lists no port it does
// not exist, and it is the host's alone to write.
std::vector<WString> ReadPresentNames()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SerialDeviceMap, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return {};
    std::vector<WString> names = PortNamesIn(key);
    RegCloseKey(key);
    return names;
}

}  // namespace PortNumbers
