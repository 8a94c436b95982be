#include "tests/hardware/tunersupport/TestCaptureDevice.h"

CTestCaptureDevice::CTestCaptureDevice(CRegisterAccess* pBus, int nCardKind)
    : CCaptureDevice(NULL, static_cast<IBaseFilter*>(NULL)), m_nDetects(0)
{
    m_pRegisterAccess = pBus;
    m_nCardKind = nCardKind;
}

CTestCaptureDevice::~CTestCaptureDevice()
{
    // The bus belongs to the test.
    m_pRegisterAccess = NULL;
}

HRESULT CTestCaptureDevice::IsSignalLocked(DWORD* pLocked)
{
    if (!m_signal)
        return E_FAIL;
    return m_signal(pLocked);
}

BOOL CTestCaptureDevice::DetectTunerAddress(CTunerModule* pModule)
{
    ++m_nDetects;
    return CCaptureDevice::DetectTunerAddress(pModule);
}
