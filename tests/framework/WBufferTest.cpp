#include "WBuffer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

TEST(Buffer, CopiesShareUntilOneIsLockedForWriting)
{
    WBuffer original;
    ASSERT_TRUE(original.SetSize(4, const_cast<char*>("abcd")));
    WBuffer copy = original;
    WBuffer deep(original, true);
    EXPECT_EQ(copy.GetData(), original.GetData());
    EXPECT_NE(deep.GetData(), original.GetData());

    static_cast<char*>(copy.Lock())[0] = 'X';
    copy.Unlock();
    EXPECT_EQ(std::memcmp(original.GetData(), "abcd", 4), 0);
    EXPECT_EQ(std::memcmp(copy.GetData(), "Xbcd", 4), 0);
    EXPECT_EQ(std::memcmp(deep.GetData(), "abcd", 4), 0);
}

TEST(Buffer, SetSizeCopiesZeroFillsOrWraps)
{
    WBuffer buffer;
    ASSERT_TRUE(buffer.SetSize(3));
    EXPECT_EQ(std::memcmp(buffer.GetData(), "\0\0\0", 3), 0);

    char outside[2] = {'p', 'q'};
    ASSERT_TRUE(buffer.SetSize(2, outside, false));
    EXPECT_EQ(buffer.GetData(), outside);
    EXPECT_EQ(buffer.Lock(), outside);

    void* handedOver = std::malloc(5);
    // Five bytes of data, not a string: no terminating zero is meant.
    // NOLINTNEXTLINE(bugprone-not-null-terminated-result)
    std::memcpy(handedOver, "hello", 5);
    ASSERT_TRUE(buffer.SetSize(5, handedOver, false, true));
    EXPECT_EQ(buffer.GetData(), handedOver);

    ASSERT_TRUE(buffer.SetSize(0));
    EXPECT_EQ(buffer.GetSize(), 0u);
    EXPECT_EQ(buffer.GetData(), nullptr);
    EXPECT_EQ(buffer.Lock(), nullptr);
    EXPECT_FALSE(buffer.SetSize(4, nullptr, false));
}

}  // namespace
