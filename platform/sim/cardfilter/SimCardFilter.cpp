#include "platform/sim/cardfilter/SimCardFilter.h"

#include "platform/ks/KsDeviceIo.h"
#include "platform/sim/cardfilter/SimDvDevice.h"
#include "platform/sim/cardfilter/SimDvbcDriver.h"
#include "platform/sim/cardfilter/SimEncoderDriver.h"
#include "platform/sim/cardfilter/SimGo7007Driver.h"
#include "platform/sim/cardfilter/SimRaptorDriver.h"
#include "platform/sim/cardfilter/SimUsbBridge.h"
#include "platform/sim/cardfilter/SimUsbRequestDriver.h"

namespace {
// {FC8FACFF-0293-4CE3-8594-4F638CCD6BB0}
const GUID VENDOR_SET = { 0xFC8FACFF, 0x0293, 0x4CE3, { 0x85, 0x94, 0x4F, 0x63, 0x8C, 0xCD, 0x6B, 0xB0 } };
// {C44A1A10-0A37-11D2-8328-006097BA83AB}
const GUID KS_CARD_SET = { 0xC44A1A10, 0x0A37, 0x11D2, { 0x83, 0x28, 0x00, 0x60, 0x97, 0xBA, 0x83, 0xAB } };
}  // namespace

CSimCardFilter::CSimCardFilter(const SimFilterRow& row, const SimCardRow& card, CSimTVCard* pCard, IUnknown* pUnk,
                               HRESULT* phr)
    : CBaseFilter("SimCardFilter", pUnk, &m_lock, *row.clsid, phr), m_pCard(pCard), m_bus(row.bus), m_hDevice(NULL)
{
    for (int i = 0; i < row.pinCount; ++i)
    {
        const SimPinRow& pin = row.pins[i];
        m_pins.emplace_back(new CSimLinkPin(this, &m_lock, phr, pin.name, pin.bOutput ? PINDIR_OUTPUT : PINDIR_INPUT,
                                            *pin.majorType, GUID_NULL));
    }
    switch (row.bus)
    {
    case SIMBUS_VENDOR_SET:
        AddVendorSet(row.vendorProperties, row.vendorPropertyCount);
        break;
    case SIMBUS_KS_DEVICE:
        // Known to the property set only so that the device can be told apart.
        AddKsProperty(
            KS_CARD_SET, 4,
            [](void*, DWORD, void*, DWORD, DWORD* pcbReturned) {
                *pcbReturned = 0;
                return S_OK;
            },
            [](void*, DWORD, void*, DWORD) { return S_OK; });
        m_hDevice = CreateEventA(NULL, FALSE, FALSE, NULL);
        KsDeviceIoRegister(m_hDevice, &CSimCardFilter::Route, this);
        break;
    case SIMBUS_ENCODER_CONTROL:
        SimAddEncoderDriver(this, pCard, card);
        break;
    case SIMBUS_USB_BRIDGE:
        m_pBridge.reset(new CSimUsbBridge(GetOwner(), pCard));
        break;
    case SIMBUS_USB_REQUESTS:
        SimAddUsbRequestDriver(this, pCard, card);
        break;
    case SIMBUS_RAPTOR:
        SimAddRaptorDriver(this, pCard);
        break;
    case SIMBUS_RAPTOR_ENCODER:
        SimAddRaptorEncoder(this);
        break;
    case SIMBUS_BDA:
        SimAdd713xBdaDriver(this, pCard);
        break;
    case SIMBUS_GO7007:
        m_pGo7007.reset(new CSimGo7007Bus(GetOwner(), pCard));
        m_pGo7007Encoder.reset(new CSimGo7007Encoder(GetOwner()));
        m_pins.emplace_back(new CSimGo7007Pin(this, &m_lock, phr, L"Video Capture", FALSE));
        m_pins.emplace_back(new CSimGo7007Pin(this, &m_lock, phr, L"Video Preview", FALSE));
        m_pins.emplace_back(new CSimGo7007Pin(this, &m_lock, phr, L"Audio Capture", TRUE));
        break;
    case SIMBUS_DV_DEVICE:
        m_pDv.reset(new CSimDvDevice(GetOwner()));
        break;
    case SIMBUS_DVBC:
        m_pDvbc.reset(new CSimDvbcControl(GetOwner(), pCard));
        break;
    case SIMBUS_NONE:
    case SIMBUS_DEVICE_INTERFACE:
        break;
    }
    ISimCardControl* pControl = pCard;
    AddKsProperty(
        PROPSETID_SimCardControl, SIMCARD_PROPERTY_CONTROL,
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

void CSimCardFilter::AddVendorSet(const DWORD* pProperties, int count)
{
    CSimTVCard* pCard = m_pCard;
    for (int i = 0; i < count; ++i)
    {
        DWORD id = pProperties[i];
        AddKsProperty(
            VENDOR_SET, id,
            [pCard, id](void*, DWORD, void* pData, DWORD cbData, DWORD* pcbReturned) {
                HRESULT hr = pCard->VendorGet(id, static_cast<BYTE*>(pData), cbData);
                *pcbReturned = SUCCEEDED(hr) ? cbData : 0;
                return hr;
            },
            [pCard, id](void*, DWORD, void* pData, DWORD cbData) {
                return pCard->VendorSet(id, static_cast<BYTE*>(pData), cbData);
            });
    }
}

CBasePin* CSimCardFilter::GetPin(int n)
{
    return n >= 0 && n < GetPinCount() ? m_pins[n].get() : nullptr;
}

STDMETHODIMP CSimCardFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (m_bus == SIMBUS_KS_DEVICE && riid == __uuidof(IKsObject))
        return GetInterface(static_cast<IKsObject*>(this), ppv);
    if (m_pBridge && riid == SIMIID_Usb2800Bridge)
        return GetInterface(m_pBridge.get(), ppv);
    if (m_pGo7007 && riid == SIMIID_Go7007Bus)
        return GetInterface(m_pGo7007.get(), ppv);
    if (m_pGo7007Encoder && riid == SIMIID_Go7007Encoder)
        return GetInterface(m_pGo7007Encoder.get(), ppv);
    if (m_pDv && m_pDv->Find(riid) != nullptr)
        return GetInterface(static_cast<LPUNKNOWN>(m_pDv->Find(riid)), ppv);
    if (m_pDvbc && riid == SIMIID_DvbcControl)
        return GetInterface(m_pDvbc.get(), ppv);
    return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP_(HANDLE) CSimCardFilter::KsGetObjectHandle()
{
    return m_hDevice;
}

HRESULT CSimCardFilter::Route(void* pContext, ULONG ioControl, void* pIn, ULONG inLength, void* pOut, ULONG outLength,
                              ULONG* pReturned)
{
    CSimCardFilter* pThis = static_cast<CSimCardFilter*>(pContext);
    HRESULT hr =
        pThis->m_pCard->KsRequest(ioControl, static_cast<BYTE*>(pIn), inLength, static_cast<BYTE*>(pOut), outLength);
    *pReturned = SUCCEEDED(hr) ? outLength : 0;
    return hr;
}
