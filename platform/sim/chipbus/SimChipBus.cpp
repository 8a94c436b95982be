#include "platform/sim/chipbus/SimChipBus.h"

#include "platform/sim/chipbus/SimLock.h"

#include <string.h>

namespace
{
enum { REG_GPIO_MASK = 0x1B0, REG_GPIO_VALUE = 0x1B4 };

SimBusEvent MakeEvent(int kind)
{
    SimBusEvent event;
    memset(&event, 0, sizeof(event));
    event.kind = kind;
    return event;
}
}

CSimChipBus::CSimChipBus()
    : m_gpioOutputs(0), m_gpioInputs(0), m_gpioInputMask(0), m_pGpioDevice(NULL),
      m_bInTransaction(false), m_bHaveAddress(false), m_bAcked(false), m_byAddress(0)
{
    InitializeCriticalSection(&m_cs);
}

CSimChipBus::~CSimChipBus()
{
    DeleteCriticalSection(&m_cs);
}

void CSimChipBus::AttachChip(BYTE writeAddress, ISimI2CChip* pChip)
{
    CSimLock lock(&m_cs);
    writeAddress &= 0xFE;
    for (size_t i = 0; i < m_chips.size(); ++i)
    {
        if (m_chips[i].address == writeAddress)
        {
            m_chips[i].pChip = pChip;
            return;
        }
    }
    ChipEntry entry = { writeAddress, pChip };
    m_chips.push_back(entry);
}

void CSimChipBus::DetachChip(BYTE writeAddress)
{
    CSimLock lock(&m_cs);
    writeAddress &= 0xFE;
    for (size_t i = 0; i < m_chips.size(); ++i)
    {
        if (m_chips[i].address == writeAddress)
        {
            m_chips.erase(m_chips.begin() + i);
            return;
        }
    }
}

ISimI2CChip* CSimChipBus::FindChip(BYTE address) const
{
    CSimLock lock(&m_cs);
    for (size_t i = 0; i < m_chips.size(); ++i)
    {
        if (m_chips[i].address == (address & 0xFE))
            return m_chips[i].pChip;
    }
    return NULL;
}

void CSimChipBus::Log(const SimBusEvent& event)
{
    m_log.push_back(event);
}

BOOL CSimChipBus::I2CWrite(BYTE address, const BYTE* pData, int count)
{
    CSimLock lock(&m_cs);
    ISimI2CChip* pChip = FindChip(address);
    SimBusEvent event = MakeEvent(pChip != NULL ? SIM_I2C_WRITE : SIM_I2C_NACK);
    event.address = address & 0xFE;
    event.count = count < 0 ? 0 : (count > 256 ? 256 : count);
    if (event.count > 0)
        memcpy(event.data, pData, event.count);
    Log(event);
    if (pChip == NULL)
        return FALSE;
    pChip->OnWrite(pData, count);
    return TRUE;
}

BOOL CSimChipBus::I2CRead(BYTE address, BYTE* pData, int count)
{
    CSimLock lock(&m_cs);
    ISimI2CChip* pChip = FindChip(address);
    SimBusEvent event = MakeEvent(pChip != NULL ? SIM_I2C_READ : SIM_I2C_NACK);
    event.address = address | 0x01;
    if (pChip == NULL)
    {
        Log(event);
        return FALSE;
    }
    pChip->OnRead(pData, count);
    event.count = count < 0 ? 0 : (count > 256 ? 256 : count);
    if (event.count > 0)
        memcpy(event.data, pData, event.count);
    Log(event);
    return TRUE;
}

void CSimChipBus::FlushTransaction()
{
    if (m_bHaveAddress && m_bAcked)
    {
        ISimI2CChip* pChip = FindChip(m_byAddress);
        SimBusEvent event = MakeEvent((m_byAddress & 1) ? SIM_I2C_READ : SIM_I2C_WRITE);
        event.address = m_byAddress;
        event.count = static_cast<int>(m_pending.size() > 256 ? 256 : m_pending.size());
        if (event.count > 0)
            memcpy(event.data, &m_pending[0], event.count);
        if (!(m_byAddress & 1) && pChip != NULL && !m_pending.empty())
            pChip->OnWrite(&m_pending[0], static_cast<int>(m_pending.size()));
        Log(event);
    }
    m_bInTransaction = false;
    m_bHaveAddress = false;
    m_bAcked = false;
    m_pending.clear();
}

void CSimChipBus::Start()
{
    CSimLock lock(&m_cs);
    if (m_bInTransaction)
        FlushTransaction();
    m_bInTransaction = true;
}

void CSimChipBus::Stop()
{
    CSimLock lock(&m_cs);
    FlushTransaction();
}

BOOL CSimChipBus::WriteByte(BYTE value)
{
    CSimLock lock(&m_cs);
    if (!m_bInTransaction)
        return FALSE;
    if (!m_bHaveAddress)
    {
        m_bHaveAddress = true;
        m_byAddress = value;
        m_bAcked = FindChip(value) != NULL;
        if (!m_bAcked)
        {
            SimBusEvent event = MakeEvent(SIM_I2C_NACK);
            event.address = value;
            Log(event);
        }
        return m_bAcked ? TRUE : FALSE;
    }
    if (!m_bAcked || (m_byAddress & 1))
        return FALSE;
    m_pending.push_back(value);
    return TRUE;
}

BYTE CSimChipBus::ReadByte()
{
    CSimLock lock(&m_cs);
    if (!m_bInTransaction || !m_bHaveAddress || !m_bAcked || !(m_byAddress & 1))
        return 0xFF;
    BYTE value = 0xFF;
    ISimI2CChip* pChip = FindChip(m_byAddress);
    if (pChip != NULL)
        pChip->OnRead(&value, 1);
    m_pending.push_back(value);
    return value;
}

DWORD CSimChipBus::GpioLines()
{
    DWORD value = (m_gpioOutputs & ~m_gpioInputMask) | (m_gpioInputs & m_gpioInputMask);
    return m_pGpioDevice != NULL ? m_pGpioDevice->OnGpioRead(value) : value;
}

void CSimChipBus::AttachGpioDevice(ISimGpioDevice* pDevice)
{
    CSimLock lock(&m_cs);
    m_pGpioDevice = pDevice;
}

DWORD CSimChipBus::ReadGpio()
{
    CSimLock lock(&m_cs);
    DWORD value = GpioLines();
    SimBusEvent event = MakeEvent(SIM_GPIO_READ);
    event.value = value;
    Log(event);
    return value;
}

void CSimChipBus::WriteGpio(DWORD value, DWORD mask)
{
    CSimLock lock(&m_cs);
    m_gpioOutputs = (m_gpioOutputs & ~mask) | (value & mask);
    if (m_pGpioDevice != NULL)
        m_pGpioDevice->OnGpioWrite(m_gpioOutputs);
    SimBusEvent event = MakeEvent(SIM_GPIO_WRITE);
    event.value = value;
    event.mask = mask;
    Log(event);
}

void CSimChipBus::SetGpioInputs(DWORD inputs, DWORD inputMask)
{
    CSimLock lock(&m_cs);
    m_gpioInputs = inputs;
    m_gpioInputMask = inputMask;
}

DWORD CSimChipBus::ReadRegister(DWORD reg)
{
    CSimLock lock(&m_cs);
    DWORD value = 0;
    if (reg == REG_GPIO_VALUE)
        value = GpioLines();
    else
    {
        for (size_t i = 0; i < m_registers.size(); ++i)
        {
            if (m_registers[i].first == reg)
                value = m_registers[i].second;
        }
    }
    SimBusEvent event = MakeEvent(SIM_REG_READ);
    event.reg = reg;
    event.value = value;
    Log(event);
    return value;
}

void CSimChipBus::WriteRegister(DWORD reg, DWORD value)
{
    CSimLock lock(&m_cs);
    SimBusEvent event = MakeEvent(SIM_REG_WRITE);
    event.reg = reg;
    event.value = value;
    Log(event);
    if (reg == REG_GPIO_VALUE)
    {
        DWORD mask = 0;
        for (size_t i = 0; i < m_registers.size(); ++i)
        {
            if (m_registers[i].first == REG_GPIO_MASK)
                mask = m_registers[i].second & 0x0FFFFFFF;
        }
        m_gpioOutputs = (m_gpioOutputs & ~mask) | (value & mask);
        if (m_pGpioDevice != NULL)
            m_pGpioDevice->OnGpioWrite(m_gpioOutputs);
        return;
    }
    for (size_t i = 0; i < m_registers.size(); ++i)
    {
        if (m_registers[i].first == reg)
        {
            m_registers[i].second = value;
            return;
        }
    }
    m_registers.push_back(std::make_pair(reg, value));
}

void CSimChipBus::LogCommand(DWORD command, DWORD argument)
{
    CSimLock lock(&m_cs);
    SimBusEvent event = MakeEvent(SIM_COMMAND);
    event.reg = command;
    event.value = argument;
    Log(event);
}

int CSimChipBus::GetEventCount() const
{
    CSimLock lock(&m_cs);
    return static_cast<int>(m_log.size());
}

BOOL CSimChipBus::GetEvent(int index, SimBusEvent* pEvent) const
{
    CSimLock lock(&m_cs);
    if (pEvent == NULL || index < 0 || index >= static_cast<int>(m_log.size()))
        return FALSE;
    *pEvent = m_log[index];
    return TRUE;
}

void CSimChipBus::ClearLog()
{
    CSimLock lock(&m_cs);
    m_log.clear();
}
