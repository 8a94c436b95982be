#pragma once

#include "hardware/devices/CaptureDevice.h"

#include <functional>

// A capture device around a bus the test owns: it never deletes the bus, and
// answers the video decoder's lock through a function the test gives.
class CTestCaptureDevice : public CCaptureDevice
{
public:
    CTestCaptureDevice(CRegisterAccess* pBus, int nCardKind = 0);
    ~CTestCaptureDevice() override;

    HRESULT IsSignalLocked(DWORD* pLocked) override;
    BOOL DetectTunerAddress(CTunerModule* pModule) override;

    void SetSignal(const std::function<HRESULT(DWORD*)>& signal) { m_signal = signal; }
    void SetCardKind(int nKind) { m_nCardKind = nKind; }
    int DetectCount() const { return m_nDetects; }

private:
    std::function<HRESULT(DWORD*)> m_signal;
    int m_nDetects;
};
