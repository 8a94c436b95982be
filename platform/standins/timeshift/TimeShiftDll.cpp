#include "platform/standins/timeshift/TimeShiftBufferFilter.h"

namespace
{
const AMOVIESETUP_MEDIATYPE kStream[] = { { &MEDIATYPE_Stream, &MEDIASUBTYPE_NULL } };

// name, rendered, output, zero, many, connects-to filter, connects-to pin, types
const AMOVIESETUP_PIN kPins[] = {
    { L"In", FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kStream },
    { L"Out", FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kStream },
};

// Added by class identifier only.
const AMOVIESETUP_FILTER kSetup = { &CLSID_TimeShiftStandin, L"Time Shift", MERIT_DO_NOT_USE, 2, kPins };
}

CFactoryTemplate g_Templates[] = {
    // name, class, creation, init, setup data, category
    { L"Time Shift", &CLSID_TimeShiftStandin, CTimeShiftBufferFilter::CreateInstance, nullptr, &kSetup, nullptr },
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
