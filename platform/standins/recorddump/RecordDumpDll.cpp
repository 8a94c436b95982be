// The pass-through "PreDump" copies each sample as it is; the dump writer
// appends every byte it receives to its file in arrival order with one
// synchronous write per sample (so it holds no more than the sample in hand)
// and reports a failed write (a full disk) to the graph as EC_ERRORABORT.
#include "platform/standins/testfilters/TestFilters.h"

namespace {

// {248F05A7-690E-4B3E-B649-4EE205643DAE}
const CLSID kClsidPreDump = { 0x248F05A7, 0x690E, 0x4B3E, { 0xB6, 0x49, 0x4E, 0xE2, 0x05, 0x64, 0x3D, 0xAE } };
// {36A5F770-FE4C-11CE-A8ED-00AA002FEAB5}
const CLSID kClsidDump = { 0x36A5F770, 0xFE4C, 0x11CE, { 0xA8, 0xED, 0x00, 0xAA, 0x00, 0x2F, 0xEA, 0xB5 } };

const AMOVIESETUP_MEDIATYPE kAnyStream[] = {
    {&MEDIATYPE_Stream, &MEDIASUBTYPE_NULL},  // byte streams of any kind
};
const AMOVIESETUP_PIN kSinkPins[] = {
    // name, rendered, output, zero, many, connects-to filter, connects-to pin, types
    {L"Input", TRUE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kAnyStream},
};
const AMOVIESETUP_PIN kTransformPins[] = {
    {L"Input", FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kAnyStream},
    {L"Output", FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kAnyStream},
};

// Never picked by intelligent connect: the recording adds them by class.
const AMOVIESETUP_FILTER kPreDumpSetup = {&kClsidPreDump, L"PreDump", MERIT_DO_NOT_USE, 2, kTransformPins};
const AMOVIESETUP_FILTER kDumpSetup = {&kClsidDump, L"Veltrane Dump", MERIT_DO_NOT_USE, 1, kSinkPins};

}  // namespace

CFactoryTemplate g_Templates[] = {
    // name, class, creation, init, setup data, category
    {L"PreDump", &kClsidPreDump, CCopyTransform::CreateInstance, nullptr, &kPreDumpSetup, nullptr},
    {L"Veltrane Dump", &kClsidDump, CFileAppendSink::CreateInstance, nullptr, &kDumpSetup, nullptr},
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
