#include "platform/standins/overlaymixer/OverlayMixer.h"

namespace
{
// {CD8743A1-3736-11D0-9E69-00C04FD7C15B}
const CLSID kClsidOverlayMixer = { 0xCD8743A1, 0x3736, 0x11D0, { 0x9E, 0x69, 0x00, 0xC0, 0x4F, 0xD7, 0xC1, 0x5B } };

const AMOVIESETUP_MEDIATYPE kPictures[] = { { &MEDIATYPE_Video, &MEDIASUBTYPE_YUY2 },
                                            { &MEDIATYPE_Video, &MEDIASUBTYPE_RGB32 } };
const AMOVIESETUP_MEDIATYPE kRgb32[] = { { &MEDIATYPE_Video, &MEDIASUBTYPE_RGB32 } };

// name, rendered, output, zero, many, connects-to filter, connects-to pin, types
const AMOVIESETUP_PIN kPins[] = {
    { L"Input0", FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 2, kPictures },
    { L"Output", FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kRgb32 },
};

// Added by class identifier only; intelligent connect never picks it.
const AMOVIESETUP_FILTER kSetup = { &kClsidOverlayMixer, L"Overlay Mixer", MERIT_DO_NOT_USE, 2, kPins };
}

CFactoryTemplate g_Templates[] = {
    // name, class, creation, init, setup data, category
    { L"Overlay Mixer", &kClsidOverlayMixer, COverlayMixer::CreateInstance, nullptr, &kSetup, nullptr },
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
