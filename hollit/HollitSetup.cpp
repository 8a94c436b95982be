#include "hollit/HollitUuids.h"
#include "hollit/MpegRecordFilter.h"
#include "hollit/MpegRecordFilterProp.h"

namespace {

const AMOVIESETUP_MEDIATYPE kPinTypes[] = {
    {&MEDIATYPE_Video, &MEDIASUBTYPE_NULL},   // an encoder's program stream offered as video
    {&MEDIATYPE_Stream, &MEDIASUBTYPE_NULL},  // or as a byte stream
};

const AMOVIESETUP_PIN kPins[] = {
    // name, rendered, output, zero, many, connects-to filter, connects-to pin, types
    {L"Input", FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, L"Output", 2, kPinTypes},
    {L"Output", FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, L"Input", 2, kPinTypes},
};

// Never picked by intelligent connect: the engine adds the filter by class.
const AMOVIESETUP_FILTER kFilterSetup = {&CLSID_MpegRecordFilter, L"Veltrane Mpeg Record Filter", MERIT_DO_NOT_USE,
                                         2, kPins};

}

CFactoryTemplate g_Templates[] = {
    // name, class, creation, init, setup data, category
    {L"Veltrane Mpeg Record Filter", &CLSID_MpegRecordFilter, CMpegRecordFilter::CreateInstance, nullptr,
     &kFilterSetup, nullptr},
    {L"Filter Property Page", &CLSID_MpegRecordFilterProp, CMpegRecordFilterProp::CreateInstance, nullptr, nullptr,
     nullptr},
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
