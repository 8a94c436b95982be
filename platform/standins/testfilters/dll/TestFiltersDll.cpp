#include "platform/standins/testfilters/TestFilters.h"
#include <ks.h>
#include <ksmedia.h>

namespace {

const AMOVIESETUP_MEDIATYPE kAnyStream[] = {
    {&MEDIATYPE_Stream, &MEDIASUBTYPE_NULL},  // byte streams of any kind
};

const AMOVIESETUP_PIN kSourcePins[] = {
    // name, rendered, output, zero, many, connects-to filter, connects-to pin, types
    {L"Output", FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kAnyStream},
};
const AMOVIESETUP_PIN kSinkPins[] = {
    {L"Input", TRUE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kAnyStream},
};
const AMOVIESETUP_PIN kTransformPins[] = {
    {L"Input", FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kAnyStream},
    {L"Output", FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kAnyStream},
};

// Never picked by intelligent connect: tests add these filters by name.
const AMOVIESETUP_FILTER kSourceSetup = {&CLSID_OndrixBytePushSource, L"Ondrix Byte Push Source",
                                         MERIT_DO_NOT_USE, 1, kSourcePins};
const AMOVIESETUP_FILTER kSinkSetup = {&CLSID_OndrixFileAppendSink, L"Ondrix File Append Sink",
                                       MERIT_DO_NOT_USE, 1, kSinkPins};
const AMOVIESETUP_FILTER kTransformSetup = {&CLSID_OndrixCopyTransform, L"Ondrix Copy Transform",
                                            MERIT_DO_NOT_USE, 2, kTransformPins};
const AMOVIESETUP_FILTER kCaptureSetup = {&CLSID_OndrixTestCapture, L"Ondrix Test Capture", MERIT_DO_NOT_USE, 1,
                                          kSourcePins};

}  // namespace

CFactoryTemplate g_Templates[] = {
    // name, class, creation, init, setup data, category
    {L"Ondrix Byte Push Source", &CLSID_OndrixBytePushSource, CBytePushSource::CreateInstance, nullptr,
     &kSourceSetup, nullptr},
    {L"Ondrix File Append Sink", &CLSID_OndrixFileAppendSink, CFileAppendSink::CreateInstance, nullptr,
     &kSinkSetup, nullptr},
    {L"Ondrix Copy Transform", &CLSID_OndrixCopyTransform, CCopyTransform::CreateInstance, nullptr,
     &kTransformSetup, nullptr},
    // A capture device category the program itself never lists, so registering it
    // cannot disturb tests that count the video input devices meanwhile.
    {L"Ondrix Test Capture", &CLSID_OndrixTestCapture, CBytePushSource::CreateCaptureInstance, nullptr,
     &kCaptureSetup, &AM_KSCATEGORY_CAPTURE},
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
