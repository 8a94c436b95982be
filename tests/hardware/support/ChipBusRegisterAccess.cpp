#include "tests/hardware/support/ChipBusRegisterAccess.h"

HRESULT CChipBusRegisterAccess::Attach(IUnknown*, ULONG_PTR) { return S_OK; }

HRESULT CChipBusRegisterAccess::Command1(BYTE value)
{
    m_pBus->LogCommand(1, value);
    return S_OK;
}

HRESULT CChipBusRegisterAccess::Command3(BYTE value)
{
    m_pBus->LogCommand(3, value);
    return S_OK;
}

HRESULT CChipBusRegisterAccess::ReadByte(BYTE device, LONG subAddress, BYTE* pValue)
{
    if (pValue == NULL)
        return E_POINTER;
    if (subAddress < 0)
        return E_INVALIDARG;
    BYTE sub = static_cast<BYTE>(subAddress);
    if (!m_pBus->I2CWrite(device & 0xFE, &sub, 1))
        return E_FAIL;
    return m_pBus->I2CRead(device | 1, pValue, 1) ? S_OK : E_FAIL;
}

HRESULT CChipBusRegisterAccess::WriteByte(BYTE device, LONG subAddress, BYTE value)
{
    if (subAddress < 0)
        return E_INVALIDARG;
    BYTE data[2] = { static_cast<BYTE>(subAddress), value };
    return m_pBus->I2CWrite(device & 0xFE, data, 2) ? S_OK : E_FAIL;
}

HRESULT CChipBusRegisterAccess::I2CRead(BYTE* pBuffer, LONG length)
{
    if (pBuffer == NULL)
        return E_POINTER;
    if (length < 1 || length > MAX_I2C_TRANSFER)
        return E_INVALIDARG;
    return m_pBus->I2CRead(pBuffer[0] | 1, pBuffer, length) ? S_OK : E_FAIL;
}

HRESULT CChipBusRegisterAccess::I2CWrite(BYTE* pBuffer, LONG length)
{
    if (pBuffer == NULL)
        return E_POINTER;
    if (length < 2 || length > MAX_I2C_TRANSFER)
        return E_INVALIDARG;
    return m_pBus->I2CWrite(pBuffer[0] & 0xFE, pBuffer + 1, length - 1) ? S_OK : E_FAIL;
}

HRESULT CChipBusRegisterAccess::ReadGpio(DWORD* pValue)
{
    if (pValue == NULL)
        return E_POINTER;
    *pValue = m_pBus->ReadGpio();
    return S_OK;
}

HRESULT CChipBusRegisterAccess::WriteGpio(DWORD value, DWORD mask)
{
    m_pBus->WriteGpio(value, mask);
    return S_OK;
}

HRESULT CChipBusRegisterAccess::ReadRegister(DWORD reg, DWORD* pValue)
{
    if (pValue == NULL)
        return E_POINTER;
    *pValue = m_pBus->ReadRegister(reg);
    return S_OK;
}

HRESULT CChipBusRegisterAccess::WriteRegister(DWORD reg, DWORD value)
{
    m_pBus->WriteRegister(reg, value);
    return S_OK;
}
