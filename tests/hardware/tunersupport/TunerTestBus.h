#pragma once

#include "hardware/bus/RegisterAccess.h"

#include <deque>
#include <string>
#include <vector>

// A recording bus for the tuner models. Every call is a line such as
// "I2CWrite C0 05 72 CE 01", "I2CRead 87 len 1", "WriteByte 86 0 16",
// "ReadByte 42 31", "SetGpioLine 0", "ReadRegisterByte 3A", "Reserved18 1",
// "WriteGpio 00000001 00000000". Reads are answered from queues the test
// fills; writes can be made to fail from the n-th call on.
class CTunerTestBus : public CRegisterAccess
{
public:
    CTunerTestBus();

    HRESULT Attach(IUnknown* pFilter, ULONG_PTR context) override;
    HRESULT Command1(BYTE value) override;
    HRESULT ReadByte(BYTE device, LONG subAddress, BYTE* pValue) override;
    HRESULT WriteByte(BYTE device, LONG subAddress, BYTE value) override;
    HRESULT I2CRead(BYTE* pBuffer, LONG length) override;
    HRESULT I2CWrite(BYTE* pBuffer, LONG length) override;
    HRESULT Command3(BYTE value) override;
    HRESULT ReadGpio(DWORD* pValue) override;
    HRESULT WriteGpio(DWORD value, DWORD mask) override;
    HRESULT SetGpioLine(LONG on) override;
    HRESULT ReadRegisterByte(DWORD reg, BYTE* pValue) override;
    HRESULT Reserved18(DWORD value) override;

    // The next I2CRead fills its buffer with these bytes (the last repeated).
    void QueueRead(const std::vector<BYTE>& bytes, HRESULT hr = S_OK);
    // Every I2CRead when the queue is empty (failure unless set).
    void SetDefaultRead(BYTE value, HRESULT hr = S_OK);
    void QueueReadByte(BYTE value, HRESULT hr = S_OK);
    void SetDefaultReadByte(BYTE value, HRESULT hr = S_OK);
    void QueueRegisterByte(BYTE value, HRESULT hr = S_OK);
    // I2CWrite number n (from 1) and every later one return hr.
    void FailI2CWriteFrom(int n, HRESULT hr) { m_nFailWriteFrom = n; m_hrFailWrite = hr; }
    void FailWriteByteFrom(int n, HRESULT hr) { m_nFailByteFrom = n; m_hrFailByte = hr; }
    void SetGpioLineResult(HRESULT hr) { m_hrGpioLine = hr; }

    const std::vector<std::string>& Calls() const { return m_calls; }
    std::vector<std::string> TakeCalls();
    // The calls that start with the prefix.
    std::vector<std::string> CallsStarting(const std::string& prefix) const;

private:
    struct Answer
    {
        std::vector<BYTE> bytes;
        HRESULT hr;
    };
    void Record(const std::string& line);
    Answer NextRead();
    Answer NextByte(std::deque<Answer>& queue, const Answer& fallback);

    std::vector<std::string> m_calls;
    std::deque<Answer> m_reads;
    Answer m_defaultRead;
    std::deque<Answer> m_readBytes;
    Answer m_defaultReadByte;
    std::deque<Answer> m_registerBytes;
    int m_nWrites;
    int m_nFailWriteFrom;
    HRESULT m_hrFailWrite;
    int m_nByteWrites;
    int m_nFailByteFrom;
    HRESULT m_hrFailByte;
    HRESULT m_hrGpioLine;
};

std::string TunerHex(const BYTE* p, int count);
