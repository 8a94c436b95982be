#pragma once

#include "hardware/bus/RegisterAccess.h"

#include <deque>
#include <string>
#include <vector>

// A bus access that records every call and answers reads from a queue the
// test fills. Each call is a line such as "I2CWrite C0 05 72 CE 01".
class CRecordingRegisterAccess : public CRegisterAccess
{
public:
    CRecordingRegisterAccess();

    HRESULT Attach(IUnknown* pFilter, ULONG_PTR context) override;
    HRESULT Command1(BYTE value) override;
    HRESULT ReadByte(BYTE device, LONG subAddress, BYTE* pValue) override;
    HRESULT WriteByte(BYTE device, LONG subAddress, BYTE value) override;
    HRESULT I2CRead(BYTE* pBuffer, LONG length) override;
    HRESULT I2CWrite(BYTE* pBuffer, LONG length) override;
    HRESULT Command3(BYTE value) override;
    HRESULT ReadGpio(DWORD* pValue) override;
    HRESULT WriteGpio(DWORD value, DWORD mask) override;

    // The next I2CRead fills its buffer with these bytes (or fails with hr).
    void QueueRead(const std::vector<BYTE>& bytes, HRESULT hr = S_OK);
    // Every I2CRead when the queue is empty.
    void SetDefaultRead(BYTE value, HRESULT hr = S_OK);
    void QueueGpio(DWORD value, HRESULT hr = S_OK);
    void SetWriteResult(HRESULT hr) { m_hrWrite = hr; }

    const std::vector<std::string>& Calls() const { return m_calls; }
    std::vector<std::string> TakeCalls();
    // The calls that start with the prefix.
    std::vector<std::string> CallsStarting(const std::string& prefix) const;

protected:
    struct Answer
    {
        std::vector<BYTE> bytes;
        HRESULT hr;
    };
    void Record(const std::string& line);
    // The queue's first answer, taken off it, or the fallback when it is empty.
    Answer NextAnswer(std::deque<Answer>& queue, const Answer& fallback);

private:
    std::vector<std::string> m_calls;
    std::deque<Answer> m_reads;
    Answer m_defaultRead;
    std::deque<std::pair<DWORD, HRESULT> > m_gpio;
    HRESULT m_hrWrite;
};

std::string HexBytes(const BYTE* p, int count);
