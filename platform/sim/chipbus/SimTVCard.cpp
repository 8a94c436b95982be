#include "platform/sim/chipbus/SimTVCard.h"

#include "platform/sim/chipbus/SimLock.h"

#include <string.h>

// {6E0F1B52-8C7A-4F3D-9A41-2B5D7C3E9F10}
const GUID PROPSETID_SimCardControl =
    { 0x6E0F1B52, 0x8C7A, 0x4F3D, { 0x9A, 0x41, 0x2B, 0x5D, 0x7C, 0x3E, 0x9F, 0x10 } };

namespace
{
// {C44A1A10-0A37-11D2-8328-006097BA83AB}
const GUID KS_CARD_SET = { 0xC44A1A10, 0x0A37, 0x11D2, { 0x83, 0x28, 0x00, 0x60, 0x97, 0xBA, 0x83, 0xAB } };

// What the driver answers when a chip does not acknowledge or a request is
// malformed.
const HRESULT HR_NO_DEVICE = static_cast<HRESULT>(0x8007001F);
const HRESULT HR_BAD_REQUEST = static_cast<HRESULT>(0x80070057);

DWORD GetU32(const BYTE* p, int offset)
{
    DWORD v;
    memcpy(&v, p + offset, 4);
    return v;
}

void PutU32(BYTE* p, int offset, DWORD v) { memcpy(p + offset, &v, 4); }
}

CSimTVCard::CSimTVCard()
    : m_pMcu(NULL), m_ksSetting(5)
{
    InitializeCriticalSection(&m_cs);
    SimCardChips chips = { PLL_ADDRESS, 0, EEPROM_ADDRESS, DEMOD_ADDRESS, 0, 'T', 5, NULL, 0, SIM_MCU_NONE };
    Build(chips);
}

CSimTVCard::CSimTVCard(const SimCardChips& chips)
    : m_pMcu(NULL), m_ksSetting(5)
{
    InitializeCriticalSection(&m_cs);
    Build(chips);
}

void CSimTVCard::Build(const SimCardChips& chips)
{
    m_eeprom.SetTuner(chips.tunerLetter, chips.tunerType);
    for (int i = 0; i < chips.eepromByteCount; ++i)
        m_eeprom.SetByte(chips.pEepromBytes[i].offset, chips.pEepromBytes[i].value);
    if (chips.pllAddress != 0)
        m_bus.AttachChip(chips.pllAddress, &m_pll);
    if (chips.secondPllAddress != 0)
        m_bus.AttachChip(chips.secondPllAddress, &m_pll2);
    if (chips.eepromAddress != 0)
        m_bus.AttachChip(chips.eepromAddress, &m_eeprom);
    if (chips.demodAddress != 0)
        m_bus.AttachChip(chips.demodAddress, &m_demod);
    if (chips.registerChipAddress != 0)
        m_bus.AttachChip(chips.registerChipAddress, &m_registers);
    if (chips.mcuLanes != SIM_MCU_NONE)
    {
        m_pMcu = new CSimMcu(chips.mcuLanes == SIM_MCU_SPLIT);
        m_bus.AttachGpioDevice(m_pMcu);
    }
}

CSimTVCard::~CSimTVCard()
{
    m_bus.AttachGpioDevice(NULL);
    delete m_pMcu;
    DeleteCriticalSection(&m_cs);
}

HRESULT CSimTVCard::VendorGet(DWORD id, BYTE* p, DWORD cb)
{
    CSimLock lock(&m_cs);
    switch (id)
    {
    case 0:
        if (cb < 28)
            return HR_BAD_REQUEST;
        // Bridge chip 0x7134, revision 1.
        p[24] = 0x34, p[25] = 0x71, p[26] = 0x01, p[27] = 0x00;
        return S_OK;
    case 2:
    {
        if (cb < 56)
            return HR_BAD_REQUEST;
        BYTE device = p[24];
        BYTE sub = static_cast<BYTE>(GetU32(p, 28));
        if (!m_bus.I2CWrite(device & 0xFE, &sub, 1))
            return HR_NO_DEVICE;
        return m_bus.I2CRead(device | 1, p + 32, 1) ? S_OK : HR_NO_DEVICE;
    }
    case 4:
        if (cb < 48)
            return HR_BAD_REQUEST;
        PutU32(p, 28, m_bus.ReadGpio() & GetU32(p, 24));
        return S_OK;
    case 5:
        if (cb < 48)
            return HR_BAD_REQUEST;
        PutU32(p, 28, m_bus.ReadRegister(GetU32(p, 24)));
        return S_OK;
    case 6:
    {
        DWORD count = cb >= 284 ? GetU32(p, 280) : 0;
        if (cb < 304 || count < 1 || count > 256)
            return HR_BAD_REQUEST;
        // A Get is a read whatever the address byte's read bit says.
        return m_bus.I2CRead(p[24] | 1, p + 24, static_cast<int>(count)) ? S_OK : HR_NO_DEVICE;
    }
    }
    return static_cast<HRESULT>(0x80070490);
}

HRESULT CSimTVCard::VendorSet(DWORD id, BYTE* p, DWORD cb)
{
    CSimLock lock(&m_cs);
    switch (id)
    {
    case 1:
    case 3:
        if (cb < 48)
            return HR_BAD_REQUEST;
        m_bus.LogCommand(id, p[24]);
        return S_OK;
    case 2:
    {
        if (cb < 56)
            return HR_BAD_REQUEST;
        BYTE data[2] = { static_cast<BYTE>(GetU32(p, 28)), p[32] };
        return m_bus.I2CWrite(p[24] & 0xFE, data, 2) ? S_OK : HR_NO_DEVICE;
    }
    case 4:
        if (cb < 48)
            return HR_BAD_REQUEST;
        m_bus.WriteGpio(GetU32(p, 28), GetU32(p, 24));
        return S_OK;
    case 5:
        if (cb < 48)
            return HR_BAD_REQUEST;
        m_bus.WriteRegister(GetU32(p, 24), GetU32(p, 28));
        return S_OK;
    case 6:
    {
        DWORD count = cb >= 284 ? GetU32(p, 280) : 0;
        if (cb < 304 || count < 2 || count > 256)
            return HR_BAD_REQUEST;
        return m_bus.I2CWrite(p[24] & 0xFE, p + 25, static_cast<int>(count - 1)) ? S_OK : HR_NO_DEVICE;
    }
    case 7:
    case 8:
    case 10:
        if (cb < 48)
            return HR_BAD_REQUEST;
        m_bus.LogCommand(id, GetU32(p, 24));
        return S_OK;
    case 9:
        if (cb < 40)
            return HR_BAD_REQUEST;
        m_bus.LogCommand(id, 0);
        return S_OK;
    }
    return static_cast<HRESULT>(0x80070490);
}

HRESULT CSimTVCard::KsRequest(ULONG ioControl, BYTE* p, ULONG inLength, BYTE* pOut, ULONG outLength)
{
    if (ioControl != 0x2F0003 || p == NULL || p != pOut || inLength != outLength || inLength < 32 ||
        memcmp(p, &KS_CARD_SET, sizeof(GUID)) != 0)
        return HR_BAD_REQUEST;
    DWORD id = GetU32(p, 16);
    DWORD flags = GetU32(p, 20);
    DWORD command = GetU32(p, 24);
    if ((id == 4 && inLength != 120) || (id == 2 && inLength != 328) || (id != 2 && id != 4))
        return HR_BAD_REQUEST;
    // The command runs on the SET; the GET hands back what it left in the buffer.
    if (flags != 2)
        return S_OK;
    CSimLock lock(&m_cs);
    switch (command)
    {
    case 0x1100000B: m_bus.Start(); break;
    case 0x1100000C: m_bus.Stop(); break;
    case 0x1100000E:
        if (!m_bus.WriteByte(p[50]))
            return HR_NO_DEVICE;
        break;
    case 0x1100000D: p[50] = m_bus.ReadByte(); break;
    case 0x11000010: break;
    case 0x11000018: m_bus.LogCommand(0x18, p[50]); break;
    case 0x10000002: PutU32(p, 28, m_ksSetting); break;
    case 2: m_ksSetting = GetU32(p, 36); break;
    case 0x1000000A:
        // The GPIO block is read only with the driver's setting 0.
        if (m_ksSetting != 0)
            return HR_BAD_REQUEST;
        memset(p + 72, 0, 256);
        PutU32(p, 72, m_bus.ReadGpio());
        break;
    case 10:
        if (m_ksSetting != 0)
            return HR_BAD_REQUEST;
        m_bus.WriteGpio(GetU32(p, 72), GetU32(p, 76));
        break;
    case 0x1000000C: m_bus.LogCommand(0x1000000C, 0); break;
    default: break;
    }
    PutU32(p, 28, command == 0x10000002 ? m_ksSetting : 0);
    return S_OK;
}

void CSimTVCard::SetStations(const SimStation* pStations, int count)
{
    CSimLock lock(&m_cs);
    m_pll.SetStations(pStations, count);
    m_pll2.SetStations(pStations, count);
}

void CSimTVCard::SetTunerConfig(const CSimPllTuner::Config& config)
{
    CSimLock lock(&m_cs);
    m_pll.SetConfig(config);
    m_pll2.SetConfig(config);
}

void CSimTVCard::SetEepromTuner(char letter, BYTE type)
{
    CSimLock lock(&m_cs);
    m_eeprom.SetTuner(letter, type);
}

void CSimTVCard::SetGpioInputs(DWORD inputs, DWORD inputMask) { m_bus.SetGpioInputs(inputs, inputMask); }
int CSimTVCard::GetEventCount() { return m_bus.GetEventCount(); }
BOOL CSimTVCard::GetEvent(int index, SimBusEvent* pEvent) { return m_bus.GetEvent(index, pEvent); }
void CSimTVCard::ClearLog() { m_bus.ClearLog(); }
ISimI2CChip* CSimTVCard::GetChip(BYTE address) { return m_bus.FindChip(address); }

void CSimTVCard::SetEepromByte(BYTE offset, BYTE value)
{
    CSimLock lock(&m_cs);
    m_eeprom.SetByte(offset, value);
}

void CSimTVCard::SetRegisterChipByte(BYTE offset, BYTE value)
{
    CSimLock lock(&m_cs);
    m_registers.SetByte(offset, value);
}

BYTE CSimTVCard::GetRegisterChipByte(BYTE offset)
{
    CSimLock lock(&m_cs);
    return m_registers.GetByte(offset);
}

void CSimTVCard::PressMcuKey(BYTE key, int reads)
{
    CSimLock lock(&m_cs);
    if (m_pMcu != NULL)
        m_pMcu->PressKey(key, reads);
}

WORD CSimTVCard::GetMcuValue()
{
    CSimLock lock(&m_cs);
    return m_pMcu != NULL ? m_pMcu->GetValue() : 0;
}

void CSimTVCard::SetMcuSilent(BOOL bSilent)
{
    CSimLock lock(&m_cs);
    if (m_pMcu != NULL)
        m_pMcu->SetSilent(bSilent != FALSE);
}
