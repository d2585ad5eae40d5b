// The PNG writer of the test helpers: checksums and the file's structure.

#include "Screenshot.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(Png, ChecksumsOfKnownTexts)
{
    const char* digits = "123456789";
    EXPECT_EQ(Crc32(reinterpret_cast<const uint8_t*>(digits), 9), 0xCBF43926u);
    const char* word = "Wikipedia";
    EXPECT_EQ(Adler32(reinterpret_cast<const uint8_t*>(word), 9), 0x11E60398u);
}

TEST(Png, FileStartsWithSignatureAndHeaderAndEndsWithEnd)
{
    Image image;
    image.width = 3;
    image.height = 2;
    image.pixels = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x808080};
    const std::vector<uint8_t> png = EncodePng(image);
    const uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    ASSERT_GT(png.size(), 8u + 25u + 12u);
    EXPECT_EQ(std::memcmp(png.data(), signature, 8), 0);
    EXPECT_EQ(std::memcmp(png.data() + 12, "IHDR", 4), 0);
    EXPECT_EQ(png[16 + 3], 3);      // width
    EXPECT_EQ(png[20 + 3], 2);      // height
    EXPECT_EQ(std::memcmp(png.data() + png.size() - 8, "IEND", 4), 0);
    // The pixels themselves are checked through the host's own decoder in the
    // driver's tests, which share this encoder.
}

}  // namespace
