#include "tests/hardware/tunersupport/SimTunerBus.h"

HRESULT CSimTunerBus::SetGpioLine(LONG on)
{
    m_pChips->WriteGpio(on ? RESET_LINE : 0, RESET_LINE);
    if (m_listener)
        m_listener(on != 0);
    return S_OK;
}

HRESULT CSimTunerBus::ReadRegisterByte(DWORD reg, BYTE* pValue)
{
    if (pValue == NULL)
        return E_POINTER;
    DWORD value = m_pChips->ReadRegister(reg & ~3u);
    *pValue = static_cast<BYTE>((value >> (8 * (reg & 3))) & 0xFF);
    return S_OK;
}

HRESULT CSimTunerBus::Reserved18(DWORD value)
{
    m_pChips->LogCommand(18, value);
    return S_OK;
}
