#include "hardware/tuners/PllTunerTable.h"
#include "hardware/tuners/TunerModelTable.h"

#include "hardware/tuners/TunerModule.h"

namespace
{
const PllTunerRow* FindRow(const PllTunerRow* pTable, int nCount, int nTypeId)
{
    for (int i = 0; i < nCount; ++i)
    {
        if (pTable[i].nTypeId == nTypeId)
            return &pTable[i];
    }
    return NULL;
}
}

const PllTunerRow* FindPllTunerRow(int nTypeId)
{
    return FindRow(g_PllTunerTable, g_nPllTunerTableCount, nTypeId);
}

const PllTunerRow* FindTunerModelRow(int nTypeId)
{
    return FindRow(g_TunerModelTable, g_nTunerModelTableCount, nTypeId);
}

void ApplyPllTunerRow(CTunerModule& tuner, const PllTunerRow& row)
{
    tuner.m_nTypeId = row.nTypeId;
    tuner.m_nModelId = row.nModelId;
    tuner.m_cTunerLetter = row.cLetter;
    tuner.m_byI2CRead = row.byI2CRead;
    tuner.m_byI2CWrite = row.byI2CWrite;
    tuner.m_nTVLow = row.nTVLow;
    tuner.m_nTVHigh = row.nTVHigh;
    tuner.m_nLowBandEnd = row.nLowBandEnd;
    tuner.m_nMidBandStart = row.nMidBandStart;
    tuner.m_nMidBandEnd = row.nMidBandEnd;
    tuner.m_nHighBandStart = row.nHighBandStart;
    tuner.m_byBandLow = row.byBandLow;
    tuner.m_byBandMid = row.byBandMid;
    tuner.m_byBandHigh = row.byBandHigh;
    tuner.m_byControl = row.byControl;
    tuner.m_byStatusMask = row.byStatusMask;
    tuner.m_nIF = row.nIF;
    tuner.m_bHasFM = row.bHasFM;
    tuner.m_nFMLow = row.nFMLow;
    tuner.m_nFMHigh = row.nFMHigh;
    tuner.m_nFMIF = row.nFMIF;
    tuner.m_byFMControl = row.byFMControl;
    tuner.m_byFMBand = row.byFMBand;
    tuner.m_nAfcCode1 = row.anAfcCodes[0];
    tuner.m_nAfcCode2 = row.anAfcCodes[1];
    tuner.m_nAfcCode3 = row.anAfcCodes[2];
    tuner.m_nAfcCode4 = row.anAfcCodes[3];
    tuner.m_nAfcCode5 = row.anAfcCodes[4];
    tuner.m_nFMLockCode = row.nFMLockCode;
    tuner.m_bReapplyStandard = row.bReapplyStandard;
    if (row.dwInitialStandard != 0)
        tuner.m_nStandard = row.dwInitialStandard;
    tuner.m_vecStandards.clear();
    for (int i = 0; i < PllTunerRow::MAX_STANDARDS && row.adwStandards[i] != 0; ++i)
        tuner.m_vecStandards.push_back(row.adwStandards[i]);
}

BOOL ApplyTunerModelRow(CTunerModule& tuner, int nTypeId)
{
    const PllTunerRow* pRow = FindTunerModelRow(nTypeId);
    if (pRow == NULL)
        return FALSE;
    ApplyPllTunerRow(tuner, *pRow);
    return TRUE;
}
