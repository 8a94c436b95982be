#include "hardware/tuners/PlainPllTuners.h"

#include "hardware/tuners/PllTunerTable.h"

namespace
{
void ApplyPllTunerRow(CTunerModule& tuner, int nTypeId)
{
    const PllTunerRow* pRow = FindPllTunerRow(nTypeId);
    if (pRow == NULL)
        return;
    tuner.m_nTypeId = pRow->nTypeId;
    tuner.m_nModelId = pRow->nModelId;
    tuner.m_cTunerLetter = pRow->cLetter;
    tuner.m_byI2CRead = pRow->byI2CRead;
    tuner.m_byI2CWrite = pRow->byI2CWrite;
    tuner.m_nTVLow = pRow->nTVLow;
    tuner.m_nTVHigh = pRow->nTVHigh;
    tuner.m_nLowBandEnd = pRow->nLowBandEnd;
    tuner.m_nMidBandStart = pRow->nMidBandStart;
    tuner.m_nMidBandEnd = pRow->nMidBandEnd;
    tuner.m_nHighBandStart = pRow->nHighBandStart;
    tuner.m_byBandLow = pRow->byBandLow;
    tuner.m_byBandMid = pRow->byBandMid;
    tuner.m_byBandHigh = pRow->byBandHigh;
    tuner.m_byControl = pRow->byControl;
    tuner.m_byStatusMask = pRow->byStatusMask;
    tuner.m_nIF = pRow->nIF;
    tuner.m_bHasFM = pRow->bHasFM;
    tuner.m_nFMLow = pRow->nFMLow;
    tuner.m_nFMHigh = pRow->nFMHigh;
    tuner.m_nFMIF = pRow->nFMIF;
    tuner.m_byFMControl = pRow->byFMControl;
    tuner.m_byFMBand = pRow->byFMBand;
    tuner.m_nAfcCode1 = pRow->anAfcCodes[0];
    tuner.m_nAfcCode2 = pRow->anAfcCodes[1];
    tuner.m_nAfcCode3 = pRow->anAfcCodes[2];
    tuner.m_nAfcCode4 = pRow->anAfcCodes[3];
    tuner.m_nAfcCode5 = pRow->anAfcCodes[4];
    tuner.m_nFMLockCode = pRow->nFMLockCode;
    tuner.m_bReapplyStandard = pRow->bReapplyStandard;
    tuner.m_vecStandards.clear();
    for (int i = 0; i < PllTunerRow::MAX_STANDARDS && pRow->adwStandards[i] != 0; ++i)
        tuner.m_vecStandards.push_back(pRow->adwStandards[i]);
}
}

CTuner_TCL2002N_1::CTuner_TCL2002N_1(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPllTunerRow(*this, 1);
}

CTuner_TCL2002N_1F::CTuner_TCL2002N_1F(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPllTunerRow(*this, 2);
}

CTuner_TCL2002NJ_5::CTuner_TCL2002NJ_5(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPllTunerRow(*this, 3);
}

CTuner_TCL2002MI_3::CTuner_TCL2002MI_3(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPllTunerRow(*this, 4);
}

CTuner_TCL2002MB_3::CTuner_TCL2002MB_3(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPllTunerRow(*this, 5);
}

CTuner_TCL2002MB_1F::CTuner_TCL2002MB_1F(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPllTunerRow(*this, 10);
}

CTuner_TCL2002MI_1F::CTuner_TCL2002MI_1F(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPllTunerRow(*this, 11);
}

CTuner_TCL2002MB_33F::CTuner_TCL2002MB_33F(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPllTunerRow(*this, 14);
}

CTuner_TCL9809N_1F::CTuner_TCL9809N_1F(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPllTunerRow(*this, 15);
}

CTuner_XINFA_TDQ_6B_B::CTuner_XINFA_TDQ_6B_B(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPllTunerRow(*this, 32);
}

CTuner_XINFA_TDQ_6B_DI::CTuner_XINFA_TDQ_6B_DI(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPllTunerRow(*this, 33);
}

CTuner_XINFA_TDQ_6B_N::CTuner_XINFA_TDQ_6B_N(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPllTunerRow(*this, 34);
}

CTuner_XINFA_TDQ_6B4_DI::CTuner_XINFA_TDQ_6B4_DI(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPllTunerRow(*this, 35);
}

CTuner_TNF8532BF::CTuner_TNF8532BF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPllTunerRow(*this, 52);
}

CTuner_TNF8532DF::CTuner_TNF8532DF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPllTunerRow(*this, 53);
}

CTuner_TNF8532MF::CTuner_TNF8532MF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPllTunerRow(*this, 54);
}

CTuner_TNF5831MFF::CTuner_TNF5831MFF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPllTunerRow(*this, 55);
}

CTuner_TNF5532JF::CTuner_TNF5532JF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPllTunerRow(*this, 56);
}

CTuner_TNF5532MF::CTuner_TNF5532MF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPllTunerRow(*this, 57);
}

CTuner_TNF9835::CTuner_TNF9835(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPllTunerRow(*this, 58);
}

CTuner_TNF9535BDF::CTuner_TNF9535BDF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPllTunerRow(*this, 60);
}

CTuner_TNF7532PRF::CTuner_TNF7532PRF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPllTunerRow(*this, 61);
}

CTuner_TNF9835BDFF::CTuner_TNF9835BDFF(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPllTunerRow(*this, 62);
}

CTuner_LGH200T::CTuner_LGH200T(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPllTunerRow(*this, 73);
}

CTuner_LGH202T::CTuner_LGH202T(CRegisterAccess* pRegisterAccess)
    : CTunerModule(pRegisterAccess)
{
    ApplyPllTunerRow(*this, 74);
}

const PllTunerRow* FindPllTunerRow(int nTypeId)
{
    for (int i = 0; i < g_nPllTunerTableCount; ++i)
    {
        if (g_PllTunerTable[i].nTypeId == nTypeId)
            return &g_PllTunerTable[i];
    }
    return NULL;
}
