#include "dshow/IVStillCapture.h"

#include "dshow/InterVideoParameters.h"

static_assert(sizeof(BITMAPFILEHEADER) == 14, "bitmap file header");

namespace
{
BOOL WriteAll(HANDLE hFile, const void* pData, DWORD cb)
{
    DWORD cbWritten = 0;
    return WriteFile(hFile, pData, cb, &cbWritten, NULL) && cbWritten == cb;
}
}

CIVStillCapture::CIVStillCapture(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CIVStillCapture::CIVStillCapture(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CIVStillCapture::CIVStillCapture(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

BOOL CIVStillCapture::ReadParameter(DWORD dwNumber, void* pValue)
{
    ComPtr<IIVParameters> pParameters;
    if (FAILED(QueryIVParameters(m_pFilter.Get(), IID_IIVStillCaptureParameters, pParameters)))
        return FALSE;
    return SUCCEEDED(pParameters->GetParameter(dwNumber, pValue));
}

BOOL CIVStillCapture::WriteParameter(DWORD dwNumber, DWORD dwValue)
{
    ComPtr<IIVParameters> pParameters;
    if (FAILED(QueryIVParameters(m_pFilter.Get(), IID_IIVStillCaptureParameters, pParameters)))
        return FALSE;
    return SUCCEEDED(pParameters->SetParameter(dwNumber, dwValue));
}

BOOL CIVStillCapture::SaveStillImage(LPCSTR pszPath)
{
    DWORD cbImage = 0;
    if (pszPath == NULL || !GetImageSize(&cbImage) || cbImage == 0 || cbImage > MAXDWORD - sizeof(BITMAPFILEHEADER))
        return FALSE;
    HGLOBAL hImage = GlobalAlloc(GPTR, cbImage);
    if (hImage == NULL)
        return FALSE;
    BOOL bSaved = FALSE;
    if (GetImage(hImage))
    {
        HANDLE hFile = CreateFileA(pszPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (hFile != INVALID_HANDLE_VALUE)
        {
            // The picture starts with its 40-byte information header and no
            // colour table, so the pixels begin 54 bytes into the file; the
            // file holds the picture behind its 14-byte header.
            BITMAPFILEHEADER header = {};
            header.bfType = 0x4D42;
            header.bfSize = cbImage + sizeof(BITMAPFILEHEADER);
            header.bfOffBits = 54;
            bSaved = WriteAll(hFile, &header, sizeof(header)) && WriteAll(hFile, hImage, cbImage);
            CloseHandle(hFile);
            if (!bSaved)
                DeleteFileA(pszPath);
        }
    }
    GlobalFree(hImage);
    return bSaved;
}
