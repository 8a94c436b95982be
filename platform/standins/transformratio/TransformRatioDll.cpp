#include "platform/standins/transformratio/TransformRatio.h"

namespace
{
const AMOVIESETUP_MEDIATYPE kPictures[] = { { &MEDIATYPE_Video, &MEDIASUBTYPE_YUY2 },
                                            { &MEDIATYPE_Video, &MEDIASUBTYPE_RGB32 } };

// name, rendered, output, zero, many, connects-to filter, connects-to pin, types
const AMOVIESETUP_PIN kPins[] = {
    { L"XForm In", FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, nullptr, 2, kPictures },
    { L"XForm Out", FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, nullptr, 2, kPictures },
};

// The program adds it itself; intelligent connect never picks it.
const AMOVIESETUP_FILTER kSetup = { &CLSID_TransformRatio, L"Transform Ratio", MERIT_DO_NOT_USE, 2, kPins };
}

CFactoryTemplate g_Templates[] = {
    // name, class, creation, init, setup data, category
    { L"Transform Ratio", &CLSID_TransformRatio, CTransformRatio::CreateInstance, nullptr, &kSetup, nullptr },
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
