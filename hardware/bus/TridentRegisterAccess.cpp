#include "hardware/bus/TridentRegisterAccess.h"

#include "hardware/bus/BusClock.h"
#include "hardware/bus/ScopedLock.h"
#include "hardware/bus/VendorPropertySet.h"

CTridentRegisterAccessBase::CTridentRegisterAccessBase()
{
}

CTridentRegisterAccessBase::~CTridentRegisterAccessBase()
{
    m_pPropertySet.Reset();
}

HRESULT CTridentRegisterAccessBase::Attach(IUnknown* pFilter, ULONG_PTR)
{
    return AttachKsPropertySet(pFilter, &m_pPropertySet);
}

HRESULT CTridentRegisterAccessBase::SendRequest(UsbVendorRequest* pRequest)
{
    CScopedLock lock(&m_cs);
    if (m_pPropertySet == NULL || pRequest == NULL || pRequest->length > USBREQ_MAX_REQUEST)
        return S_FALSE;
    return UsbSendRequest(m_pPropertySet.Get(), pRequest);
}

HRESULT CTridentRegisterAccessBase::Command1(BYTE)
{
    return S_OK;
}

HRESULT CTridentRegisterAccessBase::Command3(BYTE)
{
    return S_FALSE;
}

HRESULT CTridentRegisterAccessBase::ReadGpio(DWORD*)
{
    return S_FALSE;
}

HRESULT CTridentRegisterAccessBase::WriteGpio(DWORD level, DWORD line)
{
    return WriteGpioLine(level, line);
}

HRESULT CTridentRegisterAccessBase::Reserved16(DWORD reg, DWORD value)
{
    CScopedLock lock(&m_cs);
    if (m_pPropertySet == NULL)
        return E_FAIL;
    return WriteBridgeRegister(static_cast<BYTE>(reg), static_cast<BYTE>(value));
}

HRESULT CTridentRegisterAccessBase::ReadRegisterByte(DWORD reg, BYTE* pValue)
{
    CScopedLock lock(&m_cs);
    if (m_pPropertySet == NULL || pValue == NULL)
        return E_FAIL;
    return ReadBridgeRegister(static_cast<BYTE>(reg), pValue);
}

HRESULT CTridentRegisterAccessBase::ReadRegister(DWORD, DWORD*)
{
    return E_FAIL;
}

HRESULT CTridentRegisterAccessBase::WriteRegister(DWORD, DWORD)
{
    return E_FAIL;
}

HRESULT CTridVidRegisterAccess::ReadByte(BYTE device, LONG subAddress, BYTE* pValue)
{
    if (m_pPropertySet == NULL)
        return E_POINTER;
    if (pValue == NULL)
        return E_POINTER;
    return ReadFirstByte(
        UsbMakeRequest(USBREQ_TYPE_IN, USBREQ_I2C, MAKEWORD(device & 0xFE, static_cast<BYTE>(subAddress)), 0, 1),
        pValue);
}

HRESULT CTridVidRegisterAccess::WriteByte(BYTE device, LONG subAddress, BYTE value)
{
    return BlockWrite(device, static_cast<BYTE>(subAddress), &value, 1);
}

HRESULT CTridVidRegisterAccess::I2CRead(BYTE* pBuffer, LONG length)
{
    CScopedLock lock(&m_cs);
    if (m_pPropertySet == NULL)
        return E_FAIL;
    if (pBuffer == NULL)
        return E_POINTER;
    if (length != 1)
        return E_INVALIDARG;
    return ReadFirstByte(UsbMakeRequest(USBREQ_TYPE_IN, USBREQ_I2C_RECEIVE, pBuffer[0] & 0xFE, 0, 1), pBuffer);
}

HRESULT CTridVidRegisterAccess::I2CWrite(BYTE* pBuffer, LONG length)
{
    CScopedLock lock(&m_cs);
    if (m_pPropertySet == NULL)
        return E_FAIL;
    if (pBuffer == NULL)
        return E_POINTER;
    if (length < MIN_WRITE || length > MAX_WRITE)
        return E_INVALIDARG;
    UsbVendorRequest request = UsbMakeRequest(USBREQ_TYPE_OUT, USBREQ_I2C, MAKEWORD(pBuffer[0], pBuffer[1]), 0,
                                              static_cast<WORD>(length - 2), pBuffer + 2, length - 2);
    HRESULT hr = SendRequest(&request);
    BusSleep(WRITE_PAUSE_MS);
    return hr;
}

HRESULT CTridVidRegisterAccess::SetGpioLine(LONG on)
{
    return WriteGpio(on == 0 ? 1 : 0, 0);
}

HRESULT CTridVidRegisterAccess::ReadI2CByte(BYTE device, LONG subAddress, BYTE* pValue)
{
    return ReadByte(device, subAddress, pValue);
}

HRESULT CTridentUsbRegisterAccess::ReadByte(BYTE device, LONG subAddress, BYTE* pValue)
{
    CScopedLock lock(&m_cs);
    if (m_pPropertySet == NULL)
        return E_FAIL;
    if (pValue == NULL)
        return E_POINTER;
    return ReadFirstByte(
        UsbMakeRequest(USBREQ_TYPE_IN, USBREQ_I2C, MAKEWORD(device & 0xFE, static_cast<BYTE>(subAddress)), 0, 1),
        pValue);
}

HRESULT CTridentUsbRegisterAccess::WriteByte(BYTE device, LONG subAddress, BYTE value)
{
    CScopedLock lock(&m_cs);
    if (m_pPropertySet == NULL)
        return E_FAIL;
    UsbVendorRequest request =
        UsbMakeRequest(USBREQ_TYPE_OUT, USBREQ_I2C, MAKEWORD(device, static_cast<BYTE>(subAddress)), value, 0);
    return SendRequest(&request);
}

HRESULT CTridentUsbRegisterAccess::I2CRead(BYTE* pBuffer, LONG length)
{
    return BlockRead(pBuffer, length);
}

HRESULT CTridentUsbRegisterAccess::I2CWrite(BYTE* pBuffer, LONG length)
{
    CScopedLock lock(&m_cs);
    return PiecewiseWrite(pBuffer, length);
}

HRESULT CTridentUsbRegisterAccess::SetGpioLine(LONG on)
{
    return WriteGpio(on != 0 ? 1 : 0, 1);
}

HRESULT CTridentUsbRegisterAccess::Reserved18(DWORD on)
{
    return WriteGpio(on != 0 ? 1 : 0, 0);
}

HRESULT CTridentUsbRegisterAccess::ReadRegister(BYTE device, BYTE subAddress, BYTE* pValue)
{
    if (m_pPropertySet == NULL || pValue == NULL)
        return E_POINTER;
    return ReadFirstByte(UsbMakeRequest(USBREQ_TYPE_IN, USBREQ_I2C, MAKEWORD(device, subAddress), 0, 1), pValue);
}

HRESULT CTridentUsbRegisterAccess::WriteRegister(BYTE device, BYTE subAddress, BYTE value)
{
    if (m_pPropertySet == NULL)
        return E_POINTER;
    return BlockWrite(device, subAddress, &value, 1);
}
