#include "hardware/bus/DvbcRegisterAccess.h"

CDvbcRegisterAccess::CDvbcRegisterAccess() : m_owner(0)
{
}

CDvbcRegisterAccess::~CDvbcRegisterAccess()
{
    m_owner = 0;
}

HRESULT CDvbcRegisterAccess::Attach(IUnknown*, ULONG_PTR owner)
{
    if (m_owner == 0)
        m_owner = owner;
    return m_owner != 0 ? S_OK : E_FAIL;
}

HRESULT CDvbcRegisterAccess::Command1(BYTE)
{
    return E_NOTIMPL;
}
HRESULT CDvbcRegisterAccess::ReadByte(BYTE, LONG, BYTE*)
{
    return E_NOTIMPL;
}
HRESULT CDvbcRegisterAccess::WriteByte(BYTE, LONG, BYTE)
{
    return E_NOTIMPL;
}
HRESULT CDvbcRegisterAccess::I2CRead(BYTE*, LONG)
{
    return E_NOTIMPL;
}
HRESULT CDvbcRegisterAccess::I2CWrite(BYTE*, LONG)
{
    return E_NOTIMPL;
}
HRESULT CDvbcRegisterAccess::Command3(BYTE)
{
    return E_NOTIMPL;
}
HRESULT CDvbcRegisterAccess::ReadGpio(DWORD*)
{
    return E_NOTIMPL;
}
HRESULT CDvbcRegisterAccess::WriteGpio(DWORD, DWORD)
{
    return E_NOTIMPL;
}
HRESULT CDvbcRegisterAccess::SetGpioLine(LONG)
{
    return E_NOTIMPL;
}
HRESULT CDvbcRegisterAccess::Reserved16(DWORD, DWORD)
{
    return E_NOTIMPL;
}
HRESULT CDvbcRegisterAccess::ReadRegisterByte(DWORD, BYTE*)
{
    return E_NOTIMPL;
}
