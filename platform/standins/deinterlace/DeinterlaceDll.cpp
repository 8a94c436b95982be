#include "platform/standins/deinterlace/Deinterlacer.h"
#include "platform/standins/deinterlace/SnapPicture.h"

namespace
{
const AMOVIESETUP_MEDIATYPE kYuy2[] = { { &MEDIATYPE_Video, &MEDIASUBTYPE_YUY2 } };
const AMOVIESETUP_MEDIATYPE kRgb32[] = { { &MEDIATYPE_Video, &MEDIASUBTYPE_RGB32 } };
const AMOVIESETUP_MEDIATYPE kPictures[] = { { &MEDIATYPE_Video, &MEDIASUBTYPE_YUY2 },
                                            { &MEDIATYPE_Video, &MEDIASUBTYPE_RGB32 } };

// name, rendered, output, zero, many, connects-to filter, connects-to pin, types
const AMOVIESETUP_PIN kDeinterlacePins[] = {
    { L"Input", FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kYuy2 },
    { L"Preview", FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kRgb32 },
    { L"Capture", FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 1, kYuy2 },
};
const AMOVIESETUP_PIN kSnapPins[] = {
    { L"Input", FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 2, kPictures },
    { L"Output", FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 2, kPictures },
};

// The program adds both filters itself; intelligent connect never picks them.
const AMOVIESETUP_FILTER kDeinterlaceSetup = { &CLSID_VeltraneDeinterlace, L"Veltrane Deinterlace",
                                               MERIT_DO_NOT_USE, 3, kDeinterlacePins };
const AMOVIESETUP_FILTER kSnapSetup = { &CLSID_VeltraneSnapPicture, L"Veltrane Snap Picture Filter",
                                        MERIT_DO_NOT_USE, 2, kSnapPins };
}

CFactoryTemplate g_Templates[] = {
    // name, class, creation, init, setup data, category
    { L"Veltrane Deinterlace", &CLSID_VeltraneDeinterlace, CDeinterlacer::CreateInstance, nullptr,
      &kDeinterlaceSetup, nullptr },
    { L"Veltrane Snap Picture Filter", &CLSID_VeltraneSnapPicture, CSnapPicture::CreateInstance, nullptr,
      &kSnapSetup, nullptr },
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
