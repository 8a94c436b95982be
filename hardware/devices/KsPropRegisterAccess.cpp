#include "hardware/devices/KsPropRegisterAccess.h"

#include "hardware/bus/ScopedLock.h"
#include "hardware/bus/VendorPropertySet.h"

CKsPropRegisterAccess::CKsPropRegisterAccess()
{
}

CKsPropRegisterAccess::~CKsPropRegisterAccess()
{
}

HRESULT CKsPropRegisterAccess::WriteGpio(DWORD value, DWORD mask)
{
    CScopedLock lock(&m_cs);
    return WriteGpioSequence(value, mask, 0);
}

HRESULT CKsPropRegisterAccess::WriteGpioDelayed(DWORD value, DWORD mask, DWORD delayMs)
{
    CScopedLock lock(&m_cs);
    return WriteGpioSequence(value, mask, delayMs);
}

HRESULT CKsPropRegisterAccess::Command7(DWORD value)
{
    return SendValue(VENDORPROP_COMMAND7, value);
}

HRESULT CKsPropRegisterAccess::Command8(DWORD value)
{
    return SendValue(VENDORPROP_COMMAND8, value);
}

HRESULT CKsPropRegisterAccess::Command9()
{
    return SendValue(VENDORPROP_COMMAND9, 0);
}

HRESULT CKsPropRegisterAccess::Command10(DWORD value)
{
    return SendValue(VENDORPROP_COMMAND10, value);
}
