#include "hardware/tuners/TunerModelTable.h"

#include "hardware/tuners/TunerModule.h"

const TunerModelRow* FindTunerModelRow(int nTypeId)
{
    for (int i = 0; i < g_nTunerModelTableCount; ++i)
    {
        if (g_TunerModelTable[i].nTypeId == nTypeId)
            return &g_TunerModelTable[i];
    }
    return NULL;
}

BOOL ApplyTunerModelRow(CTunerModule& tuner, int nTypeId)
{
    const TunerModelRow* pRow = FindTunerModelRow(nTypeId);
    if (pRow == NULL)
        return FALSE;
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
    if (pRow->dwInitialStandard != 0)
        tuner.m_nStandard = pRow->dwInitialStandard;
    tuner.m_vecStandards.clear();
    for (int i = 0; i < TunerModelRow::MAX_STANDARDS && pRow->adwStandards[i] != 0; ++i)
        tuner.m_vecStandards.push_back(pRow->adwStandards[i]);
    return TRUE;
}
