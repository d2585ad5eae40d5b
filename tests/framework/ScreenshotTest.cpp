// The PNG files of window pictures: what is saved reads back through the
// host's own decoder as the same pixels, each colour in its channel.

#include "Screenshot.h"

#include "TestArtifacts.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

using Microsoft::WRL::ComPtr;

namespace {

std::wstring Wide(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

// The file's pixels as 0x00RRGGBB; an empty picture when the host cannot read it.
Image DecodeWithHost(const std::string& path)
{
    Image decoded;
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    UINT width = 0;
    UINT height = 0;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory)))
        || FAILED(factory->CreateDecoderFromFilename(Wide(path).c_str(), nullptr, GENERIC_READ,
                                                     WICDecodeMetadataCacheOnDemand, &decoder))
        || FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&width, &height))
        || FAILED(factory->CreateFormatConverter(&converter))
        || FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone,
                                        nullptr, 0.0, WICBitmapPaletteTypeCustom)))
        return decoded;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    if (FAILED(converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(pixels.size() * 4),
                                     reinterpret_cast<BYTE*>(pixels.data()))))
        return decoded;
    decoded.width = static_cast<int>(width);
    decoded.height = static_cast<int>(height);
    for (uint32_t& pixel : pixels)
        pixel &= 0x00FFFFFF;
    decoded.pixels = std::move(pixels);
    return decoded;
}

class ComThread {
public:
    ComThread() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~ComThread() { CoUninitialize(); }
};

}  // namespace

// An odd width leaves rows whose bytes are not a multiple of four.
TEST(PngFile, ReadsBackAsThePixelsSaved)
{
    Image image;
    image.width = 3;
    image.height = 2;
    image.pixels = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x123456};
    const std::string path = TestArtifactPath("png-file-colours.png");
    ASSERT_TRUE(SavePng(image, path));

    const ComThread com;
    const Image decoded = DecodeWithHost(path);
    EXPECT_EQ(decoded.width, image.width);
    EXPECT_EQ(decoded.height, image.height);
    EXPECT_EQ(decoded.pixels, image.pixels);
}
