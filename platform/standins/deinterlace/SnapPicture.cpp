#include "platform/standins/deinterlace/SnapPicture.h"

#include "platform/standins/videokit/PictureFile.h"

#include <string.h>

#include <new>

CSnapPicture::CSnapPicture(IUnknown* pUnk, HRESULT* phr)
    : CVideoTransform("Veltrane Snap Picture Filter", pUnk, CLSID_VeltraneSnapPicture, phr), m_nSaved(0)
{
    m_format = VideoFrameFormat{ VideoFrameFormat::KIND_NONE, 0, 0, 0 };
}

STDMETHODIMP CSnapPicture::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IVeltraneSnapPicture)
        return GetInterface(static_cast<IVeltraneSnapPicture*>(this), ppv);
    return CVideoTransform::NonDelegatingQueryInterface(riid, ppv);
}

HRESULT CSnapPicture::Transform(IMediaSample* pIn, IMediaSample* pOut)
{
    VideoFrameFormat format = InputFormat();
    BYTE* pSrc = nullptr;
    BYTE* pDst = nullptr;
    if (!Pictures(pIn, pOut, &pSrc, &pDst))
        return E_FAIL;
    LONG size = format.ImageSize();
    memcpy(pDst, pSrc, size);
    pOut->SetActualDataLength(size);
    CAutoLock lock(&m_csPicture);
    m_picture.assign(pSrc, pSrc + size);
    m_format = format;
    return S_OK;
}

STDMETHODIMP CSnapPicture::GetSavedCount(LONG* plCount)
{
    if (plCount == nullptr)
        return E_POINTER;
    CAutoLock lock(&m_csPicture);
    *plCount = m_nSaved;
    return S_OK;
}

STDMETHODIMP CSnapPicture::Command(LONG lCommand, SNAP_PICTURE_REQUEST* pRequest)
{
    if (pRequest == nullptr)
        return E_POINTER;
    if (lCommand != COMMAND_SAVE || pRequest->cbSize != sizeof(SNAP_PICTURE_REQUEST))
        return E_INVALIDARG;
    char szFile[sizeof(pRequest->szFile)];
    memcpy(szFile, pRequest->szFile, sizeof(szFile));
    szFile[sizeof(szFile) - 1] = '\0';
    WCHAR wszFile[sizeof(szFile)];
    if (szFile[0] == '\0' || MultiByteToWideChar(CP_ACP, 0, szFile, -1, wszFile, sizeof(szFile)) == 0)
        return E_INVALIDARG;
    int kind = pRequest->dwType == PICTURE_JPEG ? PICTURE_JPEG : PICTURE_BMP;

    std::vector<BYTE> picture;
    VideoFrameFormat format;
    {
        CAutoLock lock(&m_csPicture);
        picture = m_picture;
        format = m_format;
    }
    if (picture.empty())
        return VFW_E_WRONG_STATE;
    std::vector<BYTE> bgr(static_cast<size_t>(format.width) * format.height * 3);
    if (format.kind == VideoFrameFormat::KIND_YUY2)
        Yuy2ToBgr24(picture.data(), format.width, format.height, bgr.data());
    else
        Rgb32ToBgr24(picture.data(), format.width, format.height, bgr.data());
    HRESULT hr = WritePictureFile(wszFile, bgr.data(), format.width, format.height, kind,
                                  static_cast<int>(pRequest->dwQuality));
    if (SUCCEEDED(hr))
    {
        CAutoLock lock(&m_csPicture);
        ++m_nSaved;
    }
    return hr;
}
