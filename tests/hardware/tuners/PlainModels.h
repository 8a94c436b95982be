#pragma once

#include "hardware/tuners/PlainPllTuners.h"

// The plain PLL models by type id, for tests that walk the model table.
inline CTunerModule* MakePlainModel(int nTypeId, CRegisterAccess* pBus)
{
    switch (nTypeId)
    {
    case 1: return new CTuner_TCL2002N_1(pBus);
    case 2: return new CTuner_TCL2002N_1F(pBus);
    case 3: return new CTuner_TCL2002NJ_5(pBus);
    case 4: return new CTuner_TCL2002MI_3(pBus);
    case 5: return new CTuner_TCL2002MB_3(pBus);
    case 10: return new CTuner_TCL2002MB_1F(pBus);
    case 11: return new CTuner_TCL2002MI_1F(pBus);
    case 14: return new CTuner_TCL2002MB_33F(pBus);
    case 15: return new CTuner_TCL9809N_1F(pBus);
    case 32: return new CTuner_XINFA_TDQ_6B_B(pBus);
    case 33: return new CTuner_XINFA_TDQ_6B_DI(pBus);
    case 34: return new CTuner_XINFA_TDQ_6B_N(pBus);
    case 35: return new CTuner_XINFA_TDQ_6B4_DI(pBus);
    case 52: return new CTuner_TNF8532BF(pBus);
    case 53: return new CTuner_TNF8532DF(pBus);
    case 54: return new CTuner_TNF8532MF(pBus);
    case 55: return new CTuner_TNF5831MFF(pBus);
    case 56: return new CTuner_TNF5532JF(pBus);
    case 57: return new CTuner_TNF5532MF(pBus);
    case 58: return new CTuner_TNF9835(pBus);
    case 60: return new CTuner_TNF9535BDF(pBus);
    case 61: return new CTuner_TNF7532PRF(pBus);
    case 62: return new CTuner_TNF9835BDFF(pBus);
    case 73: return new CTuner_LGH200T(pBus);
    case 74: return new CTuner_LGH202T(pBus);
    default: return NULL;
    }
}
