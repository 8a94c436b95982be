#include "tests/hardware/support/RecordingRegisterAccess.h"

#include "hardware/bus/ScopedLock.h"

#include <stdio.h>

std::string HexBytes(const BYTE* p, int count)
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

CRecordingRegisterAccess::CRecordingRegisterAccess()
    : m_hrWrite(S_OK)
{
    m_defaultRead.bytes.push_back(0);
    m_defaultRead.hr = E_FAIL;
}

void CRecordingRegisterAccess::Record(const std::string& line)
{
    CScopedLock lock(&m_cs);
    m_calls.push_back(line);
}

std::vector<std::string> CRecordingRegisterAccess::TakeCalls()
{
    CScopedLock lock(&m_cs);
    std::vector<std::string> calls;
    calls.swap(m_calls);
    return calls;
}

std::vector<std::string> CRecordingRegisterAccess::CallsStarting(const std::string& prefix) const
{
    std::vector<std::string> calls;
    for (size_t i = 0; i < m_calls.size(); ++i)
    {
        if (m_calls[i].compare(0, prefix.size(), prefix) == 0)
            calls.push_back(m_calls[i]);
    }
    return calls;
}

CRecordingRegisterAccess::Answer CRecordingRegisterAccess::NextAnswer(std::deque<Answer>& queue,
                                                                      const Answer& fallback)
{
    CScopedLock lock(&m_cs);
    if (queue.empty())
        return fallback;
    Answer answer = queue.front();
    queue.pop_front();
    return answer;
}

HRESULT CRecordingRegisterAccess::Attach(IUnknown*, ULONG_PTR)
{
    Record("Attach");
    return S_OK;
}

HRESULT CRecordingRegisterAccess::Command1(BYTE value)
{
    char line[32];
    sprintf(line, "Command1 %02X", value);
    Record(line);
    return S_OK;
}

HRESULT CRecordingRegisterAccess::Command3(BYTE value)
{
    char line[32];
    sprintf(line, "Command3 %02X", value);
    Record(line);
    return S_OK;
}

HRESULT CRecordingRegisterAccess::ReadByte(BYTE device, LONG subAddress, BYTE* pValue)
{
    char line[48];
    sprintf(line, "ReadByte %02X %ld", device, subAddress);
    Record(line);
    BYTE buffer[1] = { 0 };
    Answer answer = NextAnswer(m_reads, m_defaultRead);
    if (!answer.bytes.empty())
        buffer[0] = answer.bytes[0];
    if (SUCCEEDED(answer.hr) && pValue != NULL)
        *pValue = buffer[0];
    return answer.hr;
}

HRESULT CRecordingRegisterAccess::WriteByte(BYTE device, LONG subAddress, BYTE value)
{
    char line[48];
    sprintf(line, "WriteByte %02X %ld %02X", device, subAddress, value);
    Record(line);
    return m_hrWrite;
}

HRESULT CRecordingRegisterAccess::I2CRead(BYTE* pBuffer, LONG length)
{
    Record("I2CRead " + HexBytes(pBuffer, 1) + " len " + std::to_string(length));
    Answer answer = NextAnswer(m_reads, m_defaultRead);
    if (SUCCEEDED(answer.hr))
    {
        for (LONG i = 0; i < length; ++i)
            pBuffer[i] = i < static_cast<LONG>(answer.bytes.size()) ? answer.bytes[i] : answer.bytes.back();
    }
    return answer.hr;
}

HRESULT CRecordingRegisterAccess::I2CWrite(BYTE* pBuffer, LONG length)
{
    Record("I2CWrite " + HexBytes(pBuffer, length));
    return m_hrWrite;
}

HRESULT CRecordingRegisterAccess::ReadGpio(DWORD* pValue)
{
    Record("ReadGpio");
    std::pair<DWORD, HRESULT> answer(0, E_FAIL);
    {
        CScopedLock lock(&m_cs);
        if (!m_gpio.empty())
        {
            answer = m_gpio.front();
            m_gpio.pop_front();
        }
    }
    if (SUCCEEDED(answer.second))
        *pValue = answer.first;
    return answer.second;
}

HRESULT CRecordingRegisterAccess::WriteGpio(DWORD value, DWORD mask)
{
    char line[48];
    sprintf(line, "WriteGpio %08lX %08lX", value, mask);
    Record(line);
    return m_hrWrite;
}

void CRecordingRegisterAccess::QueueRead(const std::vector<BYTE>& bytes, HRESULT hr)
{
    CScopedLock lock(&m_cs);
    Answer answer;
    answer.bytes = bytes.empty() ? std::vector<BYTE>(1, 0) : bytes;
    answer.hr = hr;
    m_reads.push_back(answer);
}

void CRecordingRegisterAccess::SetDefaultRead(BYTE value, HRESULT hr)
{
    CScopedLock lock(&m_cs);
    m_defaultRead.bytes.assign(1, value);
    m_defaultRead.hr = hr;
}

void CRecordingRegisterAccess::QueueGpio(DWORD value, HRESULT hr)
{
    CScopedLock lock(&m_cs);
    m_gpio.push_back(std::make_pair(value, hr));
}
