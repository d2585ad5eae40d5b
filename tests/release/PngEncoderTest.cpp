// The driver's pictures are checked by decoding them with the host's own image
// decoder (GDI+): every pixel must come back as it went in.

#include "PngEncoder.h"
#include "ZlibStream.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <gdiplus.h>
#include <shlwapi.h>

#include <cstring>
#include <random>
#include <string>

namespace {

class GdiplusSession {
public:
    GdiplusSession()
    {
        Gdiplus::GdiplusStartupInput input;
        started = Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    }
    ~GdiplusSession()
    {
        if (started)
            Gdiplus::GdiplusShutdown(token);
    }
    bool Started() const { return started; }

private:
    ULONG_PTR token = 0;
    bool started = false;
};

// Decodes PNG bytes; an empty picture when the host refuses them.
RgbImage DecodeWithHost(const std::vector<uint8_t>& png)
{
    RgbImage decoded;
    IStream* stream = SHCreateMemStream(png.data(), static_cast<UINT>(png.size()));
    if (!stream)
        return decoded;
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (Gdiplus::DllExports::GdipCreateBitmapFromStream(stream, &bitmap) == Gdiplus::Ok) {
        UINT width = 0;
        UINT height = 0;
        Gdiplus::DllExports::GdipGetImageWidth(bitmap, &width);
        Gdiplus::DllExports::GdipGetImageHeight(bitmap, &height);
        decoded.width = static_cast<int>(width);
        decoded.height = static_cast<int>(height);
        for (INT y = 0; y < decoded.height; ++y) {
            for (INT x = 0; x < decoded.width; ++x) {
                Gdiplus::ARGB colour = 0;
                Gdiplus::DllExports::GdipBitmapGetPixel(bitmap, x, y, &colour);
                decoded.pixels.push_back(static_cast<uint8_t>(colour >> 16));
                decoded.pixels.push_back(static_cast<uint8_t>(colour >> 8));
                decoded.pixels.push_back(static_cast<uint8_t>(colour));
            }
        }
        Gdiplus::DllExports::GdipDisposeImage(bitmap);
    }
    stream->Release();
    return decoded;
}

RgbImage BlankImage(int width, int height)
{
    RgbImage image;
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 3, 0);
    return image;
}

void FillNoise(RgbImage& image, size_t from, size_t count, unsigned seed)
{
    std::mt19937 generator(seed);
    for (size_t index = from; index < from + count && index < image.pixels.size(); ++index)
        image.pixels[index] = static_cast<uint8_t>(generator());
}

// What a window looks like to the encoder: flat grey, framed areas, a line of
// busy pixels, and rows that repeat those above them.
RgbImage WindowLikeImage()
{
    RgbImage image = BlankImage(363, 297);
    for (size_t index = 0; index < image.pixels.size(); index += 3) {
        image.pixels[index] = 0xF0;
        image.pixels[index + 1] = 0xF0;
        image.pixels[index + 2] = 0xF0;
    }
    const size_t stride = 363 * 3;
    for (int row = 20; row < 200; row += 45)
        std::memset(image.pixels.data() + stride * static_cast<size_t>(row), 0x80, stride);
    FillNoise(image, stride * 230 + 30, 600, 7);
    for (int column = 0; column < 363; ++column)
        image.pixels[stride * 260 + static_cast<size_t>(column) * 3] = static_cast<uint8_t>(column);
    return image;
}

// A block of noise longer than the back-reference window, then the same block
// again: the copy lies too far back to be referred to.
RgbImage RepeatBeyondWindowImage()
{
    RgbImage image = BlankImage(200, 134);
    const size_t half = image.pixels.size() / 2;
    FillNoise(image, 0, half, 11);
    std::memcpy(image.pixels.data() + half, image.pixels.data(), half);
    return image;
}

struct PictureCase {
    const char* name;
    RgbImage image;
};

std::vector<PictureCase> PictureCases()
{
    RgbImage noise = BlankImage(7, 5);
    FillNoise(noise, 0, noise.pixels.size(), 3);
    RgbImage single = BlankImage(1, 1);
    single.pixels = {0x12, 0xAB, 0xFF};
    RgbImage wideRepeated = BlankImage(1280, 12);
    FillNoise(wideRepeated, 0, 1280 * 3, 5);
    for (int row = 1; row < 12; ++row)
        std::memcpy(wideRepeated.pixels.data() + 1280 * 3 * row, wideRepeated.pixels.data(), 1280 * 3);
    return {{"single pixel", single},
            {"odd-sized noise", noise},
            {"window-like", WindowLikeImage()},
            {"rows repeated one screen width apart", wideRepeated},
            {"repeat beyond the window", RepeatBeyondWindowImage()}};
}

std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

}  // namespace

TEST(PngEncoder, ChecksumsMatchTheirReferenceValues)
{
    const std::vector<uint8_t> digits = Bytes("123456789");
    const std::vector<uint8_t> word = Bytes("Wikipedia");
    EXPECT_EQ(Crc32(digits.data(), digits.size()), 0xCBF43926u);
    EXPECT_EQ(Crc32(nullptr, 0), 0u);
    EXPECT_EQ(Adler32(word.data(), word.size()), 0x11E60398u);
    EXPECT_EQ(Adler32(nullptr, 0), 1u);
}

TEST(PngEncoder, HostDecodesEveryPixelAsEncoded)
{
    GdiplusSession session;
    ASSERT_TRUE(session.Started());
    for (const PictureCase& picture : PictureCases()) {
        SCOPED_TRACE(picture.name);
        const RgbImage decoded = DecodeWithHost(EncodePng(picture.image));
        ASSERT_EQ(decoded.width, picture.image.width);
        ASSERT_EQ(decoded.height, picture.image.height);
        EXPECT_TRUE(decoded.pixels == picture.image.pixels);
    }
}

TEST(PngEncoder, WindowPictureShrinksToAFractionOfItsPixels)
{
    const RgbImage image = WindowLikeImage();
    EXPECT_LT(EncodePng(image).size(), image.pixels.size() / 20);
}
