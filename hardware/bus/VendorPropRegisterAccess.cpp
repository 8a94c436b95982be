#include "hardware/bus/VendorPropRegisterAccess.h"

#include "hardware/bus/BusClock.h"
#include "hardware/bus/ScopedLock.h"
#include "hardware/bus/VendorPropertySet.h"

#include <string.h>

CVendorPropRegisterAccess::CVendorPropRegisterAccess()
{
}

CVendorPropRegisterAccess::~CVendorPropRegisterAccess()
{
    m_pPropertySet.Reset();
}

HRESULT CVendorPropRegisterAccess::Attach(IUnknown* pFilter, ULONG_PTR)
{
    return AttachKsPropertySet(pFilter, &m_pPropertySet);
}

HRESULT CVendorPropRegisterAccess::SendCommand(DWORD id, BYTE value)
{
    if (m_pPropertySet == NULL)
        return E_FAIL;
    return VendorSendCommand(m_pPropertySet.Get(), id, value);
}

HRESULT CVendorPropRegisterAccess::SendValue(DWORD id, DWORD value)
{
    CScopedLock lock(&m_cs);
    if (m_pPropertySet == NULL)
        return E_FAIL;
    if (id == VENDORPROP_COMMAND9)
    {
        VendorEmptyRequest request;
        memset(&request, 0, sizeof(request));
        return VendorPropertySet(m_pPropertySet.Get(), id, &request, VENDORPROP_INSTANCE_EMPTY);
    }
    VendorValueRequest request;
    memset(&request, 0, sizeof(request));
    request.value = value;
    return VendorPropertySet(m_pPropertySet.Get(), id, &request, VENDORPROP_INSTANCE_DEFAULT);
}

HRESULT CVendorPropRegisterAccess::Command1(BYTE value)
{
    return SendCommand(VENDORPROP_COMMAND1, value);
}

HRESULT CVendorPropRegisterAccess::Command3(BYTE value)
{
    return SendCommand(VENDORPROP_COMMAND3, value);
}

HRESULT CVendorPropRegisterAccess::ReadByte(BYTE device, LONG subAddress, BYTE* pValue)
{
    CScopedLock lock(&m_cs);
    HRESULT hr = CheckByteRead(m_pPropertySet.Get(), subAddress, pValue);
    if (FAILED(hr))
        return hr;
    return VendorReadByte(m_pPropertySet.Get(), device, subAddress, pValue);
}

HRESULT CVendorPropRegisterAccess::WriteByte(BYTE device, LONG subAddress, BYTE value)
{
    CScopedLock lock(&m_cs);
    if (m_pPropertySet == NULL)
        return E_FAIL;
    if (subAddress < 0)
        return E_INVALIDARG;
    return VendorWriteByte(m_pPropertySet.Get(), device, subAddress, value);
}

HRESULT CVendorPropRegisterAccess::I2CRead(BYTE* pBuffer, LONG length)
{
    CScopedLock lock(&m_cs);
    if (m_pPropertySet == NULL)
        return E_FAIL;
    if (pBuffer == NULL)
        return E_POINTER;
    // The property carries 256 bytes; a longer transfer would run past it.
    if (length < 1 || length > MAX_I2C_TRANSFER)
        return E_INVALIDARG;
    pBuffer[0] |= 0x01;
    return VendorI2CRead(m_pPropertySet.Get(), pBuffer, length);
}

HRESULT CVendorPropRegisterAccess::I2CWrite(BYTE* pBuffer, LONG length)
{
    CScopedLock lock(&m_cs);
    if (m_pPropertySet == NULL)
        return E_FAIL;
    if (pBuffer == NULL)
        return E_POINTER;
    if (length < 2 || length > MAX_I2C_TRANSFER)
        return E_INVALIDARG;
    pBuffer[0] &= 0xFE;
    return VendorI2CWrite(m_pPropertySet.Get(), pBuffer, length);
}

HRESULT CVendorPropRegisterAccess::ReadGpio(DWORD* pValue)
{
    CScopedLock lock(&m_cs);
    if (pValue == NULL)
        return E_POINTER;
    HRESULT hr = WriteRegister(REG_GPIO_MASK, 0x3000);
    if (FAILED(hr))
        return hr;
    hr = WriteRegister(REG_GPIO_MASK, GPIO_IDLE_MASK);
    if (FAILED(hr))
        return hr;
    return ReadRegister(REG_GPIO_VALUE, pValue);
}

HRESULT CVendorPropRegisterAccess::WriteGpioSequence(DWORD value, DWORD mask, DWORD pauseMs)
{
    HRESULT hr = WriteRegister(REG_GPIO_MASK, mask);
    if (FAILED(hr))
        return hr;
    hr = WriteRegister(REG_GPIO_MASK, mask | GPIO_LATCH);
    if (FAILED(hr))
        return hr;
    hr = WriteRegister(REG_GPIO_VALUE, value);
    if (FAILED(hr))
        return hr;
    if (pauseMs != 0)
        BusSleep(pauseMs);
    return WriteRegister(REG_GPIO_MASK, GPIO_IDLE_MASK);
}

HRESULT CVendorPropRegisterAccess::WriteGpio(DWORD value, DWORD mask)
{
    CScopedLock lock(&m_cs);
    return WriteGpioSequence(value, mask, GPIO_SETTLE_MS);
}

HRESULT CVendorPropRegisterAccess::SetGpioLine(LONG on)
{
    CScopedLock lock(&m_cs);
    DWORD mask = 0;
    DWORD value = 0;
    HRESULT hr = ReadRegister(REG_GPIO_MASK, &mask);
    if (FAILED(hr))
        return hr;
    hr = ReadRegister(REG_GPIO_VALUE, &value);
    if (FAILED(hr))
        return hr;
    hr = WriteRegister(REG_GPIO_MASK, mask | GPIO_RESET_LINE);
    if (FAILED(hr))
        return hr;
    return WriteRegister(REG_GPIO_VALUE, on ? (value | GPIO_RESET_LINE) : (value & ~DWORD(GPIO_RESET_LINE)));
}

HRESULT CVendorPropRegisterAccess::ReadRegisterByte(DWORD reg, BYTE* pValue)
{
    if (pValue == NULL)
        return E_POINTER;
    DWORD value = 0;
    HRESULT hr = ReadRegister(reg & ~DWORD(3), &value);
    if (SUCCEEDED(hr))
        *pValue = static_cast<BYTE>(value >> (8 * (reg & 3)));
    return hr;
}

HRESULT CVendorPropRegisterAccess::ReadRegister(DWORD reg, DWORD* pValue)
{
    if (m_pPropertySet == NULL)
        return E_FAIL;
    if (pValue == NULL)
        return E_POINTER;
    VendorRegisterRequest request;
    memset(&request, 0, sizeof(request));
    request.reg = reg;
    HRESULT hr = VendorPropertyGet(m_pPropertySet.Get(), VENDORPROP_REGISTER, &request, VENDORPROP_INSTANCE_DEFAULT);
    if (SUCCEEDED(hr))
        *pValue = request.value;
    return hr;
}

HRESULT CVendorPropRegisterAccess::WriteRegister(DWORD reg, DWORD value)
{
    if (m_pPropertySet == NULL)
        return E_FAIL;
    VendorRegisterRequest request;
    memset(&request, 0, sizeof(request));
    request.reg = reg;
    request.value = value;
    return VendorPropertySet(m_pPropertySet.Get(), VENDORPROP_REGISTER, &request, VENDORPROP_INSTANCE_DEFAULT);
}
