#include "dshow/HALSwitchFilter.h"

CHALSwitchFilter::CHALSwitchFilter(CDShowGraph* pGraph, REFCLSID clsid)
    : CFilterNode(pGraph, clsid), m_pRecord(NULL)
{
    OnConstruct();
    AcquireInterface();
}

CHALSwitchFilter::~CHALSwitchFilter()
{
    if (m_pRecord != NULL)
        m_pRecord->Release();
}

void CHALSwitchFilter::AcquireInterface()
{
    if (m_pRecord != NULL)
    {
        m_pRecord->Release();
        m_pRecord = NULL;
    }
    if (!m_pFilter)
        return;
    HRESULT hr = m_pFilter->QueryInterface(IID_IMpegRecordFilter, reinterpret_cast<void**>(&m_pRecord));
    if (FAILED(hr))
    {
        m_pRecord = NULL;
        m_bValid = FALSE;
    }
}

HRESULT CHALSwitchFilter::PauseRecord()
{
    return m_pRecord != NULL ? m_pRecord->PauseRecord() : E_FAIL;
}

HRESULT CHALSwitchFilter::ResumeRecord()
{
    return m_pRecord != NULL ? m_pRecord->ResumeRecord() : E_FAIL;
}

HRESULT CHALSwitchFilter::SetCreateDeliverThread()
{
    return m_pRecord != NULL ? m_pRecord->put_EnableCreateDeliverThread(0) : E_FAIL;
}

HRESULT CHALSwitchFilter::GetLostBFrame(long* plValue)
{
    return m_pRecord != NULL ? m_pRecord->get_EnableLostBFrame(plValue) : E_FAIL;
}

HRESULT CHALSwitchFilter::SetLostBFrame(long lValue)
{
    return m_pRecord != NULL ? m_pRecord->put_EnableLostBFrame(lValue) : E_FAIL;
}
