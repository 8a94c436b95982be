#include "hardware/tuners/TunerI2CBus.h"

#include "hardware/tuners/TunerBusOps.h"

#include <new>

int CTunerI2CBus::WriteRegister(BYTE device, BYTE subAddress, BYTE value)
{
    if (m_pRegisterAccess == NULL)
        return 0;
    for (int attempt = 0; attempt < ATTEMPTS; ++attempt)
    {
        if (IsBusOk(m_pRegisterAccess->WriteByte(device, subAddress, value)))
            return 1;
    }
    return 0;
}

int CTunerI2CBus::ReadRegister(BYTE device, BYTE subAddress, BYTE* pValue)
{
    if (m_pRegisterAccess == NULL || pValue == NULL)
        return 0;
    for (int attempt = 0; attempt < ATTEMPTS; ++attempt)
    {
        if (IsBusOk(m_pRegisterAccess->ReadByte(device, subAddress, pValue)))
            return 1;
    }
    return 0;
}

int CTunerI2CBus::WriteBlock(BYTE device, const BYTE* pData, DWORD length)
{
    if (m_pRegisterAccess == NULL || (pData == NULL && length > 0))
        return 0;
    BYTE* pBuffer = new (std::nothrow) BYTE[length + 1];
    if (pBuffer == NULL)
        return 0;
    pBuffer[0] = device;
    for (DWORD i = 0; i < length; ++i)
        pBuffer[i + 1] = pData[i];
    HRESULT hr = m_pRegisterAccess->I2CWrite(pBuffer, static_cast<LONG>(length + 1));
    delete[] pBuffer;
    return IsBusOk(hr) ? 1 : 0;
}

int CTunerI2CBus::ReadByteDirect(BYTE device, BYTE subAddress, BYTE* pValue)
{
    if (m_pRegisterAccess == NULL || pValue == NULL)
        return 0;
    BYTE buffer[3] = { device, subAddress, *pValue };
    if (!IsBusOk(m_pRegisterAccess->I2CRead(buffer, 1)))
        return 0;
    *pValue = buffer[0];
    return 1;
}

int CTunerI2CBus::WriteByteDirect(BYTE device, BYTE subAddress, BYTE value)
{
    if (m_pRegisterAccess == NULL)
        return 0;
    BYTE buffer[3] = { device, subAddress, value };
    return IsBusOk(m_pRegisterAccess->I2CWrite(buffer, 3)) ? 1 : 0;
}

int CTunerI2CBus::SetBit(BYTE device, BYTE subAddress, int bit, BOOL on)
{
    BYTE value = 0;
    if (!ReadRegister(device | 1, subAddress, &value))
        return 0;
    BYTE mask = static_cast<BYTE>(1 << bit);
    value = on ? (value | mask) : (value & ~mask);
    return WriteRegister(device & 0xFE, subAddress, value);
}

int CTunerI2CBus::TestBit(BYTE device, BYTE subAddress, int bit, BOOL* pSet)
{
    BYTE value = 0;
    if (pSet == NULL || !ReadRegister(device | 1, subAddress, &value))
        return 0;
    *pSet = (value & (1 << bit)) != 0;
    return 1;
}

int CTunerI2CBus::ProbeDemodulator()
{
    BYTE value = 0;
    return ReadRegister(0x97, 1, &value);
}

int CTunerI2CBus::ProbeTuner()
{
    BYTE value = 0;
    return ReadRegister(0xC3, 0, &value);
}
