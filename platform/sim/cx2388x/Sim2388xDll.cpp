// The simulated Conexant 2388x card. Its tuner filter carries the card's bus:
// the vendor property set with commands, chip bytes, GPIO and I2C transfers.
#include "platform/dshow/ClassFactory.h"
#include "platform/sim/cardfilter/SimCardFilter.h"

#include <ksmedia.h>
#include <new>

namespace
{
// {3D1C6A70-52B4-4C1E-9E6B-0A8F2C4D7B11}
const CLSID CLSID_Sim2388xCapture = { 0x3D1C6A70, 0x52B4, 0x4C1E, { 0x9E, 0x6B, 0x0A, 0x8F, 0x2C, 0x4D, 0x7B, 0x11 } };
// {3D1C6A71-52B4-4C1E-9E6B-0A8F2C4D7B11}
const CLSID CLSID_Sim2388xTuner = { 0x3D1C6A71, 0x52B4, 0x4C1E, { 0x9E, 0x6B, 0x0A, 0x8F, 0x2C, 0x4D, 0x7B, 0x11 } };

// One card, whoever opens its filters.
CSimTVCard& TheCard()
{
    static CSimTVCard s_card;
    return s_card;
}

CUnknown* CALLBACK CreateCapture(IUnknown* pUnk, HRESULT* phr)
{
    CUnknown* p = new (std::nothrow) CSimCardFilter("Sim2388xCapture", pUnk, CLSID_Sim2388xCapture, &TheCard(),
                                                    std::vector<DWORD>(), FALSE, phr);
    if (p == nullptr && phr != nullptr)
        *phr = E_OUTOFMEMORY;
    return p;
}

CUnknown* CALLBACK CreateTuner(IUnknown* pUnk, HRESULT* phr)
{
    CUnknown* p = new (std::nothrow) CSimCardFilter("Sim2388xTuner", pUnk, CLSID_Sim2388xTuner, &TheCard(),
                                                    { 1, 2, 3, 4, 6 }, FALSE, phr);
    if (p == nullptr && phr != nullptr)
        *phr = E_OUTOFMEMORY;
    return p;
}

// Pin-less driver filters, never picked by intelligent connect.
const AMOVIESETUP_FILTER kCaptureSetup = { &CLSID_Sim2388xCapture, L"Conexant 2388x Video Capture",
                                           MERIT_DO_NOT_USE, 0, nullptr };
const AMOVIESETUP_FILTER kTunerSetup = { &CLSID_Sim2388xTuner, L"Conexant 2388x Tuner", MERIT_DO_NOT_USE, 0,
                                         nullptr };
}

CFactoryTemplate g_Templates[] = {
    // name, class, creation, init, setup data, category
    { L"Conexant 2388x Video Capture", &CLSID_Sim2388xCapture, CreateCapture, nullptr, &kCaptureSetup,
      &CLSID_VideoInputDeviceCategory },
    { L"Conexant 2388x Tuner", &CLSID_Sim2388xTuner, CreateTuner, nullptr, &kTunerSetup, &AM_KSCATEGORY_TVTUNER },
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
