#include "hardware/tuners/TunerFactory.h"

#include "hardware/tuners/DemodPllTuners.h"
#include "hardware/tuners/PlainPllTuners.h"
#include "hardware/tuners/SecondSetPllTuners.h"
#include "hardware/tuners/Tda8275ATuner.h"
#include "hardware/tuners/Usb2820Tuner.h"
#include "hardware/tuners/Xc3028Tuner.h"
#include "hardware/tuners/Xceive2028Tuner.h"

#include <new>

namespace
{
template <class T>
CTunerModule* Create(CRegisterAccess* pRegisterAccess)
{
    return new (std::nothrow) T(pRegisterAccess);
}

// The XC3028 of type 90 is driven as the XC2028 is.
CTunerModule* CreateXceive3028(CRegisterAccess* pRegisterAccess)
{
    return new (std::nothrow) CTuner_XCEIVE2028(pRegisterAccess, 90);
}
}

// Every tuner type a card may name, by id. Id 0 is a card without a tuner.
const TunerTypeEntry g_TunerTypeTable[] =
{
    // type id, model name, creator
    {   0, "MODEL_UNKNOWN",         NULL },
    {   1, "TCL2002N_1",            &Create<CTuner_TCL2002N_1> },
    {   2, "TCL2002N_1F",           &Create<CTuner_TCL2002N_1F> },
    {   3, "TCL2002NJ_5",           &Create<CTuner_TCL2002NJ_5> },
    {   4, "TCL2002MI_3",           &Create<CTuner_TCL2002MI_3> },
    {   5, "TCL2002MB_3",           &Create<CTuner_TCL2002MB_3> },
    {   7, "F07WP_4NR_E",           &Create<CTuner_F07WP_4NR_E> },
    {   8, "F05WT_3BAR",            &Create<CTuner_F05WT_3BAR> },
    {   9, "MFO2GIP_5N_E",          &Create<CTuner_MFO2GIP_5N_E> },
    {  10, "TCL2002MB_1F",          &Create<CTuner_TCL2002MB_1F> },
    {  11, "TCL2002MI_1F",          &Create<CTuner_TCL2002MI_1F> },
    {  12, "MODEL_JS_2PC",          &Create<CTuner_MODEL_JS_2PC> },
    {  13, "JS_6B2",                &Create<CTuner_JS_6B2> },
    {  14, "TCL2002MB_33F",         &Create<CTuner_TCL2002MB_33F> },
    {  15, "TCL9809N_1F",           &Create<CTuner_TCL9809N_1F> },
    {  17, "TCL9886P_WM",           &Create<CTuner_TCL9886P_WM> },
    {  32, "XINFA_TDQ_6B_B",        &Create<CTuner_XINFA_TDQ_6B_B> },
    {  33, "XINFA_TDQ_6B_DI",       &Create<CTuner_XINFA_TDQ_6B_DI> },
    {  34, "XINFA_TDQ_6B_N",        &Create<CTuner_XINFA_TDQ_6B_N> },
    {  35, "XINFA_TDQ_6B4_DI",      &Create<CTuner_XINFA_TDQ_6B4_DI> },
    {  50, "TNF8357DIF",            &Create<CTuner_TNF8357DIF> },
    {  52, "TNF8532BF",             &Create<CTuner_TNF8532BF> },
    {  53, "TNF8532DF",             &Create<CTuner_TNF8532DF> },
    {  54, "TNF8532MF",             &Create<CTuner_TNF8532MF> },
    {  55, "TNF5831MFF",            &Create<CTuner_TNF5831MFF> },
    {  56, "TNF5532JF",             &Create<CTuner_TNF5532JF> },
    {  57, "TNF5532MF",             &Create<CTuner_TNF5532MF> },
    {  58, "TNF9835",               &Create<CTuner_TNF9835> },
    {  59, "TNJ3321PF",             &Create<CTuner_TNJ3321PF> },
    {  60, "TNF9535BDF",            &Create<CTuner_TNF9535BDF> },
    {  61, "TNF7532PRF",            &Create<CTuner_TNF7532PRF> },
    {  62, "TNF9835BDFF",           &Create<CTuner_TNF9835BDFF> },
    {  63, "TNJ3321MF",             &Create<CTuner_TNJ3321MF> },
    {  64, "TNF5531MF",             &Create<CTuner_TNF5531MF> },
    {  65, "TNF5835MFF",            &Create<CTuner_TNF5835MFF> },
    {  66, "TNF5535MF",             &Create<CTuner_TNF5535MF> },
    {  67, "TNJ3321CF",             &Create<CTuner_TNJ3321CF> },
    {  68, "TNJ7752JFF_MK5",        &Create<CTuner_TNJ7752JFF_MK5> },
    {  69, "TNF9935BDFF",           &Create<CTuner_TNF9935BDFF> },
    {  70, "TNJ8852CFF",            &Create<CTuner_TNJ8852CFF> },
    {  71, "TNJ7357MF",             &Create<CTuner_TNJ7357MF> },
    {  72, "LGM200T",               &Create<CTuner_LGM200T> },
    {  73, "LGH200T",               &Create<CTuner_LGH200T> },
    {  74, "LGH202T",               &Create<CTuner_LGH202T> },
    {  75, "LGS200T",               &Create<CTuner_LGS200T> },
    {  90, "XCEIVE3028",            &CreateXceive3028 },
    {  91, "XCEIVE2028",            &Create<CTuner_XCEIVE2028> },
    {  92, "PHILIPS1216",           &Create<CTuner_PHILIPS1216> },
    {  93, "FQ1216ME",              &Create<CTuner_FQ1216ME> },
    {  94, "FQ1236F",               &Create<CTuner_FQ1236F> },
    {  95, "PHILIPSTDA8275A",       &Create<CTda8275ATuner> },
    {  96, "PHILIPSFQ1286",         &Create<CTuner_PHILIPSFQ1286> },
    {  97, "FQ1216ME_5",            &Create<CUsb2820Tuner> },
    {  98, "FM1236MK3",             &Create<CTuner_FM1236MK3> },
    { 100, "PANOSONIC_ENGE4326D",   &Create<CTuner_PANOSONIC_ENGE4326D> },
    { 110, "FS5_1A5_BG1",           &Create<CTuner_FS5_1A5_BG1> },
    { 111, "FI1236MK2",             &Create<CTuner_FI1236MK2> },
    { 130, "TNF9533BDF",            &Create<CTuner_TNF9533BDF> },
    { 131, NULL,                    &Create<CTuner_Type131> },
    { 132, "TNJ8352PF",             &Create<CTuner_TNJ8352PF> },
    { 133, "TNF9535DIF",            &Create<CTuner_TNF9535DIF> },
    { 134, "TNF8022",               &Create<CTuner_TNF8022> },
    { 136, "XCEIVE3028AF",          &Create<CXc3028Tuner> },
    { 137, "XCEIVE3028SIF",         &Create<CXc3028SifTuner> },
    { 138, "TNF9835DIFF",           &Create<CTuner_TNF9835DIFF> },
};

const int g_nTunerTypeTableCount = sizeof(g_TunerTypeTable) / sizeof(g_TunerTypeTable[0]);
