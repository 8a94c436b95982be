#pragma once

#include "tests/hardware/support/RecordingRegisterAccess.h"

// The recording bus with the slots the tuner models add. Besides the lines of
// the recording bus, "SetGpioLine 0", "ReadRegisterByte 3A" and "Reserved18 1".
// Byte reads, register bytes and GPIO reads are answered apart from the I2C
// reads; writes can be made to fail from the n-th call on.
class CTunerTestBus : public CRecordingRegisterAccess
{
public:
    CTunerTestBus();

    HRESULT ReadByte(BYTE device, LONG subAddress, BYTE* pValue) override;
    HRESULT WriteByte(BYTE device, LONG subAddress, BYTE value) override;
    HRESULT I2CWrite(BYTE* pBuffer, LONG length) override;
    HRESULT ReadGpio(DWORD* pValue) override;
    HRESULT SetGpioLine(LONG on) override;
    HRESULT ReadRegisterByte(DWORD reg, BYTE* pValue) override;
    HRESULT Reserved18(DWORD value) override;

    void QueueReadByte(BYTE value, HRESULT hr = S_OK);
    void SetDefaultReadByte(BYTE value, HRESULT hr = S_OK);
    void QueueRegisterByte(BYTE value, HRESULT hr = S_OK);
    // I2CWrite number n (from 1) and every later one return hr.
    void FailI2CWriteFrom(int n, HRESULT hr) { m_nFailWriteFrom = n; m_hrFailWrite = hr; }
    void FailWriteByteFrom(int n, HRESULT hr) { m_nFailByteFrom = n; m_hrFailByte = hr; }
    void SetGpioLineResult(HRESULT hr) { m_hrGpioLine = hr; }

private:
    void QueueByte(std::deque<Answer>& queue, BYTE value, HRESULT hr);

    std::deque<Answer> m_readBytes;
    Answer m_defaultReadByte;
    std::deque<Answer> m_registerBytes;
    Answer m_noRegisterByte;
    int m_nWrites;
    int m_nFailWriteFrom;
    HRESULT m_hrFailWrite;
    int m_nByteWrites;
    int m_nFailByteFrom;
    HRESULT m_hrFailByte;
    HRESULT m_hrGpioLine;
};
