#include "PngFile.h"

#include <wincodec.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace {

// COM for the length of one call, on whatever thread calls. A thread that has
// COM already, in either model, keeps it as it is.
class ComSession {
public:
    ComSession() : result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComSession()
    {
        if (SUCCEEDED(result))
            CoUninitialize();
    }
    ComSession(const ComSession&) = delete;
    ComSession& operator=(const ComSession&) = delete;

    bool IsUsable() const { return SUCCEEDED(result) || result == RPC_E_CHANGED_MODE; }

private:
    HRESULT result;
};

std::wstring Wide(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 1), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    wide.resize(wide.size() - 1);
    return wide;
}

// Rows of blue, green and red bytes, the layout every PNG encoder of the host takes.
std::vector<BYTE> BgrRows(const Image& image)
{
    std::vector<BYTE> rows;
    rows.reserve(image.pixels.size() * 3);
    for (const uint32_t pixel : image.pixels)
        rows.insert(rows.end(),
                    {static_cast<BYTE>(pixel), static_cast<BYTE>(pixel >> 8), static_cast<BYTE>(pixel >> 16)});
    return rows;
}

bool WriteFrame(IWICBitmapEncoder& encoder, const Image& image)
{
    ComPtr<IWICBitmapFrameEncode> frame;
    if (FAILED(encoder.CreateNewFrame(&frame, nullptr)) || FAILED(frame->Initialize(nullptr))
        || FAILED(frame->SetSize(static_cast<UINT>(image.width), static_cast<UINT>(image.height))))
        return false;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (FAILED(frame->SetPixelFormat(&format)) || format != GUID_WICPixelFormat24bppBGR)
        return false;
    std::vector<BYTE> rows = BgrRows(image);
    const UINT stride = static_cast<UINT>(image.width) * 3;
    return SUCCEEDED(frame->WritePixels(static_cast<UINT>(image.height), stride, static_cast<UINT>(rows.size()),
                                        rows.data()))
           && SUCCEEDED(frame->Commit());
}

}  // namespace

bool SavePng(const Image& image, const std::string& path)
{
    if (image.IsEmpty())
        return false;
    const ComSession com;
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    if (!com.IsUsable()
        || FAILED(
            CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory)))
        || FAILED(factory->CreateStream(&stream))
        || FAILED(stream->InitializeFromFilename(Wide(path).c_str(), GENERIC_WRITE))
        || FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder))
        || FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)))
        return false;
    return WriteFrame(*encoder.Get(), image) && SUCCEEDED(encoder->Commit());
}

bool SaveWindowPicture(HWND window, const std::string& path)
{
    PaintForCapture(window);
    return SavePng(CaptureWindow(window), path);
}
