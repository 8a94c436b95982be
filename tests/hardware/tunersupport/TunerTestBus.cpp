#include "tests/hardware/tunersupport/TunerTestBus.h"

#include "hardware/bus/ScopedLock.h"

#include <stdio.h>

std::string TunerHex(const BYTE* p, int count)
{
    std::string s;
    char part[8];
    for (int i = 0; i < count; ++i)
    {
        sprintf(part, i == 0 ? "%02X" : " %02X", p[i]);
        s += part;
    }
    return s;
}

CTunerTestBus::CTunerTestBus()
    : m_nWrites(0), m_nFailWriteFrom(0), m_hrFailWrite(S_OK), m_nByteWrites(0), m_nFailByteFrom(0),
      m_hrFailByte(S_OK), m_hrGpioLine(S_OK)
{
    m_defaultRead.bytes.assign(1, 0);
    m_defaultRead.hr = E_FAIL;
    m_defaultReadByte = m_defaultRead;
}

void CTunerTestBus::Record(const std::string& line)
{
    CScopedLock lock(&m_cs);
    m_calls.push_back(line);
}

std::vector<std::string> CTunerTestBus::TakeCalls()
{
    CScopedLock lock(&m_cs);
    std::vector<std::string> calls;
    calls.swap(m_calls);
    return calls;
}

std::vector<std::string> CTunerTestBus::CallsStarting(const std::string& prefix) const
{
    std::vector<std::string> calls;
    for (size_t i = 0; i < m_calls.size(); ++i)
    {
        if (m_calls[i].compare(0, prefix.size(), prefix) == 0)
            calls.push_back(m_calls[i]);
    }
    return calls;
}

CTunerTestBus::Answer CTunerTestBus::NextByte(std::deque<Answer>& queue, const Answer& fallback)
{
    CScopedLock lock(&m_cs);
    if (queue.empty())
        return fallback;
    Answer answer = queue.front();
    queue.pop_front();
    return answer;
}

CTunerTestBus::Answer CTunerTestBus::NextRead()
{
    return NextByte(m_reads, m_defaultRead);
}

HRESULT CTunerTestBus::Attach(IUnknown*, ULONG_PTR)
{
    Record("Attach");
    return S_OK;
}

HRESULT CTunerTestBus::Command1(BYTE value)
{
    char line[32];
    sprintf(line, "Command1 %02X", value);
    Record(line);
    return S_OK;
}

HRESULT CTunerTestBus::Command3(BYTE value)
{
    char line[32];
    sprintf(line, "Command3 %02X", value);
    Record(line);
    return S_OK;
}

HRESULT CTunerTestBus::ReadByte(BYTE device, LONG subAddress, BYTE* pValue)
{
    char line[48];
    sprintf(line, "ReadByte %02X %ld", device, subAddress);
    Record(line);
    Answer answer = NextByte(m_readBytes, m_defaultReadByte);
    if (answer.hr == S_OK && pValue != NULL)
        *pValue = answer.bytes[0];
    return answer.hr;
}

HRESULT CTunerTestBus::WriteByte(BYTE device, LONG subAddress, BYTE value)
{
    char line[48];
    sprintf(line, "WriteByte %02X %ld %02X", device, subAddress, value);
    Record(line);
    ++m_nByteWrites;
    if (m_nFailByteFrom != 0 && m_nByteWrites >= m_nFailByteFrom)
        return m_hrFailByte;
    return S_OK;
}

HRESULT CTunerTestBus::I2CRead(BYTE* pBuffer, LONG length)
{
    Record("I2CRead " + TunerHex(pBuffer, 1) + " len " + std::to_string(length));
    Answer answer = NextRead();
    if (answer.hr == S_OK)
    {
        for (LONG i = 0; i < length; ++i)
            pBuffer[i] = i < static_cast<LONG>(answer.bytes.size()) ? answer.bytes[i] : answer.bytes.back();
    }
    return answer.hr;
}

HRESULT CTunerTestBus::I2CWrite(BYTE* pBuffer, LONG length)
{
    Record("I2CWrite " + TunerHex(pBuffer, length));
    ++m_nWrites;
    if (m_nFailWriteFrom != 0 && m_nWrites >= m_nFailWriteFrom)
        return m_hrFailWrite;
    return S_OK;
}

HRESULT CTunerTestBus::ReadGpio(DWORD* pValue)
{
    Record("ReadGpio");
    if (pValue != NULL)
        *pValue = 0;
    return S_OK;
}

HRESULT CTunerTestBus::WriteGpio(DWORD value, DWORD mask)
{
    char line[48];
    sprintf(line, "WriteGpio %08lX %08lX", value, mask);
    Record(line);
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
    Answer fallback;
    fallback.bytes.assign(1, 0);
    fallback.hr = E_FAIL;
    Answer answer = NextByte(m_registerBytes, fallback);
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

void CTunerTestBus::QueueRead(const std::vector<BYTE>& bytes, HRESULT hr)
{
    CScopedLock lock(&m_cs);
    Answer answer;
    answer.bytes = bytes.empty() ? std::vector<BYTE>(1, 0) : bytes;
    answer.hr = hr;
    m_reads.push_back(answer);
}

void CTunerTestBus::SetDefaultRead(BYTE value, HRESULT hr)
{
    CScopedLock lock(&m_cs);
    m_defaultRead.bytes.assign(1, value);
    m_defaultRead.hr = hr;
}

void CTunerTestBus::QueueReadByte(BYTE value, HRESULT hr)
{
    CScopedLock lock(&m_cs);
    Answer answer;
    answer.bytes.assign(1, value);
    answer.hr = hr;
    m_readBytes.push_back(answer);
}

void CTunerTestBus::SetDefaultReadByte(BYTE value, HRESULT hr)
{
    CScopedLock lock(&m_cs);
    m_defaultReadByte.bytes.assign(1, value);
    m_defaultReadByte.hr = hr;
}

void CTunerTestBus::QueueRegisterByte(BYTE value, HRESULT hr)
{
    CScopedLock lock(&m_cs);
    Answer answer;
    answer.bytes.assign(1, value);
    answer.hr = hr;
    m_registerBytes.push_back(answer);
}
