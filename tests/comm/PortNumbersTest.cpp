#include "PortNumbers.h"

#include <gtest/gtest.h>

namespace {

using Numbers = std::vector<int32_t>;

Numbers StandardAnd(Numbers above)
{
    Numbers numbers{1, 2, 3, 4, 5, 6, 7, 8};
    numbers.insert(numbers.end(), above.begin(), above.end());
    return numbers;
}

TEST(PortNumbers, OfferedAreCom1ToCom8ThenEachPortAboveOnceInAscendingOrder)
{
    const struct {
        const char* what;
        std::vector<WString> present;
        int32_t stored;
        Numbers offered;
    } cases[] = {
        {"no port listed", {}, PortNumbers::NoPort, StandardAnd({})},
        {"unordered, duplicated, letter case",
         {"COM23", "COM12", "COM3", "COM12", "com15", "COM9"},
         PortNumbers::NoPort,
         StandardAnd({9, 12, 15, 23})},
        {"names of no port",
         {"LPT1", "COM", "COM0", "COM012", "COM12a", "COM-3", "COM+4", " COM5", "COM256", "COM4294967308",
          "COM255"},
         PortNumbers::NoPort,
         StandardAnd({255})},
        {"stored absent above COM8", {"COM23", "COM12"}, 17, StandardAnd({12, 17, 23})},
        {"stored present above COM8", {"COM12"}, 12, StandardAnd({12})},
        {"stored within COM1 to COM8", {"COM12"}, 5, StandardAnd({12})},
        {"stored no port number", {"COM12"}, 256, StandardAnd({12})},
    };
    for (const auto& check : cases)
        EXPECT_EQ(PortNumbers::Offered(check.present, check.stored), check.offered) << check.what;
}

}  // namespace
