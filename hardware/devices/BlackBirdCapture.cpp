#include "hardware/devices/BlackBirdCapture.h"

#include "dshow/DShowGraph.h"
#include "dshow/DShowText.h"
#include "hardware/bus/BlackBirdRegisterAccess.h"

#include <new>

CBlackBirdCapture::CBlackBirdCapture(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CCaptureDevice(pGraph, pCategory, pszName, bExclude)
{
    OpenDevice();
}

CBlackBirdCapture::CBlackBirdCapture(CDShowGraph* pGraph, REFCLSID clsid)
    : CCaptureDevice(pGraph, clsid)
{
    OpenDevice();
}

CBlackBirdCapture::~CBlackBirdCapture()
{
    m_pTunerIf.Reset();
    RemoveFromGraph(m_pTunerFilter.Get());
    RemoveFromGraph(m_pTVAudioFilter.Get());
    RemoveFromGraph(m_pCrossbarFilter.Get());
    m_pTunerFilter.Reset();
    m_pTVAudioFilter.Reset();
    m_pCrossbarFilter.Reset();
    m_pCrossbarIf.Reset();
}

DWORD CBlackBirdCapture::ReservedA(DWORD, DWORD, DWORD)
{
    return 0;
}

DWORD CBlackBirdCapture::ReservedB(DWORD, DWORD, DWORD)
{
    return 0;
}

void CBlackBirdCapture::RemoveFromGraph(IBaseFilter* pFilter)
{
    if (pFilter != NULL && m_pGraph != NULL && m_pGraph->GetGraphBuilder() != NULL)
        m_pGraph->GetGraphBuilder()->RemoveFilter(pFilter);
}

void CBlackBirdCapture::InitDefaults()
{
    m_byEepromAddress = DEFAULT_EEPROM_ADDRESS;
    m_nKeyPollPeriod = DEFAULT_KEY_POLL_MS;
    m_strTunerFilterName = "BlackBird Tuner";
    m_pCrossbarIf.Reset();
    m_pTunerIf.Reset();
    m_pCrossbarFilter.Reset();
    m_pTVAudioFilter.Reset();
}

HRESULT CBlackBirdCapture::SetAudioInput(int, BOOL)
{
    return E_NOTIMPL;
}

BOOL CBlackBirdCapture::ReadRemoteKey(BYTE*)
{
    return FALSE;
}

void CBlackBirdCapture::FindCompanions()
{
    ICaptureGraphBuilder2* pBuilder = m_pGraph->GetCaptureBuilder();
    const GUID* apTypes[2] = { &MEDIATYPE_Interleaved, &MEDIATYPE_Video };
    for (int i = 0; i < 2 && !m_pTunerIf; ++i)
        pBuilder->FindInterface(&PIN_CATEGORY_CAPTURE, apTypes[i], m_pFilter.Get(), IID_IAMTVTuner,
                                reinterpret_cast<void**>(&m_pTunerIf));
    if (m_pTunerIf && !m_pTunerFilter)
        m_pTunerIf->QueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&m_pTunerFilter));

    for (int i = 0; i < 2 && !m_pCrossbarIf; ++i)
        pBuilder->FindInterface(&PIN_CATEGORY_CAPTURE, apTypes[i], m_pFilter.Get(), IID_IAMCrossbar,
                                reinterpret_cast<void**>(&m_pCrossbarIf));
    if (m_pCrossbarIf && !m_pCrossbarFilter)
        m_pCrossbarIf->QueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&m_pCrossbarFilter));

    for (int i = 0; i < 2 && !m_pTVAudioFilter; ++i)
    {
        ComPtr<IAMTVAudio> pTVAudio;
        if (SUCCEEDED(pBuilder->FindInterface(&PIN_CATEGORY_CAPTURE, apTypes[i], m_pFilter.Get(), IID_IAMTVAudio,
                                              reinterpret_cast<void**>(&pTVAudio))) &&
            pTVAudio)
            pTVAudio->QueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&m_pTVAudioFilter));
    }
}

HRESULT CBlackBirdCapture::CreateRegisterAccess()
{
    m_nCardKind = CARD_KIND_BLACKBIRD;
    CBlackBirdRegisterAccess* pAccess = new (std::nothrow) CBlackBirdRegisterAccess();
    if (pAccess == NULL)
        return E_OUTOFMEMORY;
    m_pRegisterAccess = pAccess;

    IGraphBuilder* pGraph = m_pGraph != NULL ? m_pGraph->GetGraphBuilder() : NULL;
    if (pGraph != NULL && m_pGraph->GetCaptureBuilder() != NULL && m_pFilter)
    {
        // The companions are found through the capture filter's connections,
        // which exist only while it stands in the graph.
        WCHAR szName[NAME_SIZE];
        WideFromAnsi(m_szName[0] != '\0' ? m_szName : m_szFriendlyName, szName, NAME_SIZE);
        HRESULT hrAdd = pGraph->AddFilter(m_pFilter.Get(), szName);
        FindCompanions();
        if (SUCCEEDED(hrAdd))
            pGraph->RemoveFilter(m_pFilter.Get());
    }

    HRESULT hr;
    if (m_pTunerFilter)
    {
        hr = pAccess->Attach(m_pTunerFilter.Get(), reinterpret_cast<ULONG_PTR>(this));
        if (FAILED(hr))
        {
            delete pAccess;
            m_pRegisterAccess = NULL;
        }
        ComPtr<IAMTVTuner> pTuner;
        if (SUCCEEDED(m_pTunerFilter->QueryInterface(IID_IAMTVTuner, reinterpret_cast<void**>(&pTuner))) &&
            pTuner)
        {
            pTuner->put_Mode(AMTUNER_MODE_TV);
            pTuner->put_Channel(1, 0, 0);
        }
        return hr;
    }
    return pAccess->Attach(m_pFilter.Get(), 0);
}
