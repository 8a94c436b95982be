#include "platform/standins/mainconcept/McDecoders.h"
#include "platform/standins/mainconcept/McEncoder.h"
#include "platform/standins/mainconcept/McMuxer.h"
#include "platform/standins/mainconcept/McSplitter.h"

#include <uuids.h>

namespace
{
const AMOVIESETUP_MEDIATYPE kPcm[] = { { &MEDIATYPE_Audio, &MEDIASUBTYPE_PCM } };
const AMOVIESETUP_MEDIATYPE kMpegAudio[] = { { &MEDIATYPE_Stream, &MEDIASUBTYPE_MPEG1Audio } };
const AMOVIESETUP_MEDIATYPE kMpegVideo[] = { { &MEDIATYPE_Video, &MEDIASUBTYPE_MPEG2_VIDEO } };
const AMOVIESETUP_MEDIATYPE kYuy2[] = { { &MEDIATYPE_Video, &MEDIASUBTYPE_YUY2 } };
const AMOVIESETUP_MEDIATYPE kMpegAudioPayload[] = { { &MEDIATYPE_Audio, &MEDIASUBTYPE_MPEG2_AUDIO } };
const AMOVIESETUP_MEDIATYPE kProgram[] = { { &MEDIATYPE_Stream, &MEDIASUBTYPE_MPEG2_PROGRAM } };

// name, rendered, output, zero, many, connects-to filter, connects-to pin, types
const AMOVIESETUP_PIN kEncoderPins[] = {
    { L"Input", FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kPcm },
    { L"Output", FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kMpegAudio },
};
const AMOVIESETUP_PIN kMuxerPins[] = {
    { L"Input 1", TRUE, FALSE, FALSE, TRUE, &CLSID_NULL, nullptr, 1, kMpegAudio },
};
const AMOVIESETUP_PIN kSplitterPins[] = {
    { L"MPEG-2 Stream", FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kProgram },
};
const AMOVIESETUP_PIN kVideoDecoderPins[] = {
    { L"Video In", FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kMpegVideo },
    { L"Video Out", FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kYuy2 },
};
const AMOVIESETUP_PIN kAudioDecoderPins[] = {
    { L"Audio In", FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kMpegAudioPayload },
    { L"Audio Out", FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kPcm },
};

// Added by class identifier only.
const AMOVIESETUP_FILTER kEncoderSetup = { &CLSID_McMpegEncoder, L"MainConcept Demo MPEG Encoder", MERIT_DO_NOT_USE,
                                           2, kEncoderPins };
const AMOVIESETUP_FILTER kMuxerSetup = { &CLSID_McMpegMuxer, L"MainConcept Demo MPEG Multiplexer", MERIT_DO_NOT_USE,
                                         1, kMuxerPins };
const AMOVIESETUP_FILTER kSplitterSetup = { &CLSID_McMpegSplitter, L"MainConcept Demo MPEG Splitter",
                                            MERIT_DO_NOT_USE, 1, kSplitterPins };
const AMOVIESETUP_FILTER kVideoDecoderSetup = { &CLSID_McVideoDecoder, L"MainConcept Demo MPEG Video Decoder",
                                                MERIT_DO_NOT_USE, 2, kVideoDecoderPins };
const AMOVIESETUP_FILTER kAudioDecoderSetup = { &CLSID_McAudioDecoder, L"Audio Decodec", MERIT_DO_NOT_USE, 2,
                                                kAudioDecoderPins };
}

CFactoryTemplate g_Templates[] = {
    // name, class, creation, init, setup data, category
    { L"MainConcept Demo MPEG Encoder", &CLSID_McMpegEncoder, CMcEncoder::CreateInstance, nullptr, &kEncoderSetup,
      nullptr },
    { L"MainConcept Demo MPEG Multiplexer", &CLSID_McMpegMuxer, CMcMuxer::CreateInstance, nullptr, &kMuxerSetup,
      nullptr },
    { L"MainConcept Demo MPEG Splitter", &CLSID_McMpegSplitter, CMcSplitter::CreateInstance, nullptr,
      &kSplitterSetup, nullptr },
    { L"MainConcept Demo MPEG Video Decoder", &CLSID_McVideoDecoder, CMcVideoDecoder::CreateInstance, nullptr,
      &kVideoDecoderSetup, nullptr },
    { L"Audio Decodec", &CLSID_McAudioDecoder, CMcAudioDecoder::CreateInstance, nullptr, &kAudioDecoderSetup,
      nullptr },
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
