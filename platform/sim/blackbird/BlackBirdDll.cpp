#include "platform/sim/blackbird/BlackBirdSim.h"
#include "platform/sim/blackbird/SimBlackBirdCapture.h"
#include "platform/sim/blackbird/SimBlackBirdCard.h"
#include "platform/sim/blackbird/SimBlackBirdCrossbar.h"
#include "platform/sim/blackbird/SimBlackBirdEncoder.h"
#include "platform/sim/blackbird/SimBlackBirdTVAudio.h"
#include "platform/sim/blackbird/SimBlackBirdTuner.h"
#include "platform/sim/cardfilter/SimLinkPin.h"

#include <ks.h>
#include <ksmedia.h>

namespace
{
// KSCATEGORY_ENCODER
const GUID kCategoryEncoder = { 0x19689BF6, 0xC384, 0x48FD, { 0xAD, 0x51, 0x90, 0xE5, 0x8C, 0x79, 0xF7, 0x0B } };

const AMOVIESETUP_MEDIATYPE kAnalogVideo[] = { { &MEDIATYPE_AnalogVideo, &MEDIASUBTYPE_NULL } };
const AMOVIESETUP_MEDIATYPE kAnalogAudio[] = { { &MEDIATYPE_AnalogAudio, &MEDIASUBTYPE_NULL } };
const AMOVIESETUP_MEDIATYPE kYuy2[] = { { &MEDIATYPE_Video, &MEDIASUBTYPE_YUY2 } };
const AMOVIESETUP_MEDIATYPE kBt656[] = { { &MEDIATYPE_Video, &SIMSUBTYPE_BT656 } };
const AMOVIESETUP_MEDIATYPE kI2S[] = { { &MEDIATYPE_Audio, &SIMSUBTYPE_I2S } };
const AMOVIESETUP_MEDIATYPE kProgram[] = { { &MEDIATYPE_Stream, &MEDIASUBTYPE_MPEG2_PROGRAM } };

// name, rendered, output, zero, many, connects-to filter, connects-to pin, types
const AMOVIESETUP_PIN kCapturePins[] = {
    { L"Analog Video In", FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kAnalogVideo },
    { L"Analog Audio In", FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kAnalogAudio },
    { L"Capture", FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kYuy2 },
    { L"656", FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kBt656 },
    { L"I2S", FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kI2S },
};
const AMOVIESETUP_PIN kTunerPins[] = {
    { L"Analog Video", FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kAnalogVideo },
    { L"Analog Audio", FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kAnalogAudio },
};
const AMOVIESETUP_PIN kCrossbarPins[] = {
    { L"Video Tuner In", FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kAnalogVideo },
    { L"Video SVideo In", FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kAnalogVideo },
    { L"Video Composite In", FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kAnalogVideo },
    { L"Audio Tuner In", FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kAnalogAudio },
    { L"Audio Line In", FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kAnalogAudio },
    { L"Video Decoder Out", FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kAnalogVideo },
    { L"Audio Decoder Out", FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kAnalogAudio },
};
const AMOVIESETUP_PIN kTVAudioPins[] = {
    { L"TVAudio In", FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kAnalogAudio },
    { L"TVAudio Out", FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kAnalogAudio },
};
const AMOVIESETUP_PIN kEncoderPins[] = {
    { L"656", FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kBt656 },
    { L"I2S", FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kI2S },
    { L"MPEG", FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kProgram },
};

// Device filters: the graph builders never pick them on their own.
const AMOVIESETUP_FILTER kCaptureSetup = { &CLSID_SimBlackBirdCapture, L"BlackBird Video Capture",
                                           MERIT_DO_NOT_USE, 5, kCapturePins };
const AMOVIESETUP_FILTER kTunerSetup = { &CLSID_SimBlackBirdTuner, L"BlackBird Tuner", MERIT_DO_NOT_USE, 2,
                                         kTunerPins };
const AMOVIESETUP_FILTER kCrossbarSetup = { &CLSID_SimBlackBirdCrossbar, L"BlackBird Crossbar", MERIT_DO_NOT_USE,
                                            7, kCrossbarPins };
const AMOVIESETUP_FILTER kTVAudioSetup = { &CLSID_SimBlackBirdTVAudio, L"BlackBird TV Audio", MERIT_DO_NOT_USE, 2,
                                           kTVAudioPins };
const AMOVIESETUP_FILTER kEncoderSetup = { &CLSID_SimBlackBirdEncoder, L"BlackBird MPEG Encoder",
                                           MERIT_DO_NOT_USE, 3, kEncoderPins };
}

CFactoryTemplate g_Templates[] = {
    // name, class, creation, init, setup data, category
    { L"BlackBird Video Capture", &CLSID_SimBlackBirdCapture, CSimBlackBirdCapture::CreateInstance, nullptr,
      &kCaptureSetup, &CLSID_VideoInputDeviceCategory },
    { L"BlackBird Tuner", &CLSID_SimBlackBirdTuner, CSimBlackBirdTuner::CreateInstance, nullptr, &kTunerSetup,
      &AM_KSCATEGORY_TVTUNER },
    { L"BlackBird Crossbar", &CLSID_SimBlackBirdCrossbar, CSimBlackBirdCrossbar::CreateInstance, nullptr,
      &kCrossbarSetup, &AM_KSCATEGORY_CROSSBAR },
    { L"BlackBird TV Audio", &CLSID_SimBlackBirdTVAudio, CSimBlackBirdTVAudio::CreateInstance, nullptr,
      &kTVAudioSetup, &AM_KSCATEGORY_TVAUDIO },
    { L"BlackBird MPEG Encoder", &CLSID_SimBlackBirdEncoder, CSimBlackBirdEncoder::CreateInstance, nullptr,
      &kEncoderSetup, &kCategoryEncoder },
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

extern "C" IBlackBirdSimControl* WINAPI BlackBirdSimControl()
{
    return &CSimBlackBirdCard::Instance();
}
