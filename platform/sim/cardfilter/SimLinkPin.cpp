#include "platform/sim/cardfilter/SimLinkPin.h"

CSimLinkPin::CSimLinkPin(CBaseFilter* pFilter, CCritSec* pLock, HRESULT* phr, LPCWSTR pName,
                         PIN_DIRECTION dir, const GUID& majorType, const GUID& subType)
    : CBasePin("link pin", pFilter, pLock, phr, pName, dir), m_majorType(majorType), m_subType(subType)
{
}

HRESULT CSimLinkPin::CheckMediaType(const CMediaType* pmt)
{
    if (pmt == nullptr || pmt->majortype != m_majorType)
        return S_FALSE;
    if (m_subType != GUID_NULL && pmt->subtype != m_subType)
        return S_FALSE;
    return S_OK;
}

HRESULT CSimLinkPin::GetMediaType(int iPosition, CMediaType* pMediaType)
{
    if (iPosition < 0)
        return E_INVALIDARG;
    if (iPosition > 0)
        return VFW_S_NO_MORE_ITEMS;
    pMediaType->InitMediaType();
    pMediaType->majortype = m_majorType;
    pMediaType->subtype = m_subType;
    pMediaType->formattype = FORMAT_None;
    pMediaType->bFixedSizeSamples = TRUE;
    pMediaType->lSampleSize = 1;
    return S_OK;
}

IPin* SimFindPin(IBaseFilter* pFilter, LPCWSTR pszName)
{
    ComPtr<IEnumPins> pEnum;
    if (pFilter == nullptr || FAILED(pFilter->EnumPins(&pEnum)) || !pEnum)
        return nullptr;
    ComPtr<IPin> pPin;
    while (pEnum->Next(1, &pPin, nullptr) == S_OK)
    {
        PIN_INFO info;
        if (SUCCEEDED(pPin->QueryPinInfo(&info)))
        {
            if (info.pFilter != nullptr)
                info.pFilter->Release();
            if (lstrcmpW(info.achName, pszName) == 0)
                return pPin.Detach();
        }
        pPin.Reset();
    }
    return nullptr;
}

HRESULT SimConnectLink(IFilterGraph* pGraph, IPin* pOut, IPin* pIn)
{
    if (pGraph == nullptr || pOut == nullptr || pIn == nullptr)
        return E_POINTER;
    ComPtr<IPin> pPeer;
    if (SUCCEEDED(pOut->ConnectedTo(&pPeer)) && pPeer)
        return pPeer.Get() == pIn ? S_OK : VFW_E_ALREADY_CONNECTED;
    return pGraph->ConnectDirect(pOut, pIn, nullptr);
}

// Four-character-code subtypes "B656" and "I2S ".
const GUID SIMSUBTYPE_BT656 = { 0x36353642, 0x0000, 0x0010, { 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71 } };
const GUID SIMSUBTYPE_I2S = { 0x20533249, 0x0000, 0x0010, { 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71 } };
