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
}

// Every tuner type a card may name, by id. Id 0 is a card without a tuner.
const TunerTypeEntry g_TunerTypeTable[] =
{
    // type id, creator
    {   0, NULL },
    {   1, &Create<CTuner_TCL2002N_1> },
    {   2, &Create<CTuner_TCL2002N_1F> },
    {   3, &Create<CTuner_TCL2002NJ_5> },
    {   4, &Create<CTuner_TCL2002MI_3> },
    {   5, &Create<CTuner_TCL2002MB_3> },
    {   7, &Create<CTuner_F07WP_4NR_E> },
    {   8, &Create<CTuner_F05WT_3BAR> },
    {   9, &Create<CTuner_MFO2GIP_5N_E> },
    {  10, &Create<CTuner_TCL2002MB_1F> },
    {  11, &Create<CTuner_TCL2002MI_1F> },
    {  12, &Create<CTuner_MODEL_JS_2PC> },
    {  13, &Create<CTuner_JS_6B2> },
    {  14, &Create<CTuner_TCL2002MB_33F> },
    {  15, &Create<CTuner_TCL9809N_1F> },
    {  17, &Create<CTuner_TCL9886P_WM> },
    {  32, &Create<CTuner_XINFA_TDQ_6B_B> },
    {  33, &Create<CTuner_XINFA_TDQ_6B_DI> },
    {  34, &Create<CTuner_XINFA_TDQ_6B_N> },
    {  35, &Create<CTuner_XINFA_TDQ_6B4_DI> },
    {  50, &Create<CTuner_TNF8357DIF> },
    {  52, &Create<CTuner_TNF8532BF> },
    {  53, &Create<CTuner_TNF8532DF> },
    {  54, &Create<CTuner_TNF8532MF> },
    {  55, &Create<CTuner_TNF5831MFF> },
    {  56, &Create<CTuner_TNF5532JF> },
    {  57, &Create<CTuner_TNF5532MF> },
    {  58, &Create<CTuner_TNF9835> },
    {  59, &Create<CTuner_TNJ3321PF> },
    {  60, &Create<CTuner_TNF9535BDF> },
    {  61, &Create<CTuner_TNF7532PRF> },
    {  62, &Create<CTuner_TNF9835BDFF> },
    {  63, &Create<CTuner_TNJ3321MF> },
    {  64, &Create<CTuner_TNF5531MF> },
    {  65, &Create<CTuner_TNF5835MFF> },
    {  66, &Create<CTuner_TNF5535MF> },
    {  67, &Create<CTuner_TNJ3321CF> },
    {  68, &Create<CTuner_TNJ7752JFF_MK5> },
    {  69, &Create<CTuner_TNF9935BDFF> },
    {  70, &Create<CTuner_TNJ8852CFF> },
    {  71, &Create<CTuner_TNJ7357MF> },
    {  72, &Create<CTuner_LGM200T> },
    {  73, &Create<CTuner_LGH200T> },
    {  74, &Create<CTuner_LGH202T> },
    {  75, &Create<CTuner_LGS200T> },
    {  90, &Create<CTuner_XCEIVE3028> },
    {  91, &Create<CTuner_XCEIVE2028> },
    {  92, &Create<CTuner_PHILIPS1216> },
    {  93, &Create<CTuner_FQ1216ME> },
    {  94, &Create<CTuner_FQ1236F> },
    {  95, &Create<CTda8275ATuner> },
    {  96, &Create<CTuner_PHILIPSFQ1286> },
    {  97, &Create<CUsb2820Tuner> },
    {  98, &Create<CTuner_FM1236MK3> },
    { 100, &Create<CTuner_PANOSONIC_ENGE4326D> },
    { 110, &Create<CTuner_FS5_1A5_BG1> },
    { 111, &Create<CTuner_FI1236MK2> },
    { 130, &Create<CTuner_TNF9533BDF> },
    { 131, &Create<CTuner_Type131> },
    { 132, &Create<CTuner_TNJ8352PF> },
    { 133, &Create<CTuner_TNF9535DIF> },
    { 134, &Create<CTuner_TNF8022> },
    { 136, &Create<CXc3028Tuner> },
    { 137, &Create<CXc3028SifTuner> },
    { 138, &Create<CTuner_TNF9835DIFF> },
};

const int g_nTunerTypeTableCount = sizeof(g_TunerTypeTable) / sizeof(g_TunerTypeTable[0]);
