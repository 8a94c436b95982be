#include "platform/sim/cardfilter/SimCardFilter.h"

#include "platform/ks/KsDeviceIo.h"

namespace
{
// {FC8FACFF-0293-4CE3-8594-4F638CCD6BB0}
const GUID VENDOR_SET = { 0xFC8FACFF, 0x0293, 0x4CE3, { 0x85, 0x94, 0x4F, 0x63, 0x8C, 0xCD, 0x6B, 0xB0 } };
// {C44A1A10-0A37-11D2-8328-006097BA83AB}
const GUID KS_CARD_SET = { 0xC44A1A10, 0x0A37, 0x11D2, { 0x83, 0x28, 0x00, 0x60, 0x97, 0xBA, 0x83, 0xAB } };
}

CSimCardFilter::CSimCardFilter(const char* pName, IUnknown* pUnk, REFCLSID clsid, CSimTVCard* pCard,
                               const std::vector<DWORD>& vendorProperties, BOOL bKernelStreaming, HRESULT* phr)
    : CBaseFilter(pName, pUnk, &m_lock, clsid, phr),
      m_pCard(pCard),
      m_bKernelStreaming(bKernelStreaming),
      m_hDevice(NULL)
{
    for (DWORD id : vendorProperties)
    {
        CSimTVCard* pTheCard = pCard;
        AddKsProperty(VENDOR_SET, id,
                      [pTheCard, id](void*, DWORD, void* pData, DWORD cbData, DWORD* pcbReturned) {
                          HRESULT hr = pTheCard->VendorGet(id, static_cast<BYTE*>(pData), cbData);
                          *pcbReturned = SUCCEEDED(hr) ? cbData : 0;
                          return hr;
                      },
                      [pTheCard, id](void*, DWORD, void* pData, DWORD cbData) {
                          return pTheCard->VendorSet(id, static_cast<BYTE*>(pData), cbData);
                      });
    }
    if (bKernelStreaming)
    {
        // Known to the property set only so that the device can be told apart.
        AddKsProperty(KS_CARD_SET, 4,
                      [](void*, DWORD, void*, DWORD, DWORD* pcbReturned) { *pcbReturned = 0; return S_OK; },
                      [](void*, DWORD, void*, DWORD) { return S_OK; });
        m_hDevice = CreateEventA(NULL, FALSE, FALSE, NULL);
        KsDeviceIoRegister(m_hDevice, &CSimCardFilter::Route, this);
    }
    ISimCardControl* pControl = pCard;
    AddKsProperty(PROPSETID_SimCardControl, SIMCARD_PROPERTY_CONTROL,
                  [pControl](void*, DWORD, void* pData, DWORD cbData, DWORD* pcbReturned) {
                      if (pData == nullptr || cbData < sizeof(pControl))
                          return E_INVALIDARG;
                      memcpy(pData, &pControl, sizeof(pControl));
                      *pcbReturned = sizeof(pControl);
                      return S_OK;
                  },
                  nullptr);
}

CSimCardFilter::~CSimCardFilter()
{
    if (m_hDevice != NULL)
    {
        KsDeviceIoUnregister(m_hDevice);
        CloseHandle(m_hDevice);
    }
}

STDMETHODIMP CSimCardFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (m_bKernelStreaming && riid == __uuidof(IKsObject))
        return GetInterface(static_cast<IKsObject*>(this), ppv);
    return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP_(HANDLE) CSimCardFilter::KsGetObjectHandle()
{
    return m_hDevice;
}

HRESULT CSimCardFilter::Route(void* pContext, ULONG ioControl, void* pIn, ULONG inLength, void* pOut,
                              ULONG outLength, ULONG* pReturned)
{
    CSimCardFilter* pThis = static_cast<CSimCardFilter*>(pContext);
    HRESULT hr = pThis->m_pCard->KsRequest(ioControl, static_cast<BYTE*>(pIn), inLength, static_cast<BYTE*>(pOut),
                                           outLength);
    *pReturned = SUCCEEDED(hr) ? outLength : 0;
    return hr;
}
