#include "hardware/bus/RaptorRegisterAccess.h"

#include "hardware/bus/BusClock.h"
#include "hardware/bus/ScopedLock.h"

#include <ks.h>
#include <string.h>

// {16017E0E-CE9F-44B0-A203-05D05724A12B}
const GUID PROPSETID_RaptorCardControl = {
    0x16017E0E, 0xCE9F, 0x44B0, { 0xA2, 0x03, 0x05, 0xD0, 0x57, 0x24, 0xA1, 0x2B }
};

namespace {
// The chip at 0xBA answers these two registers only through its read address.
enum
{
    ALTERNATE_DEVICE = 0xBA,
    ALTERNATE_READ_DEVICE = 0xBB,
    ALTERNATE_FIRST = 0xAA,
    ALTERNATE_LAST = 0xAB
};

RaptorI2CRequest MakeRequest(BYTE mode, BYTE device, BYTE count)
{
    RaptorI2CRequest request;
    memset(&request, 0, sizeof(request));
    request.mode = mode;
    request.device = device;
    request.count = count;
    return request;
}
}  // namespace

CRaptorRegisterAccess::CRaptorRegisterAccess()
{
}

CRaptorRegisterAccess::~CRaptorRegisterAccess()
{
    m_pPropertySet.Reset();
}

HRESULT CRaptorRegisterAccess::Attach(IUnknown* pFilter, ULONG_PTR)
{
    if (pFilter == NULL)
        return E_POINTER;
    m_pPropertySet.Reset();
    return pFilter->QueryInterface(IID_IKsPropertySet, reinterpret_cast<void**>(&m_pPropertySet));
}

BYTE CRaptorRegisterAccess::ModeFor(BYTE device)
{
    return (device & 0xA0) == 0xA0 ? MODE_EEPROM : MODE_DEVICE;
}

HRESULT CRaptorRegisterAccess::Request(BOOL bSet, DWORD id, void* pBuffer, DWORD cbBuffer)
{
    if (m_pPropertySet == NULL)
        return E_FAIL;
    DWORD support = 0;
    HRESULT hr = m_pPropertySet->QuerySupported(PROPSETID_RaptorCardControl, id, &support);
    if (!(SUCCEEDED(hr) && (support & (bSet ? KSPROPERTY_SUPPORT_SET : KSPROPERTY_SUPPORT_GET))))
        return (id == RAPTOR_PROP_I2C_WRITE && FAILED(hr)) ? hr : E_FAIL;
    if (bSet)
        return m_pPropertySet->Set(PROPSETID_RaptorCardControl, id, pBuffer, cbBuffer, pBuffer, cbBuffer);
    DWORD cbReturned = 0;
    return m_pPropertySet->Get(PROPSETID_RaptorCardControl, id, pBuffer, cbBuffer, pBuffer, cbBuffer, &cbReturned);
}

HRESULT CRaptorRegisterAccess::WritePhase(RaptorI2CRequest* pRequest)
{
    return Request(TRUE, RAPTOR_PROP_I2C_WRITE, pRequest, sizeof(*pRequest));
}

HRESULT CRaptorRegisterAccess::ReadPhase(RaptorI2CRequest* pRequest)
{
    return Request(FALSE, RAPTOR_PROP_I2C_READ, pRequest, sizeof(*pRequest));
}

HRESULT CRaptorRegisterAccess::ReadBridgeRegister(DWORD reg, DWORD* pValue)
{
    RaptorRegisterRequest request = { reg, *pValue };
    HRESULT hr = Request(FALSE, RAPTOR_PROP_REGISTER_READ, &request, sizeof(request));
    if (SUCCEEDED(hr))
        *pValue = request.value;
    return hr;
}

HRESULT CRaptorRegisterAccess::WriteBridgeRegister(DWORD reg, DWORD value)
{
    RaptorRegisterRequest request = { reg, value };
    return Request(TRUE, RAPTOR_PROP_REGISTER_WRITE, &request, sizeof(request));
}

HRESULT CRaptorRegisterAccess::Command1(BYTE)
{
    return m_pPropertySet != NULL ? S_FALSE : S_OK;
}

HRESULT CRaptorRegisterAccess::Command3(BYTE)
{
    return m_pPropertySet != NULL ? S_FALSE : S_OK;
}

HRESULT CRaptorRegisterAccess::ReadByte(BYTE device, LONG subAddress, BYTE* pValue)
{
    CScopedLock lock(&m_cs);
    if (pValue == NULL)
        return E_POINTER;
    BYTE sub = static_cast<BYTE>(subAddress);
    BOOL bAlternate = device == ALTERNATE_DEVICE && sub >= ALTERNATE_FIRST && sub <= ALTERNATE_LAST;
    RaptorI2CRequest request = MakeRequest(bAlternate ? MODE_ALTERNATE_READ : ModeFor(device), device, 1);
    request.data[0] = sub;
    HRESULT hr = WritePhase(&request);
    if (FAILED(hr))
        return hr;
    if (bAlternate)
        request.device = ALTERNATE_READ_DEVICE;
    request.count = 1;
    hr = ReadPhase(&request);
    if (SUCCEEDED(hr))
        *pValue = request.data[0];
    return hr;
}

HRESULT CRaptorRegisterAccess::WriteByte(BYTE device, LONG subAddress, BYTE value)
{
    CScopedLock lock(&m_cs);
    // Every register, 0xBA's 0xAA and 0xAB included, takes a plain write:
    // only their reads go another way.
    RaptorI2CRequest request = MakeRequest(ModeFor(device), device, 2);
    request.data[0] = static_cast<BYTE>(subAddress);
    request.data[1] = value;
    return WritePhase(&request);
}

HRESULT CRaptorRegisterAccess::I2CRead(BYTE* pBuffer, LONG length)
{
    CScopedLock lock(&m_cs);
    if (pBuffer == NULL)
        return E_POINTER;
    if (length < 1 || length > RAPTOR_I2C_DATA)
        return E_INVALIDARG;
    RaptorI2CRequest request = MakeRequest(ModeFor(pBuffer[0]), pBuffer[0], 1);
    request.data[0] = pBuffer[0];
    HRESULT hr = WritePhase(&request);
    if (FAILED(hr))
        return hr;
    BusSleep(PAUSE_MS);
    request.count = static_cast<BYTE>(length);
    hr = ReadPhase(&request);
    if (SUCCEEDED(hr))
        memcpy(pBuffer, request.data, length);
    return hr;
}

HRESULT CRaptorRegisterAccess::I2CWrite(BYTE* pBuffer, LONG length)
{
    CScopedLock lock(&m_cs);
    if (pBuffer == NULL)
        return E_POINTER;
    // A write names its device and at least a sub-address.
    if (length < 2)
        return E_INVALIDARG;
    LONG count = length - 2;
    const BYTE* pData = pBuffer + 2;
    HRESULT hr = S_OK;
    do
    {
        LONG piece = count < PIECE_BYTES ? count : PIECE_BYTES;
        RaptorI2CRequest request = MakeRequest(MODE_DEVICE, pBuffer[0], static_cast<BYTE>(piece + 1));
        request.data[0] = pBuffer[1];
        memcpy(request.data + 1, pData, piece);
        hr = WritePhase(&request);
        if (FAILED(hr))
            return hr;
        pData += piece;
        count -= piece;
        if (length - 2 > PIECE_BYTES && piece == PIECE_BYTES)
            BusSleep(PAUSE_MS);
    } while (count > 0);
    return hr;
}

HRESULT CRaptorRegisterAccess::ReadGpio(DWORD* pValue)
{
    CScopedLock lock(&m_cs);
    if (pValue == NULL)
        return E_POINTER;
    DWORD low = 0, high = 0;
    HRESULT hr = ReadBridgeRegister(REG_GPIO_LOW, &low);
    if (FAILED(hr))
        return hr;
    hr = ReadBridgeRegister(REG_GPIO_HIGH, &high);
    if (FAILED(hr))
        return hr;
    *pValue = low | (high >> 16);
    return hr;
}

HRESULT CRaptorRegisterAccess::WriteGpio(DWORD value, DWORD mask)
{
    CScopedLock lock(&m_cs);
    WriteBridgeRegister(REG_GPIO_ENABLE_LOW, mask << 16);
    WriteBridgeRegister(REG_GPIO_ENABLE_HIGH, mask & 0xFFFF0000);
    WriteBridgeRegister(REG_GPIO_LOW, (value & 0xFFFF) | (mask << 16));
    return WriteBridgeRegister(REG_GPIO_HIGH, (value >> 16) | (mask & 0xFFFF0000));
}

HRESULT CRaptorRegisterAccess::WriteGpioDelayed(DWORD value, DWORD mask, DWORD)
{
    return WriteGpio(value, mask);
}

HRESULT CRaptorRegisterAccess::SetGpioLine(LONG)
{
    CScopedLock lock(&m_cs);
    WriteGpio(0, 2);
    BusSleep(LINE_PULSE_MS);
    HRESULT hr = WriteGpio(2, 2);
    BusSleep(LINE_PULSE_MS);
    return SUCCEEDED(hr) ? 1 : 0;
}

HRESULT CRaptorRegisterAccess::Reserved16(DWORD, DWORD)
{
    return E_NOTIMPL;
}

HRESULT CRaptorRegisterAccess::ReadRegisterByte(DWORD, BYTE*)
{
    return E_NOTIMPL;
}
