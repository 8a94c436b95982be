#include "dshow/SampleGrabberFilter.h"

#include <dvdmedia.h>
#include <stddef.h>

CSampleGrabberFilter::CSampleGrabberFilter(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid), m_pCallback(NULL)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CSampleGrabberFilter::CSampleGrabberFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName,
                                           BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude), m_pCallback(NULL)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CSampleGrabberFilter::CSampleGrabberFilter(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter), m_pCallback(NULL)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CSampleGrabberFilter::~CSampleGrabberFilter()
{
    m_pGrabber.Reset();
}

BOOL CSampleGrabberFilter::Initfilter()
{
    m_pGrabber.Reset();
    m_pCallback = NULL;
    if (!CFilterNode::Initfilter())
        return FALSE;
    return SUCCEEDED(ComQuery(m_pFilter.Get(), IID_ISampleGrabber, m_pGrabber));
}

const BITMAPINFOHEADER* CSampleGrabberFilter::FindBitmapHeader(const AM_MEDIA_TYPE& mt)
{
    size_t offset = 0;
    if (mt.formattype == FORMAT_VideoInfo)
        offset = offsetof(VIDEOINFOHEADER, bmiHeader);
    else if (mt.formattype == FORMAT_VideoInfo2)
        offset = offsetof(VIDEOINFOHEADER2, bmiHeader);
    else
        return NULL;
    if (mt.pbFormat == NULL || mt.cbFormat < offset + sizeof(BITMAPINFOHEADER))
        return NULL;
    return reinterpret_cast<const BITMAPINFOHEADER*>(mt.pbFormat + offset);
}

BOOL CSampleGrabberFilter::SetGrabberCallback(CSampleGrabberCallback* pCallback)
{
    if (!m_pGrabber || GetFirstPin(PINDIR_INPUT, TRUE) != NULL || GetFirstPin(PINDIR_OUTPUT, TRUE) != NULL)
        return FALSE;
    if (pCallback == NULL)
    {
        m_pCallback = NULL;
        return FALSE;
    }
    AM_MEDIA_TYPE mt = {};
    if (SUCCEEDED(m_pGrabber->GetConnectedMediaType(&mt)))
    {
        const BITMAPINFOHEADER* pHeader = FindBitmapHeader(mt);
        if (pHeader != NULL)
            pCallback->SetFormat(*pHeader);
        CoTaskMemFree(mt.pbFormat);
        if (mt.pUnk != NULL)
            mt.pUnk->Release();
    }
    m_pGrabber->SetBufferSamples(FALSE);
    m_pGrabber->SetOneShot(FALSE);
    HRESULT hr = m_pGrabber->SetCallback(pCallback, 1);
    m_pCallback = pCallback;
    return SUCCEEDED(hr);
}

BOOL CSampleGrabberFilter::RequestSnapshot(LPCSTR pszPath)
{
    return m_pCallback != NULL && m_pCallback->PostRequest(pszPath);
}

BOOL CSampleGrabberFilter::SetVideoMediaType()
{
    if (!m_pGrabber)
        return FALSE;
    AM_MEDIA_TYPE mt = {};
    mt.majortype = MEDIATYPE_Video;
    mt.subtype = MEDIASUBTYPE_RGB24;
    return SUCCEEDED(m_pGrabber->SetMediaType(&mt));
}
