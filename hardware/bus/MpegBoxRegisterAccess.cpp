#include "hardware/bus/MpegBoxRegisterAccess.h"

#include "hardware/bus/ScopedLock.h"
#include "platform/dshow/ComPtr.h"

#include <strmif.h>
#include <ks.h>

// {D2185A40-0398-11D3-A53E-00A0C9EF506A}
const GUID PROPSETID_MpegBoxEncoder = {
    0xD2185A40, 0x0398, 0x11D3, { 0xA5, 0x3E, 0x00, 0xA0, 0xC9, 0xEF, 0x50, 0x6A }
};
// {EE6C0342-E3A9-11D2-A53E-00A0C9EF506A}
const GUID PROPSETID_MpegBoxFirmware = {
    0xEE6C0342, 0xE3A9, 0x11D2, { 0xA5, 0x3E, 0x00, 0xA0, 0xC9, 0xEF, 0x50, 0x6A }
};

namespace {
BOOL MpegBoxRequest(BOOL bSet, IUnknown* pFilter, REFGUID set, DWORD id, void* pInstance, DWORD cbInstance, void* pData,
                    DWORD cbData)
{
    if (pFilter == NULL)
        return FALSE;
    ComPtr<IKsPropertySet> pProps;
    if (FAILED(pFilter->QueryInterface(IID_IKsPropertySet, reinterpret_cast<void**>(&pProps))) || pProps == NULL)
        return FALSE;
    return MpegBoxPropertyRequest(pProps.Get(), bSet, set, id, pInstance, cbInstance, pData, cbData) == S_OK;
}

MpegBoxControlInstance MakeControl(DWORD device, BYTE code, DWORD reg)
{
    MpegBoxControlInstance instance;
    instance.device = device;
    instance.code = code;
    instance.reg = reg;
    return instance;
}
}  // namespace

HRESULT MpegBoxPropertyRequest(IKsPropertySet* pProps, BOOL bSet, REFGUID set, DWORD id, void* pInstance,
                               DWORD cbInstance, void* pData, DWORD cbData)
{
    DWORD support = 0;
    if (FAILED(pProps->QuerySupported(set, id, &support)))
        return S_FALSE;
    if (!(support & (bSet ? KSPROPERTY_SUPPORT_SET : KSPROPERTY_SUPPORT_GET)))
        return S_FALSE;
    if (pInstance == NULL)
    {
        pInstance = pData;
        cbInstance = cbData;
    }
    if (bSet)
        return pProps->Set(set, id, pInstance, cbInstance, pData, cbData);
    DWORD cbReturned = 0;
    return pProps->Get(set, id, pInstance, cbInstance, pData, cbData, &cbReturned);
}

BOOL MpegBoxGetProperty(IUnknown* pFilter, REFGUID set, DWORD id, void* pInstance, DWORD cbInstance, void* pData,
                        DWORD cbData)
{
    return MpegBoxRequest(FALSE, pFilter, set, id, pInstance, cbInstance, pData, cbData);
}

BOOL MpegBoxSetProperty(IUnknown* pFilter, REFGUID set, DWORD id, void* pInstance, DWORD cbInstance, void* pData,
                        DWORD cbData)
{
    return MpegBoxRequest(TRUE, pFilter, set, id, pInstance, cbInstance, pData, cbData);
}

BOOL MpegBoxControlRead(IUnknown* pFilter, DWORD device, BYTE code, DWORD reg, DWORD* pValue)
{
    MpegBoxControlInstance instance = MakeControl(device, code, reg);
    DWORD value = 0;
    if (!MpegBoxGetProperty(pFilter, PROPSETID_MpegBoxEncoder, MPEGBOX_PROPERTY_CONTROL, &instance, sizeof(instance),
                            &value, sizeof(value)))
        return FALSE;
    if (pValue != NULL)
        *pValue = value;
    return TRUE;
}

BOOL MpegBoxControlWrite(IUnknown* pFilter, DWORD device, BYTE code, DWORD reg, DWORD value)
{
    MpegBoxControlInstance instance = MakeControl(device, code, reg);
    return MpegBoxSetProperty(pFilter, PROPSETID_MpegBoxEncoder, MPEGBOX_PROPERTY_CONTROL, &instance, sizeof(instance),
                              &value, sizeof(value));
}

CMpegBoxRegisterAccess::CMpegBoxRegisterAccess() : m_pFilter(NULL)
{
    InitializeCriticalSection(&m_csBus);
}

CMpegBoxRegisterAccess::~CMpegBoxRegisterAccess()
{
    if (m_pFilter != NULL)
        m_pFilter->Release();
    DeleteCriticalSection(&m_csBus);
}

HRESULT CMpegBoxRegisterAccess::Attach(IUnknown* pFilter, ULONG_PTR)
{
    if (pFilter == NULL)
        return E_INVALIDARG;
    pFilter->AddRef();
    if (m_pFilter != NULL)
        m_pFilter->Release();
    m_pFilter = pFilter;
    return S_OK;
}

HRESULT CMpegBoxRegisterAccess::Command1(BYTE value)
{
    if (value == 0)
        return S_OK;
    return m_pFilter != NULL ? S_OK : E_FAIL;
}

HRESULT CMpegBoxRegisterAccess::ReadByte(BYTE device, LONG subAddress, BYTE* pValue)
{
    CScopedLock lock(&m_csBus);
    if (pValue == NULL)
        return E_POINTER;
    DWORD address = device >> 1;
    BYTE code = MPEGBOX_CODE_BYTE_READ;
    if (address == DECODER_ALIAS)
    {
        address = DECODER_ADDRESS;
        code = MPEGBOX_CODE_DECODER_READ;
    }
    DWORD value = 0;
    if (!MpegBoxControlRead(m_pFilter, address, code, static_cast<DWORD>(subAddress), &value))
        return E_FAIL;
    *pValue = static_cast<BYTE>(value);
    return S_OK;
}

HRESULT CMpegBoxRegisterAccess::WriteByte(BYTE device, LONG subAddress, BYTE value)
{
    CScopedLock lock(&m_csBus);
    return MpegBoxControlWrite(m_pFilter, device >> 1, MPEGBOX_CODE_BYTE_WRITE, static_cast<DWORD>(subAddress), value)
               ? S_OK
               : E_FAIL;
}

HRESULT CMpegBoxRegisterAccess::I2CRead(BYTE* pBuffer, LONG)
{
    CScopedLock lock(&m_csBus);
    if (pBuffer == NULL)
        return E_POINTER;
    DWORD value = 0;
    if (!MpegBoxControlRead(m_pFilter, pBuffer[0] >> 1, MPEGBOX_CODE_RECEIVE, 0, &value))
        return E_FAIL;
    pBuffer[0] = static_cast<BYTE>(value);
    return S_OK;
}

HRESULT CMpegBoxRegisterAccess::I2CWrite(BYTE* pBuffer, LONG length)
{
    CScopedLock lock(&m_csBus);
    if (pBuffer == NULL)
        return E_POINTER;
    // The request always carries the address and four bytes; a shorter
    // buffer would be read past its end.
    if (length < PLL_WRITE_LENGTH)
        return E_INVALIDARG;
    DWORD reg = pBuffer[1] * 256 + pBuffer[2];
    DWORD value = pBuffer[3] * 256 + pBuffer[4];
    return MpegBoxControlWrite(m_pFilter, pBuffer[0] >> 1, MPEGBOX_CODE_PLL_WRITE, reg, value) ? S_OK : E_FAIL;
}

HRESULT CMpegBoxRegisterAccess::Command3(BYTE)
{
    return E_NOTIMPL;
}

HRESULT CMpegBoxRegisterAccess::ReadGpio(DWORD*)
{
    return E_NOTIMPL;
}

HRESULT CMpegBoxRegisterAccess::WriteGpio(DWORD, DWORD)
{
    return E_NOTIMPL;
}
