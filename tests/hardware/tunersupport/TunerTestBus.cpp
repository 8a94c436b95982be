#include "tests/hardware/tunersupport/TunerTestBus.h"

#include "hardware/bus/ScopedLock.h"

#include <stdio.h>

CTunerTestBus::CTunerTestBus()
    : m_nWrites(0), m_nFailWriteFrom(0), m_hrFailWrite(S_OK), m_nByteWrites(0), m_nFailByteFrom(0),
      m_hrFailByte(S_OK), m_hrGpioLine(S_OK)
{
    m_defaultReadByte.bytes.assign(1, 0);
    m_defaultReadByte.hr = E_FAIL;
    m_noRegisterByte = m_defaultReadByte;
}

// Only S_OK delivers a byte here, as the tuner models count only S_OK as a
// transfer that happened.
HRESULT CTunerTestBus::ReadByte(BYTE device, LONG subAddress, BYTE* pValue)
{
    char line[48];
    sprintf(line, "ReadByte %02X %ld", device, subAddress);
    Record(line);
    Answer answer = NextAnswer(m_readBytes, m_defaultReadByte);
    if (answer.hr == S_OK && pValue != NULL)
        *pValue = answer.bytes[0];
    return answer.hr;
}

HRESULT CTunerTestBus::WriteByte(BYTE device, LONG subAddress, BYTE value)
{
    HRESULT hr = CRecordingRegisterAccess::WriteByte(device, subAddress, value);
    ++m_nByteWrites;
    if (m_nFailByteFrom != 0 && m_nByteWrites >= m_nFailByteFrom)
        return m_hrFailByte;
    return hr;
}

HRESULT CTunerTestBus::I2CWrite(BYTE* pBuffer, LONG length)
{
    HRESULT hr = CRecordingRegisterAccess::I2CWrite(pBuffer, length);
    ++m_nWrites;
    if (m_nFailWriteFrom != 0 && m_nWrites >= m_nFailWriteFrom)
        return m_hrFailWrite;
    return hr;
}

HRESULT CTunerTestBus::ReadGpio(DWORD* pValue)
{
    Record("ReadGpio");
    if (pValue != NULL)
        *pValue = 0;
    return S_OK;
}

HRESULT CTunerTestBus::SetGpioLine(LONG on)
{
    char line[32];
    sprintf(line, "SetGpioLine %ld", on);
    Record(line);
    return m_hrGpioLine;
}

HRESULT CTunerTestBus::ReadRegisterByte(DWORD reg, BYTE* pValue)
{
    char line[32];
    sprintf(line, "ReadRegisterByte %02lX", reg);
    Record(line);
    Answer answer = NextAnswer(m_registerBytes, m_noRegisterByte);
    if (answer.hr == S_OK && pValue != NULL)
        *pValue = answer.bytes[0];
    return answer.hr;
}

HRESULT CTunerTestBus::Reserved18(DWORD value)
{
    char line[32];
    sprintf(line, "Reserved18 %lu", value);
    Record(line);
    return S_OK;
}

void CTunerTestBus::QueueByte(std::deque<Answer>& queue, BYTE value, HRESULT hr)
{
    CScopedLock lock(&m_cs);
    Answer answer;
    answer.bytes.assign(1, value);
    answer.hr = hr;
    queue.push_back(answer);
}

void CTunerTestBus::QueueReadByte(BYTE value, HRESULT hr)
{
    QueueByte(m_readBytes, value, hr);
}

void CTunerTestBus::SetDefaultReadByte(BYTE value, HRESULT hr)
{
    CScopedLock lock(&m_cs);
    m_defaultReadByte.bytes.assign(1, value);
    m_defaultReadByte.hr = hr;
}

void CTunerTestBus::QueueRegisterByte(BYTE value, HRESULT hr)
{
    QueueByte(m_registerBytes, value, hr);
}
