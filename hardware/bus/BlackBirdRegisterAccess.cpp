#include "hardware/bus/BlackBirdRegisterAccess.h"

#include "hardware/bus/BusClock.h"
#include "hardware/bus/ScopedLock.h"
#include "hardware/bus/VendorPropertySet.h"

// {B9433C39-8511-4660-A2ED-E0911456DF74}
const GUID PROPSETID_BlackBirdCardControl =
    { 0xB9433C39, 0x8511, 0x4660, { 0xA2, 0xED, 0xE0, 0x91, 0x14, 0x56, 0xDF, 0x74 } };

CBlackBirdRegisterAccess::CBlackBirdRegisterAccess()
{
}

CBlackBirdRegisterAccess::~CBlackBirdRegisterAccess()
{
    m_pPropertySet.Reset();
}

HRESULT CBlackBirdRegisterAccess::Attach(IUnknown* pFilter, ULONG_PTR)
{
    CScopedLock lock(&m_cs);
    HRESULT hr = AttachKsPropertySet(pFilter, &m_pPropertySet);
    if (FAILED(hr))
        return hr;
    if (m_pPropertySet == NULL)
        return E_POINTER;
    DWORD support = 0;
    return m_pPropertySet->QuerySupported(PROPSETID_BlackBirdCardControl, VENDORPROP_CHIP_IDS, &support);
}

HRESULT CBlackBirdRegisterAccess::SendCommand(DWORD id, BYTE value)
{
    CScopedLock lock(&m_cs);
    if (m_pPropertySet == NULL)
        return E_FAIL;
    return VendorSendCommand(m_pPropertySet.Get(), id, value, PROPSETID_BlackBirdCardControl);
}

HRESULT CBlackBirdRegisterAccess::Command1(BYTE value)
{
    return SendCommand(VENDORPROP_COMMAND1, value);
}

HRESULT CBlackBirdRegisterAccess::Command3(BYTE value)
{
    return SendCommand(VENDORPROP_COMMAND3, value);
}

HRESULT CBlackBirdRegisterAccess::ReadByte(BYTE device, LONG subAddress, BYTE* pValue)
{
    CScopedLock lock(&m_cs);
    HRESULT hr = CheckByteRead(m_pPropertySet.Get(), subAddress, pValue);
    if (FAILED(hr))
        return hr;
    return VendorReadByte(m_pPropertySet.Get(), device, subAddress, pValue, PROPSETID_BlackBirdCardControl);
}

HRESULT CBlackBirdRegisterAccess::WriteByte(BYTE device, LONG subAddress, BYTE value)
{
    CScopedLock lock(&m_cs);
    if (m_pPropertySet == NULL)
        return E_FAIL;
    if (subAddress < 0)
        return E_INVALIDARG;
    return VendorWriteByte(m_pPropertySet.Get(), device, subAddress, value, PROPSETID_BlackBirdCardControl);
}

HRESULT CBlackBirdRegisterAccess::I2CRead(BYTE* pBuffer, LONG length)
{
    CScopedLock lock(&m_cs);
    if (m_pPropertySet == NULL)
        return E_FAIL;
    if (pBuffer == NULL)
        return E_POINTER;
    // The request has room for 256 bytes; a longer copy would run past it.
    if (length < 1 || length > MAX_I2C_TRANSFER)
        return E_INVALIDARG;
    return VendorI2CRead(m_pPropertySet.Get(), pBuffer, length, PROPSETID_BlackBirdCardControl);
}

HRESULT CBlackBirdRegisterAccess::I2CWrite(BYTE* pBuffer, LONG length)
{
    CScopedLock lock(&m_cs);
    if (m_pPropertySet == NULL)
        return E_FAIL;
    if (pBuffer == NULL)
        return E_POINTER;
    if (length < 2 || length > MAX_I2C_TRANSFER)
        return E_INVALIDARG;
    pBuffer[0] &= 0xFE;
    return VendorI2CWrite(m_pPropertySet.Get(), pBuffer, length, PROPSETID_BlackBirdCardControl);
}

HRESULT CBlackBirdRegisterAccess::ReadGpio(DWORD* pValue)
{
    CScopedLock lock(&m_cs);
    if (pValue == NULL)
        return E_POINTER;
    if (m_pPropertySet == NULL)
        return E_FAIL;
    return VendorReadGpio(m_pPropertySet.Get(), GPIO_READ_MASK, pValue, PROPSETID_BlackBirdCardControl);
}

HRESULT CBlackBirdRegisterAccess::WriteGpio(DWORD value, DWORD mask)
{
    CScopedLock lock(&m_cs);
    if (m_pPropertySet == NULL)
        return E_FAIL;
    HRESULT hr = VendorWriteGpio(m_pPropertySet.Get(), value, mask, PROPSETID_BlackBirdCardControl);
    BusSleep(GPIO_SETTLE_MS);
    return hr;
}

HRESULT CBlackBirdRegisterAccess::ReadRegister(DWORD, DWORD*)
{
    return E_FAIL;
}

HRESULT CBlackBirdRegisterAccess::WriteRegister(DWORD, DWORD)
{
    return E_FAIL;
}
