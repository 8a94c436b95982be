#include "platform/standins/sysfilters/AudioCompressor.h"
#include "platform/standins/sysfilters/AviMux.h"
#include "platform/standins/sysfilters/InfTee.h"
#include "platform/standins/mpegkit/Mpeg2Demux.h"
#include "platform/standins/sysfilters/Mpeg4Compressor.h"

#include <uuids.h>

namespace
{
const AMOVIESETUP_MEDIATYPE kAnyType[] = { { &MEDIATYPE_NULL, &MEDIASUBTYPE_NULL } };
const AMOVIESETUP_MEDIATYPE kProgramStream[] = { { &MEDIATYPE_Stream, &MEDIASUBTYPE_MPEG2_PROGRAM } };
const AMOVIESETUP_MEDIATYPE kVideo[] = { { &MEDIATYPE_Video, &MEDIASUBTYPE_NULL } };
const AMOVIESETUP_MEDIATYPE kAudio[] = { { &MEDIATYPE_Audio, &MEDIASUBTYPE_NULL } };
const AMOVIESETUP_MEDIATYPE kVideoOrAudio[] = { { &MEDIATYPE_Video, &MEDIASUBTYPE_NULL },
                                                { &MEDIATYPE_Audio, &MEDIASUBTYPE_NULL } };
const AMOVIESETUP_MEDIATYPE kAviStream[] = { { &MEDIATYPE_Stream, &MEDIASUBTYPE_Avi } };

// name, rendered, output, zero, many, connects-to filter, connects-to pin, types
const AMOVIESETUP_PIN kTeePins[] = {
    { L"Input", FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kAnyType },
    { L"Output", FALSE, TRUE, FALSE, TRUE, &CLSID_NULL, nullptr, 1, kAnyType },
};
const AMOVIESETUP_PIN kDemuxPins[] = {
    { L"MPEG-2 Stream", FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kProgramStream },
};
const AMOVIESETUP_PIN kCompressorPins[] = {
    { L"Input", FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kVideo },
    { L"Output", FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kVideo },
};
const AMOVIESETUP_PIN kAudioCompressorPins[] = {
    { L"Input", FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kAudio },
    { L"Output", FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kAudio },
};
const AMOVIESETUP_PIN kMuxPins[] = {
    { L"Input 01", FALSE, FALSE, FALSE, TRUE, &CLSID_NULL, nullptr, 2, kVideoOrAudio },
    { L"AVI Out", FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kAviStream },
};

// Never picked by intelligent connect: the graphs add them by class or name.
const AMOVIESETUP_FILTER kTeeSetup = { &CLSID_InfTee, L"Infinite Pin Tee Filter", MERIT_DO_NOT_USE, 2, kTeePins };
// Registered under the system's class: it takes the place of Wine's AVI Mux,
// which takes pictures only.
const AMOVIESETUP_FILTER kMuxSetup = { &CLSID_AviDest, L"AVI Mux", MERIT_DO_NOT_USE, 2, kMuxPins };
const AMOVIESETUP_FILTER kDemuxSetup = { &CLSID_MPEG2Demultiplexer, L"MPEG-2 Demultiplexer", MERIT_DO_NOT_USE, 1,
                                         kDemuxPins };
const AMOVIESETUP_FILTER kV1Setup = { &CLSID_StandinMpeg4V1, L"Microsoft MPEG-4  VKI  Codec V1", MERIT_DO_NOT_USE,
                                      2, kCompressorPins };
const AMOVIESETUP_FILTER kV2Setup = { &CLSID_StandinMpeg4V2, L"Microsoft MPEG-4  VKI  Codec V2", MERIT_DO_NOT_USE,
                                      2, kCompressorPins };
const AMOVIESETUP_FILTER kV3Setup = { &CLSID_StandinMpeg4V3, L"Microsoft MPEG-4  VKI  Codec V3", MERIT_DO_NOT_USE,
                                      2, kCompressorPins };
const AMOVIESETUP_FILTER kXvidSetup = { &CLSID_StandinXvid, L"XviD MPEG-4 Codec", MERIT_DO_NOT_USE, 2,
                                        kCompressorPins };
const AMOVIESETUP_FILTER kPcmSetup = { &CLSID_StandinPcmCompressor, L"PCM", MERIT_DO_NOT_USE, 2,
                                       kAudioCompressorPins };
const AMOVIESETUP_FILTER kAdpcmSetup = { &CLSID_StandinAdpcmCompressor, L"Microsoft ADPCM", MERIT_DO_NOT_USE, 2,
                                         kAudioCompressorPins };
}

CFactoryTemplate g_Templates[] = {
    // name, class, creation, init, setup data, category
    { L"Infinite Pin Tee Filter", &CLSID_InfTee, CInfTee::CreateInstance, nullptr, &kTeeSetup, nullptr },
    { L"AVI Mux", &CLSID_AviDest, CAviMux::CreateInstance, nullptr, &kMuxSetup, nullptr },
    { L"MPEG-2 Demultiplexer", &CLSID_MPEG2Demultiplexer, CMpeg2Demux::CreateInstance, nullptr, &kDemuxSetup,
      nullptr },
    { L"Microsoft MPEG-4  VKI  Codec V1", &CLSID_StandinMpeg4V1, CMpeg4Compressor::CreateV1, nullptr, &kV1Setup,
      &CLSID_VideoCompressorCategory },
    { L"Microsoft MPEG-4  VKI  Codec V2", &CLSID_StandinMpeg4V2, CMpeg4Compressor::CreateV2, nullptr, &kV2Setup,
      &CLSID_VideoCompressorCategory },
    { L"Microsoft MPEG-4  VKI  Codec V3", &CLSID_StandinMpeg4V3, CMpeg4Compressor::CreateV3, nullptr, &kV3Setup,
      &CLSID_VideoCompressorCategory },
    { L"XviD MPEG-4 Codec", &CLSID_StandinXvid, CMpeg4Compressor::CreateXvid, nullptr, &kXvidSetup,
      &CLSID_VideoCompressorCategory },
    { L"PCM", &CLSID_StandinPcmCompressor, CAudioCompressor::CreatePcm, nullptr, &kPcmSetup,
      &CLSID_AudioCompressorCategory },
    { L"Microsoft ADPCM", &CLSID_StandinAdpcmCompressor, CAudioCompressor::CreateAdpcm, nullptr, &kAdpcmSetup,
      &CLSID_AudioCompressorCategory },
};
int g_cTemplates = sizeof(g_Templates) / sizeof(g_Templates[0]);

STDAPI DllRegisterServer()
{
    return AMovieDllRegisterServer2(TRUE);
}

// The AVI Mux is registered over the system's own class: taking ours out
// gives the class back to the system's module rather than leaving none.
STDAPI DllUnregisterServer()
{
    HRESULT hr = AMovieDllRegisterServer2(FALSE);
    HKEY hKey = NULL;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, L"CLSID\\{E2510970-F137-11CE-8B67-00AA00A3F1A6}\\InprocServer32", 0,
                        nullptr, 0, KEY_SET_VALUE, nullptr, &hKey, nullptr) == ERROR_SUCCESS)
    {
        static const WCHAR kServer[] = L"qcap.dll";
        static const WCHAR kThreading[] = L"Both";
        RegSetValueExW(hKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(kServer), sizeof(kServer));
        RegSetValueExW(hKey, L"ThreadingModel", 0, REG_SZ, reinterpret_cast<const BYTE*>(kThreading),
                       sizeof(kThreading));
        RegCloseKey(hKey);
    }
    return hr;
}
