#include "hardware/bus/2388xRegisterAccess.h"

#include "hardware/bus/BusClock.h"
#include "hardware/bus/VendorPropertySet.h"

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
    return AttachKsPropertySet(pFilter, &m_pPropertySet);
}

HRESULT C2388xRegisterAccess::SendCommand(DWORD id, BYTE value)
{
    if (m_pPropertySet == NULL)
        return E_FAIL;
    CGpioLockHold hold(m_gpioLock);
    if (!hold.Locked())
        return E_FAIL;
    return VendorSendCommand(m_pPropertySet.Get(), id, value);
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
    HRESULT hr = CheckByteRead(m_pPropertySet.Get(), subAddress, pValue);
    if (FAILED(hr))
        return hr;
    CGpioLockHold hold(m_gpioLock);
    if (!hold.Locked())
        return E_FAIL;
    return VendorReadByte(m_pPropertySet.Get(), device, subAddress, pValue);
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
    return VendorWriteByte(m_pPropertySet.Get(), device, subAddress, value);
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
    return VendorI2CRead(m_pPropertySet.Get(), pBuffer, length);
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
    return VendorI2CWrite(m_pPropertySet.Get(), pBuffer, length);
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
    return VendorReadGpio(m_pPropertySet.Get(), GPIO_READ_MASK, pValue);
}

HRESULT C2388xRegisterAccess::WriteGpio(DWORD value, DWORD mask)
{
    if (m_pPropertySet == NULL)
        return E_FAIL;
    CGpioLockHold hold(m_gpioLock);
    if (!hold.Locked())
        return E_FAIL;
    HRESULT hr = VendorWriteGpio(m_pPropertySet.Get(), value, mask);
    // The lines settle before anyone else may touch them.
    BusSleep(GPIO_SETTLE_MS);
    return hr;
}
