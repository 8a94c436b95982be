#include "dshow/AcmWrapperFilter.h"

#include "dshow/DShowGraph.h"

#include <mmreg.h>

namespace
{
// A wave format block long enough to hold the fields compared.
const WAVEFORMATEX* WaveFormatOf(const AM_MEDIA_TYPE* pmt)
{
    if (pmt->formattype != FORMAT_WaveFormatEx || pmt->pbFormat == NULL || pmt->cbFormat < sizeof(WAVEFORMAT) + 2)
        return NULL;
    return reinterpret_cast<const WAVEFORMATEX*>(pmt->pbFormat);
}
}

CAcmWrapperFilter::CAcmWrapperFilter(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CAcmWrapperFilter::CAcmWrapperFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CAcmWrapperFilter::CAcmWrapperFilter(CDShowGraph* pGraph, IBaseFilter* pFilter)
    : CFilterNode(pGraph, pFilter)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CAcmWrapperFilter::~CAcmWrapperFilter()
{
    m_pStreamConfig.Reset();
}

BOOL CAcmWrapperFilter::Initfilter()
{
    m_pStreamConfig.Reset();
    if (!m_pFilter || m_pGraph == NULL || m_pGraph->GetCaptureBuilder() == NULL)
        return FALSE;
    HRESULT hr = m_pGraph->GetCaptureBuilder()->FindInterface(&LOOK_DOWNSTREAM_ONLY, &MEDIATYPE_Audio, m_pFilter.Get(),
                                                             IID_IAMStreamConfig,
                                                             reinterpret_cast<void**>(&m_pStreamConfig));
    return hr == S_OK && m_pStreamConfig;
}

void CAcmWrapperFilter::DeleteMediaType(AM_MEDIA_TYPE* pmt)
{
    if (pmt == NULL)
        return;
    CoTaskMemFree(pmt->pbFormat);
    if (pmt->pUnk != NULL)
        pmt->pUnk->Release();
    CoTaskMemFree(pmt);
}

BOOL CAcmWrapperFilter::FindOutputMediaType(AM_MEDIA_TYPE** ppmt, DWORD dwSamplesPerSec, WORD wBitsPerSample)
{
    if (ppmt == NULL)
        return FALSE;
    CPinWrapper* pPin = GetFirstPin(PINDIR_OUTPUT, TRUE);
    if (pPin == NULL || pPin->GetPin() == NULL)
        return FALSE;
    ComPtr<IEnumMediaTypes> pEnum;
    if (FAILED(pPin->GetPin()->EnumMediaTypes(&pEnum)) || !pEnum)
        return FALSE;
    pEnum->Reset();
    AM_MEDIA_TYPE* pmt = NULL;
    while (pEnum->Next(1, &pmt, NULL) == S_OK)
    {
        const WAVEFORMATEX* pWave = pmt != NULL ? WaveFormatOf(pmt) : NULL;
        if (pWave != NULL && pWave->nSamplesPerSec == dwSamplesPerSec && pWave->wBitsPerSample == wBitsPerSample)
        {
            *ppmt = pmt;
            return TRUE;
        }
        DeleteMediaType(pmt);
        pmt = NULL;
    }
    return FALSE;
}

BOOL CAcmWrapperFilter::SetOutputFormat(DWORD dwSamplesPerSec, WORD wBitsPerSample)
{
    AM_MEDIA_TYPE* pmt = NULL;
    if (!m_pStreamConfig || !FindOutputMediaType(&pmt, dwSamplesPerSec, wBitsPerSample))
        return FALSE;
    BOOL bSet = WaveFormatOf(pmt) != NULL && m_pStreamConfig->SetFormat(pmt) == S_OK;
    DeleteMediaType(pmt);
    return bSet;
}
