#pragma once
// Test filters served to CoCreateInstance from this process (CoRegisterClassObject),
// so the graph creates them by class identifier like any other filter.
#include <dshow.h>

// A push source with one output pin offering MEDIATYPE_Video / MEDIASUBTYPE_YUY2.
extern const CLSID CLSID_TestVideoSource;
// A push source of 64 x 48 RGB32 pictures (VIDEOINFOHEADER), for a video renderer.
extern const CLSID CLSID_TestRgbSource;
// A renderer whose input pin "In" can be told to refuse Disconnect.
extern const CLSID CLSID_TestStuckSink;

void SetSinksStuck(bool bStuck);
LONG StuckDisconnectCalls();

// Registers (and on destruction revokes) one class object in this apartment.
class ClassObjectRegistration
{
public:
    typedef HRESULT (*PFN_CREATE)(REFIID riid, void** ppv);
    ClassObjectRegistration(REFCLSID clsid, PFN_CREATE pfnCreate);
    ~ClassObjectRegistration();
    HRESULT Result() const { return m_hr; }

private:
    DWORD m_dwCookie;
    HRESULT m_hr;
};

HRESULT CreateTestVideoSource(REFIID riid, void** ppv);
HRESULT CreateTestRgbSource(REFIID riid, void** ppv);
HRESULT CreateTestStuckSink(REFIID riid, void** ppv);
// Always fails with E_FAIL: stands in for a system class that cannot be made.
HRESULT CreateNothing(REFIID riid, void** ppv);
