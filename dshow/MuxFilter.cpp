#include "dshow/MuxFilter.h"

CMuxFilter::CMuxFilter(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMuxFilter::CMuxFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName, BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CMuxFilter::~CMuxFilter()
{
}

BOOL CMuxFilter::Initfilter()
{
    m_bRefreshPins = TRUE;
    if (!CFilterNode::Initfilter())
        return FALSE;
    return Configure(0);
}

BOOL CMuxFilter::Configure(LONG lMasterStream)
{
    if (!m_pFilter)
        return FALSE;
    ComPtr<IConfigAviMux> pMux;
    if (m_pFilter->QueryInterface(IID_IConfigAviMux, reinterpret_cast<void**>(&pMux)) != S_OK || !pMux)
        return FALSE;
    // A multiplexer without the switch (Wine's answers E_NOTIMPL) writes its
    // index its own way; the recording still works, so it is not refused.
    HRESULT hr = pMux->SetOutputCompatibilityIndex(TRUE);
    if (hr != S_OK && hr != E_NOTIMPL)
        return FALSE;
    pMux->SetMasterStream(lMasterStream);
    ComPtr<IConfigInterleaving> pInterleaving;
    if (m_pFilter->QueryInterface(IID_IConfigInterleaving, reinterpret_cast<void**>(&pInterleaving)) != S_OK ||
        !pInterleaving)
        return FALSE;
    REFERENCE_TIME interleave = 1000;
    REFERENCE_TIME preroll = 750;
    pInterleaving->put_Interleaving(&interleave, &preroll);
    pInterleaving->put_Mode(INTERLEAVE_NONE);
    return TRUE;
}
