// The simulated Philips 713x cards. "713x TV Card Capture" carries its bus on
// the vendor property set (registers, GPIO behind 0x1B0/0x1B4, I2C);
// "713x KS TV Capture" is a card whose driver takes kernel-streaming requests
// on its object handle.
#include "platform/dshow/ClassFactory.h"
#include "platform/sim/cardfilter/SimCardFilter.h"

#include <new>

namespace
{
// {5A2E8B30-19C4-4D7A-8F3E-6C1B9D0A2E41}
const CLSID CLSID_Sim713xCapture = { 0x5A2E8B30, 0x19C4, 0x4D7A, { 0x8F, 0x3E, 0x6C, 0x1B, 0x9D, 0x0A, 0x2E, 0x41 } };
// {5A2E8B31-19C4-4D7A-8F3E-6C1B9D0A2E41}
const CLSID CLSID_Sim713xKsCapture = { 0x5A2E8B31, 0x19C4, 0x4D7A, { 0x8F, 0x3E, 0x6C, 0x1B, 0x9D, 0x0A, 0x2E, 0x41 } };

CSimTVCard& TheVendorCard()
{
    static CSimTVCard s_card;
    return s_card;
}

CSimTVCard& TheKsCard()
{
    static CSimTVCard s_card;
    return s_card;
}

CUnknown* CALLBACK CreateCapture(IUnknown* pUnk, HRESULT* phr)
{
    CUnknown* p = new (std::nothrow) CSimCardFilter("Sim713xCapture", pUnk, CLSID_Sim713xCapture, &TheVendorCard(),
                                                    { 0, 1, 2, 3, 5, 6, 7, 8, 9, 10 }, FALSE, phr);
    if (p == nullptr && phr != nullptr)
        *phr = E_OUTOFMEMORY;
    return p;
}

CUnknown* CALLBACK CreateKsCapture(IUnknown* pUnk, HRESULT* phr)
{
    CUnknown* p = new (std::nothrow) CSimCardFilter("Sim713xKsCapture", pUnk, CLSID_Sim713xKsCapture, &TheKsCard(),
                                                    std::vector<DWORD>(), TRUE, phr);
    if (p == nullptr && phr != nullptr)
        *phr = E_OUTOFMEMORY;
    return p;
}

const AMOVIESETUP_FILTER kCaptureSetup = { &CLSID_Sim713xCapture, L"713x TV Card Capture", MERIT_DO_NOT_USE, 0,
                                           nullptr };
const AMOVIESETUP_FILTER kKsCaptureSetup = { &CLSID_Sim713xKsCapture, L"713x KS TV Capture", MERIT_DO_NOT_USE, 0,
                                             nullptr };
}

CFactoryTemplate g_Templates[] = {
    // name, class, creation, init, setup data, category
    { L"713x TV Card Capture", &CLSID_Sim713xCapture, CreateCapture, nullptr, &kCaptureSetup,
      &CLSID_VideoInputDeviceCategory },
    { L"713x KS TV Capture", &CLSID_Sim713xKsCapture, CreateKsCapture, nullptr, &kKsCaptureSetup,
      &CLSID_VideoInputDeviceCategory },
};
int g_cTemplates = sizeof(g_Templates) / sizeof(g_Templates[0]);

STDAPI DllRegisterServer()
{
    return AMovieDllRegisterServer2(TRUE);
}

STDAPI DllUnregisterServer()
{
    return AMovieDllRegisterServer2(FALSE);
}
