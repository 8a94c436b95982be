#include "platform/standins/videokit/PictureFile.h"

#include "platform/dshow/ComPtr.h"

#include <objbase.h>
#include <oleauto.h>
#include <wincodec.h>

#include <vector>

namespace
{
HRESULT WriteBitmap(LPCWSTR pszPath, const BYTE* pBgr, int width, int height)
{
    const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = rowBytes * height;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;

    std::vector<BYTE> bytes(file.bfSize, 0);
    memcpy(bytes.data(), &file, sizeof(file));
    memcpy(bytes.data() + sizeof(file), &info, sizeof(info));
    for (int y = 0; y < height; ++y)
        memcpy(bytes.data() + file.bfOffBits + static_cast<size_t>(height - 1 - y) * rowBytes,
               pBgr + static_cast<size_t>(y) * width * 3, static_cast<size_t>(width) * 3);

    HANDLE hFile = CreateFileW(pszPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return HRESULT_FROM_WIN32(GetLastError());
    DWORD written = 0;
    BOOL bOk = WriteFile(hFile, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL) &&
               written == bytes.size();
    CloseHandle(hFile);
    return bOk ? S_OK : E_FAIL;
}

HRESULT WriteJpeg(LPCWSTR pszPath, const BYTE* pBgr, int width, int height, int quality)
{
    ComPtr<IWICImagingFactory> pFactory;
    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  reinterpret_cast<void**>(&pFactory));
    if (FAILED(hr))
        return hr;
    ComPtr<IWICBitmap> pBitmap;
    const UINT stride = static_cast<UINT>(width) * 3;
    hr = pFactory->CreateBitmapFromMemory(width, height, GUID_WICPixelFormat24bppBGR, stride, stride * height,
                                          const_cast<BYTE*>(pBgr), &pBitmap);
    ComPtr<IWICStream> pStream;
    if (SUCCEEDED(hr))
        hr = pFactory->CreateStream(&pStream);
    if (SUCCEEDED(hr))
        hr = pStream->InitializeFromFilename(pszPath, GENERIC_WRITE);
    ComPtr<IWICBitmapEncoder> pEncoder;
    if (SUCCEEDED(hr))
        hr = pFactory->CreateEncoder(GUID_ContainerFormatJpeg, NULL, &pEncoder);
    if (SUCCEEDED(hr))
        hr = pEncoder->Initialize(pStream.Get(), WICBitmapEncoderNoCache);
    ComPtr<IWICBitmapFrameEncode> pFrame;
    ComPtr<IPropertyBag2> pOptions;
    if (SUCCEEDED(hr))
        hr = pEncoder->CreateNewFrame(&pFrame, &pOptions);
    if (FAILED(hr))
        return hr;
    if (pOptions)
    {
        PROPBAG2 name = {};
        name.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_R4;
        value.fltVal = (quality < 1 ? 1 : quality > 100 ? 100 : quality) / 100.0f;
        pOptions->Write(1, &name, &value);
    }
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    hr = pFrame->Initialize(pOptions.Get());
    if (SUCCEEDED(hr))
        hr = pFrame->SetSize(width, height);
    if (SUCCEEDED(hr))
        hr = pFrame->SetPixelFormat(&format);
    if (SUCCEEDED(hr))
        hr = pFrame->WriteSource(pBitmap.Get(), NULL);
    if (SUCCEEDED(hr))
        hr = pFrame->Commit();
    if (SUCCEEDED(hr))
        hr = pEncoder->Commit();
    return hr;
}
}

HRESULT WritePictureFile(LPCWSTR pszPath, const BYTE* pBgr, int width, int height, int kind, int quality)
{
    if (pszPath == NULL || pBgr == NULL || width <= 0 || height <= 0)
        return E_INVALIDARG;
    if (kind == PICTURE_BMP)
        return WriteBitmap(pszPath, pBgr, width, height);
    if (kind == PICTURE_JPEG)
        return WriteJpeg(pszPath, pBgr, width, height, quality);
    return E_INVALIDARG;
}
