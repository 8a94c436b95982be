#include "dshow/VfwCodecFilter.h"

CVfwCodecFilter::CVfwCodecFilter(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CVfwCodecFilter::CVfwCodecFilter(CDShowGraph* pGraph, const GUID* pCategory, LPCSTR pszName,
                                 BOOL bExclude)
    : CFilterNode(pGraph, pCategory, pszName, bExclude)
{
    if (!Initfilter())
        m_bValid = FALSE;
}

CVfwCodecFilter::~CVfwCodecFilter()
{
    m_pDialogs.Reset();
}

BOOL CVfwCodecFilter::Initfilter()
{
    m_pDialogs.Reset();
    if (!CFilterNode::Initfilter())
        return FALSE;
    // A codec without dialogs is still a codec.
    ComQuery(m_pFilter.Get(), IID_IAMVfwCompressDialogs, m_pDialogs);
    return TRUE;
}

BOOL CVfwCodecFilter::ShowDialog(int nDialog, HWND hwndOwner)
{
    if (!m_pDialogs)
        return FALSE;
    return SUCCEEDED(m_pDialogs->ShowDialog(nDialog, hwndOwner));
}

BOOL CVfwCodecFilter::GetState(LPVOID pState, int* pcbState)
{
    if (!m_pDialogs || pcbState == NULL)
        return FALSE;
    return m_pDialogs->GetState(pState, pcbState) == S_OK;
}

BOOL CVfwCodecFilter::SetState(LPVOID pState, int cbState)
{
    if (!m_pDialogs)
        return FALSE;
    return m_pDialogs->SetState(pState, cbState) == S_OK;
}
