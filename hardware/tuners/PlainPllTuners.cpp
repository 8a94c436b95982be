#include "hardware/tuners/PlainPllTuners.h"

#include "hardware/tuners/PllTunerTable.h"

namespace
{
void ApplyPlainRow(CTunerModule& tuner, int nTypeId)
{
    const PllTunerRow* pRow = FindPllTunerRow(nTypeId);
    if (pRow != NULL)
        ApplyPllTunerRow(tuner, *pRow);
}
}

CTuner_TCL2002N_1::CTuner_TCL2002N_1(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPlainRow(*this, 1);
}

CTuner_TCL2002N_1F::CTuner_TCL2002N_1F(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPlainRow(*this, 2);
}

CTuner_TCL2002NJ_5::CTuner_TCL2002NJ_5(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPlainRow(*this, 3);
}

CTuner_TCL2002MI_3::CTuner_TCL2002MI_3(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPlainRow(*this, 4);
}

CTuner_TCL2002MB_3::CTuner_TCL2002MB_3(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPlainRow(*this, 5);
}

CTuner_TCL2002MB_1F::CTuner_TCL2002MB_1F(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPlainRow(*this, 10);
}

CTuner_TCL2002MI_1F::CTuner_TCL2002MI_1F(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPlainRow(*this, 11);
}

CTuner_TCL2002MB_33F::CTuner_TCL2002MB_33F(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPlainRow(*this, 14);
}

CTuner_TCL9809N_1F::CTuner_TCL9809N_1F(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPlainRow(*this, 15);
}

CTuner_XINFA_TDQ_6B_B::CTuner_XINFA_TDQ_6B_B(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPlainRow(*this, 32);
}

CTuner_XINFA_TDQ_6B_DI::CTuner_XINFA_TDQ_6B_DI(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPlainRow(*this, 33);
}

CTuner_XINFA_TDQ_6B_N::CTuner_XINFA_TDQ_6B_N(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPlainRow(*this, 34);
}

CTuner_XINFA_TDQ_6B4_DI::CTuner_XINFA_TDQ_6B4_DI(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPlainRow(*this, 35);
}

CTuner_TNF8532BF::CTuner_TNF8532BF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPlainRow(*this, 52);
}

CTuner_TNF8532DF::CTuner_TNF8532DF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPlainRow(*this, 53);
}

CTuner_TNF8532MF::CTuner_TNF8532MF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPlainRow(*this, 54);
}

CTuner_TNF5831MFF::CTuner_TNF5831MFF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPlainRow(*this, 55);
}

CTuner_TNF5532JF::CTuner_TNF5532JF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPlainRow(*this, 56);
}

CTuner_TNF5532MF::CTuner_TNF5532MF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPlainRow(*this, 57);
}

CTuner_TNF9835::CTuner_TNF9835(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPlainRow(*this, 58);
}

CTuner_TNF9535BDF::CTuner_TNF9535BDF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPlainRow(*this, 60);
}

CTuner_TNF7532PRF::CTuner_TNF7532PRF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPlainRow(*this, 61);
}

CTuner_TNF9835BDFF::CTuner_TNF9835BDFF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPlainRow(*this, 62);
}

CTuner_LGH200T::CTuner_LGH200T(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPlainRow(*this, 73);
}

CTuner_LGH202T::CTuner_LGH202T(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPlainRow(*this, 74);
}
