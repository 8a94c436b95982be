#include "hardware/bus/2388xRegisterAccess.h"

#include "hardware/bus/BusClock.h"
#include "hardware/bus/VendorPropertySet.h"

#include <string.h>

namespace
{
// Holds "GPIO_LOCK" for one request; Locked() is false when the wait failed.
class CGpioLockHold
{
public:
    explicit CGpioLockHold(CNamedMutex& mutex) : m_mutex(mutex), m_bLocked(mutex.Lock()) {}
    ~CGpioLockHold()
    {
        if (m_bLocked)
            m_mutex.Unlock();
    }
    BOOL Locked() const { return m_bLocked; }

private:
    CNamedMutex& m_mutex;
    BOOL m_bLocked;
};
}

C2388xRegisterAccess::C2388xRegisterAccess()
    : m_gpioLock("GPIO_LOCK", FALSE)
{
}

C2388xRegisterAccess::~C2388xRegisterAccess()
{
    m_pPropertySet.Reset();
    m_gpioLock.Close();
}

HRESULT C2388xRegisterAccess::Attach(IUnknown* pFilter, ULONG_PTR)
{
    m_pPropertySet.Reset();
    if (pFilter == NULL)
        return E_POINTER;
    return pFilter->QueryInterface(IID_IKsPropertySet, reinterpret_cast<void**>(&m_pPropertySet));
}

HRESULT C2388xRegisterAccess::SendCommand(DWORD id, BYTE value)
{
    if (m_pPropertySet == NULL)
        return E_FAIL;
    CGpioLockHold hold(m_gpioLock);
    if (!hold.Locked())
        return E_FAIL;
    VendorCommandRequest request;
    memset(&request, 0, sizeof(request));
    request.command = value;
    return VendorPropertySet(m_pPropertySet.Get(), id, &request, VENDORPROP_INSTANCE_DEFAULT);
}

HRESULT C2388xRegisterAccess::Command1(BYTE value)
{
    return SendCommand(VENDORPROP_COMMAND1, value);
}

HRESULT C2388xRegisterAccess::Command3(BYTE value)
{
    return SendCommand(VENDORPROP_COMMAND3, value);
}

HRESULT C2388xRegisterAccess::ReadByte(BYTE device, LONG subAddress, BYTE* pValue)
{
    if (m_pPropertySet == NULL)
        return E_FAIL;
    if (pValue == NULL)
        return E_POINTER;
    if (subAddress < 0)
        return E_INVALIDARG;
    CGpioLockHold hold(m_gpioLock);
    if (!hold.Locked())
        return E_FAIL;
    VendorByteRequest request;
    memset(&request, 0, sizeof(request));
    request.device = device;
    request.subAddress = subAddress;
    HRESULT hr = VendorPropertyGet(m_pPropertySet.Get(), VENDORPROP_BYTE, &request, VENDORPROP_INSTANCE_BYTE);
    if (SUCCEEDED(hr))
        *pValue = request.value;
    return hr;
}

HRESULT C2388xRegisterAccess::WriteByte(BYTE device, LONG subAddress, BYTE value)
{
    if (m_pPropertySet == NULL)
        return E_FAIL;
    if (subAddress < 0)
        return E_INVALIDARG;
    CGpioLockHold hold(m_gpioLock);
    if (!hold.Locked())
        return E_FAIL;
    VendorByteRequest request;
    memset(&request, 0, sizeof(request));
    request.device = device;
    request.subAddress = subAddress;
    request.value = value;
    return VendorPropertySet(m_pPropertySet.Get(), VENDORPROP_BYTE, &request, VENDORPROP_INSTANCE_BYTE);
}

HRESULT C2388xRegisterAccess::I2CRead(BYTE* pBuffer, LONG length)
{
    if (m_pPropertySet == NULL)
        return E_FAIL;
    if (pBuffer == NULL)
        return E_POINTER;
    // The request has room for 256 bytes; a longer one would run past it.
    if (length < 1 || length > MAX_I2C_TRANSFER)
        return E_INVALIDARG;
    CGpioLockHold hold(m_gpioLock);
    if (!hold.Locked())
        return E_FAIL;
    VendorI2CRequest request;
    memset(&request, 0, sizeof(request));
    memcpy(request.data, pBuffer, length);
    request.count = static_cast<DWORD>(length);
    HRESULT hr = VendorPropertyGet(m_pPropertySet.Get(), VENDORPROP_I2C, &request, VENDORPROP_INSTANCE_I2C);
    if (SUCCEEDED(hr))
        memcpy(pBuffer, request.data, length);
    return hr;
}

HRESULT C2388xRegisterAccess::I2CWrite(BYTE* pBuffer, LONG length)
{
    if (m_pPropertySet == NULL)
        return E_FAIL;
    if (pBuffer == NULL)
        return E_POINTER;
    if (length < 2 || length > MAX_I2C_TRANSFER)
        return E_INVALIDARG;
    CGpioLockHold hold(m_gpioLock);
    if (!hold.Locked())
        return E_FAIL;
    pBuffer[0] &= 0xFE;
    VendorI2CRequest request;
    memset(&request, 0, sizeof(request));
    memcpy(request.data, pBuffer, length);
    request.count = static_cast<DWORD>(length);
    return VendorPropertySet(m_pPropertySet.Get(), VENDORPROP_I2C, &request, VENDORPROP_INSTANCE_I2C);
}

HRESULT C2388xRegisterAccess::ReadGpio(DWORD* pValue)
{
    if (pValue == NULL)
        return E_POINTER;
    if (m_pPropertySet == NULL)
        return E_FAIL;
    CGpioLockHold hold(m_gpioLock);
    if (!hold.Locked())
        return E_FAIL;
    VendorGpioRequest request;
    memset(&request, 0, sizeof(request));
    request.mask = GPIO_READ_MASK;
    request.value = 0;
    HRESULT hr = VendorPropertyGet(m_pPropertySet.Get(), VENDORPROP_GPIO, &request, VENDORPROP_INSTANCE_DEFAULT);
    if (SUCCEEDED(hr))
        *pValue = request.value;
    return hr;
}

HRESULT C2388xRegisterAccess::WriteGpio(DWORD value, DWORD mask)
{
    if (m_pPropertySet == NULL)
        return E_FAIL;
    CGpioLockHold hold(m_gpioLock);
    if (!hold.Locked())
        return E_FAIL;
    VendorGpioRequest request;
    memset(&request, 0, sizeof(request));
    request.mask = mask;
    request.value = value;
    HRESULT hr = VendorPropertySet(m_pPropertySet.Get(), VENDORPROP_GPIO, &request, VENDORPROP_INSTANCE_DEFAULT);
    // The lines settle before anyone else may touch them.
    BusSleep(GPIO_SETTLE_MS);
    return hr;
}
